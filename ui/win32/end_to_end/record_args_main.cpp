// A stand-in for a game or tool that tests start: it writes how it was started to the
// file named by CORVANE_RECORD_ARGS_FILE (UTF-8, one line each: the command line, the
// working folder) and exits with the number of its arguments. Stays running while the
// file named by CORVANE_RECORD_ARGS_HOLD exists, so a test can end it when it chooses.
//
// The record is written to a side file and renamed into place, so a reader that polls
// for the file never sees half of it. A windows-subsystem program without windows: a
// console of its own would take the keyboard focus from tests running beside it.

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::wstring Environment(const wchar_t* name) {
  wchar_t value[MAX_PATH * 2] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH * 2);
  return length > 0 && length < MAX_PATH * 2 ? std::wstring(value, length) : std::wstring();
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
  return result;
}

bool WriteRecord(const std::wstring& path, const std::string& record) {
  const std::wstring side = path + L".part";
  HANDLE file = CreateFileW(side.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr) &&
                  written == record.size();
  CloseHandle(file);
  return ok && MoveFileExW(side.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  int count = 0;
  if (LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count)) LocalFree(arguments);

  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  const std::wstring recordFile = Environment(L"CORVANE_RECORD_ARGS_FILE");
  if (!recordFile.empty()) WriteRecord(recordFile, Utf8(GetCommandLineW()) + "\n" + Utf8(folder) + "\n");

  const std::wstring hold = Environment(L"CORVANE_RECORD_ARGS_HOLD");
  for (int waited = 0; !hold.empty() && waited < 600 && GetFileAttributesW(hold.c_str()) != INVALID_FILE_ATTRIBUTES;
       ++waited) {
    Sleep(100);
  }
  return count > 0 ? count - 1 : 0;
}
