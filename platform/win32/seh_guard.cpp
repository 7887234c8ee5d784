#include "platform/win32/seh_guard.h"

#include <windows.h>

namespace corvane::platform {
namespace {

// Lies on the guarded call's stack; the thread's exception list points at `record` while
// the foreign code runs, so the system hands this handler what that code leaves unhandled.
struct GuardFrame {
  EXCEPTION_REGISTRATION_RECORD record;  // first: the handler gets its address as the frame
  void* jump[5];                         // __builtin_setjmp's buffer
  DWORD code;
};

NT_TIB* ThreadBlock() { return reinterpret_cast<NT_TIB*>(NtCurrentTeb()); }

extern "C" EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* exception, void* frame, CONTEXT*, void*) {
  // An unwind passing through (a longjmp or another handler's) is no business of ours.
  if (exception->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
  auto* guard = static_cast<GuardFrame*>(frame);
  guard->code = exception->ExceptionCode;
  __builtin_longjmp(guard->jump, 1);
}

}  // namespace

__attribute__((noinline)) GuardedCallResult CallGuarded(void (*call)(void* data), void* data) {
  volatile GuardFrame frame{};
  auto* guard = const_cast<GuardFrame*>(&frame);
  NT_TIB* tib = ThreadBlock();
  guard->record.Next = tib->ExceptionList;
  guard->record.Handler = reinterpret_cast<PEXCEPTION_ROUTINE>(&GuardHandler);
  if (__builtin_setjmp(guard->jump)) {
    // Back from the handler: the system's dispatcher frames and the foreign code's own
    // registrations above ours are dropped with the stack they lived on.
    ThreadBlock()->ExceptionList = guard->record.Next;
    return {false, static_cast<uint32_t>(guard->code)};
  }
  tib->ExceptionList = &guard->record;
  call(data);
  ThreadBlock()->ExceptionList = guard->record.Next;
  return {true, 0};
}

}  // namespace corvane::platform
