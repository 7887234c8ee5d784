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

// The head of the thread's exception list: the first word of its information block, which
// the FS segment addresses on 32-bit Windows.
EXCEPTION_REGISTRATION_RECORD* ListHead() {
  EXCEPTION_REGISTRATION_RECORD* head = nullptr;
  __asm__ __volatile__("movl %%fs:0, %0" : "=r"(head));
  return head;
}

void SetListHead(EXCEPTION_REGISTRATION_RECORD* head) { __asm__ __volatile__("movl %0, %%fs:0" : : "r"(head) : "memory"); }

// The system's dispatcher restores the stack pointer after a handler returns, so the
// calling convention of EXCEPTION_ROUTINE is as good as any.
EXCEPTION_DISPOSITION NTAPI GuardHandler(EXCEPTION_RECORD* exception, PVOID frame, CONTEXT*, PVOID) {
  // An unwind passing through (a longjmp or another handler's) is no business of ours.
  if (exception->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
  auto* guard = static_cast<GuardFrame*>(frame);
  guard->code = exception->ExceptionCode;
  __builtin_longjmp(guard->jump, 1);
}

}  // namespace

__attribute__((noinline)) GuardedCallResult CallGuarded(void (*call)(void* data), void* data) {
  // Its address goes into the exception list, so it lives in memory across the jump.
  GuardFrame frame{};
  GuardFrame* guard = &frame;
  guard->record.Next = ListHead();
  guard->record.Handler = &GuardHandler;
  if (__builtin_setjmp(guard->jump)) {
    // Back from the handler: the system's dispatcher frames and the foreign code's own
    // registrations above ours are dropped with the stack they lived on.
    SetListHead(guard->record.Next);
    return {false, static_cast<uint32_t>(guard->code)};
  }
  SetListHead(&guard->record);
  call(data);
  SetListHead(guard->record.Next);
  return {true, 0};
}

}  // namespace corvane::platform
