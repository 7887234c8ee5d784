#include "platform/win32/program_update_win32.h"

#include <windows.h>

#include <vector>

#include "platform/win32/ansi_text.h"

namespace corvane::platform {
namespace {

using RunUpdateFunction = int(WINAPI*)(const char* server, const char* fileUrl);

}  // namespace

bool Win32ProgramUpdate::RunUpdate(const std::wstring& library, const std::wstring& server,
                                   const std::wstring& fileUrl) {
  HMODULE support = LoadLibraryW(library.c_str());
  if (!support) return false;
  auto run = reinterpret_cast<RunUpdateFunction>(reinterpret_cast<void*>(GetProcAddress(support, "run_update")));
  const std::string ansiServer = ToAnsi(server);
  const std::string ansiUrl = ToAnsi(fileUrl);
  const bool downloaded = run != nullptr && run(ansiServer.c_str(), ansiUrl.c_str()) != 0;
  FreeLibrary(support);
  return downloaded;
}

std::wstring Win32ProgramUpdate::TempFolder() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, path);
  if (length == 0 || length > MAX_PATH) return L".\\";
  std::wstring folder(path, length);
  if (folder.back() != L'\\') folder += L'\\';
  return folder;
}

std::optional<FileVersion> Win32ProgramUpdate::VersionOf(const std::wstring& path) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
  if (size == 0) return std::nullopt;
  std::vector<uint8_t> block(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return std::nullopt;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) || !fixed ||
      fixedSize < sizeof(VS_FIXEDFILEINFO))
    return std::nullopt;
  return FileVersion{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                     LOWORD(fixed->dwFileVersionLS)};
}

bool Win32ProgramUpdate::RemoveFile(const std::wstring& path) { return DeleteFileW(path.c_str()) != FALSE; }

}  // namespace corvane::platform
