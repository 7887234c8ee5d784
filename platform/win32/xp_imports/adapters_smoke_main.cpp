// A stand-in for a shipped binary until the real ones exist: built like them (mingw's
// win32 thread model, static runtime) and linked with the kernel-object and INI
// adapters, so the XP import check reads their imports and Wine runs them without the
// posix runtime the test executables carry. Exits 0 when they work.

#include "platform/win32/ini_file_win32.h"
#include "platform/win32/named_objects_win32.h"
#include "platform/win32/threading_win32.h"

using namespace corvane::platform;

int main() {
  Win32Threading threading;
  Win32NamedObjects named;
  auto lock = threading.NewLock();
  int counter = 0;
  auto ready = named.CreateNamedEvent(L"Local\\corvane-smoke-ready", false, false);
  auto idle = threading.NewEvent(true, false);
  auto worker = threading.StartThread([&] {
    LockGuard guard(*lock);
    ++counter;
    if (auto opened = named.OpenNamedEvent(L"Local\\corvane-smoke-ready")) opened->Set();
  });
  Event* waits[] = {idle.get(), ready.get()};
  const bool woken = threading.WaitAny(waits, 10000) == 1u;
  worker.reset();

  NamedMutexResult first = named.CreateNamedMutex(L"Local\\corvane-smoke-instance");
  NamedMutexResult second = named.CreateNamedMutex(L"Local\\corvane-smoke-instance");
  auto mapping = named.CreateNamedMapping(L"Local\\corvane-smoke-mapping", 64);
  auto ini = Win32IniFiles().Open(L"corvane-smoke-absent.ini");

  const bool ok = woken && counter == 1 && !first.alreadyExisted && second.alreadyExisted && mapping &&
                  ini->ReadInteger(L"Main", L"Count", 7) == 7;
  return ok ? 0 : 1;
}
