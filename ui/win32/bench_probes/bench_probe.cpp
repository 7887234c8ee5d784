// Starts a program and measures it the way a user meets it:
//   corvane_bench_probe OUTPUT IDLE_SECONDS PROGRAM [ARGUMENTS...]
// writes one line to the file OUTPUT ("-": standard output, which a program started in a
// Wine desktop does not have): the time from process start until its first wait for input (a tray
// program adds its icon before that), its private bytes and working set a second later
// (GetProcessMemoryInfo), and the processor time it used over the next IDLE_SECONDS with
// nobody touching it. The program is ended afterwards.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Kernel plus user time so far, in 100 ns units.
ULONGLONG CpuTime(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  auto value = [](const FILETIME& time) { return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime; };
  return value(kernel) + value(user);
}

std::wstring Quoted(const wchar_t* argument) { return L"\"" + std::wstring(argument) + L"\""; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fwprintf(stderr, L"usage: corvane_bench_probe OUTPUT IDLE_SECONDS PROGRAM [ARGUMENTS...]\n");
    return 2;
  }
  wchar_t* end = nullptr;
  const long idleSeconds = std::wcstol(argv[2], &end, 10);
  if (end == argv[2] || *end != L'\0' || idleSeconds < 0 || idleSeconds > 3600) {
    std::fwprintf(stderr, L"IDLE_SECONDS must be a number of seconds from 0 to 3600\n");
    return 2;
  }
  const wchar_t* program = argv[3];
  std::wstring commandLine = Quoted(program);
  for (int i = 4; i < argc; ++i) commandLine += L" " + Quoted(argv[i]);
  FILE* output = std::wcscmp(argv[1], L"-") == 0 ? stdout : _wfopen(argv[1], L"w");
  if (!output) {
    std::fwprintf(stderr, L"cannot write %ls\n", argv[1]);
    return 2;
  }

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  LARGE_INTEGER started, ready;
  QueryPerformanceCounter(&started);
  if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    std::fwprintf(output, L"cannot start %ls (error %lu)\n", program, GetLastError());
    if (output != stdout) std::fclose(output);
    return 1;
  }
  const DWORD waited = WaitForInputIdle(process.hProcess, 60000);
  QueryPerformanceCounter(&ready);
  int result = 0;
  if (waited != 0) {
    std::fwprintf(output, L"%ls did not become idle within 60 s\n", program);
    result = 1;
  } else {
    Sleep(1000);
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    const ULONGLONG cpuBefore = CpuTime(process.hProcess);
    Sleep(static_cast<DWORD>(idleSeconds) * 1000);
    const ULONGLONG cpuAfter = CpuTime(process.hProcess);
    std::fwprintf(output, L"start_ms=%.1f private_kb=%lu working_set_kb=%lu idle_cpu_ms=%.1f idle_seconds=%ld\n",
                 1000 * Seconds(started, ready), static_cast<unsigned long>(memory.PrivateUsage / 1024),
                 static_cast<unsigned long>(memory.WorkingSetSize / 1024), (cpuAfter - cpuBefore) / 10000.0,
                 idleSeconds);
  }
  if (output != stdout) std::fclose(output);
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}
