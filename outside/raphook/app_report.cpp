#include "outside/raphook/app_report.h"

#include <windows.h>

#include "outside/hook_shell/handles.h"
#include "outside/hook_shell/import_patch.h"

namespace corvane::outside {
namespace {

// Several processes may report at once; the program has one mapping.
constexpr wchar_t kReportTurn[] = L"CorvaneAppReportTurn";

bool IsLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

struct Posted {
  AppReport report;
  HANDLE previous;  // the thread of the report posted before, or null
};

// The last posted report's thread, so the next one goes after it.
HANDLE g_lastReport = nullptr;
CRITICAL_SECTION* PostLock() {
  static CRITICAL_SECTION lock;
  static volatile LONG state = 0;  // 0 new, 1 initialising, 2 ready
  if (InterlockedCompareExchange(&state, 1, 0) == 0) {
    InitializeCriticalSection(&lock);
    InterlockedExchange(&state, 2);
  }
  while (state != 2) Sleep(0);
  return &lock;
}

DWORD WINAPI ReportThread(void* data) {
  Posted* posted = static_cast<Posted*>(data);
  try {
    if (posted->previous) {
      WaitForSingleObject(posted->previous, 2 * kReportWaitMs + 1000);
      CloseHandle(posted->previous);
    }
    SendAppReport(posted->report);
  } catch (...) {
  }
  delete posted;
  return 0;
}

}  // namespace

AppReport ThisProcessReport(bool deviceReport) {
  AppReport report;
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  report.executable = ExecutableReportText(std::string_view(path, length < MAX_PATH ? length : MAX_PATH), IsLeadByte);
  report.processId = GetCurrentProcessId();
  report.uses3D = GetModuleHandleW(L"d3d8.dll") || GetModuleHandleW(L"d3d9.dll") || GetModuleHandleW(L"opengl32.dll");
  report.deviceReport = deviceReport;
  return report;
}

bool SendAppReport(const AppReport& report) {
  UniqueHandle turn(CreateMutexW(nullptr, FALSE, kReportTurn));
  if (!turn) return false;
  const DWORD waited = WaitForSingleObject(turn.get(), kReportWaitMs);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return false;
  bool sent = false;
  {
    ReportView view(L"CORVANE_CBT", kReportMappingSize);
    sent = WriteAppReport(view.bytes(), report);
  }
  if (sent) {
    UniqueHandle handled(OpenEventW(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, L"QRXAppMonEvent_end"));
    if (handled) ResetEvent(handled.get());
    sent = SignalNamedEvent(L"QRXAppMonEvent");
    if (sent && handled) WaitForSingleObject(handled.get(), kReportWaitMs);
  }
  ReleaseMutex(turn.get());
  return sent;
}

void PostAppReport(const AppReport& report) {
  try {
    auto* posted = new Posted{report, nullptr};
    // The thread runs this library's code after the hook may have gone.
    PinModule(ModuleOf(reinterpret_cast<const void*>(&ReportThread)));
    EnterCriticalSection(PostLock());
    posted->previous = g_lastReport;
    g_lastReport = nullptr;
    HANDLE thread = CreateThread(nullptr, 0, ReportThread, posted, CREATE_SUSPENDED, nullptr);
    if (thread) {
      DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &g_lastReport, SYNCHRONIZE, FALSE, 0);
      ResumeThread(thread);
      CloseHandle(thread);
    }
    LeaveCriticalSection(PostLock());
    if (!thread) {
      if (posted->previous) CloseHandle(posted->previous);
      delete posted;
    }
  } catch (...) {
  }
}

}  // namespace corvane::outside
