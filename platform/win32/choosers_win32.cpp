#include "platform/win32/choosers_win32.h"

// clang-format off
#include <windows.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>
#include <shlobj.h>
// clang-format on

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win32/ansi_text.h"

namespace corvane::platform {
namespace {

// The size field of a WAVEFORMATEX and its fixed part.
constexpr size_t kExtraSizeAt = 16;
constexpr size_t kWaveFormatExSize = 18;

// Selects the start folder once the tree is there.
int CALLBACK SelectStartFolder(HWND window, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data != 0) SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

// An ANSI name the chooser filled in, ended within its field or not.
std::wstring FieldText(const char* field, size_t size) {
  return FromAnsi(std::string_view(field, strnlen(field, size)));
}

}  // namespace

std::optional<std::wstring> Win32Choosers::ChooseFolder(const FolderRequest& request) {
  wchar_t display[MAX_PATH] = {};
  BROWSEINFOW browse{};
  browse.hwndOwner = GetActiveWindow();
  browse.pszDisplayName = display;
  browse.lpszTitle = request.title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  browse.lpfn = SelectStartFolder;
  browse.lParam = request.startFolder.empty() ? 0 : reinterpret_cast<LPARAM>(request.startFolder.c_str());
  LPITEMIDLIST chosen = SHBrowseForFolderW(&browse);
  if (!chosen) return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  const BOOL isFolder = SHGetPathFromIDListW(chosen, path);
  CoTaskMemFree(chosen);
  if (!isFolder) return std::nullopt;  // a place that is no folder of the file system
  std::wstring folder(path);
  // A drive's root keeps its '\' ("C:\"); other folders come without one.
  if (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
  return folder;
}

std::optional<AudioFormatChoice> Win32Choosers::ChooseAudioFormat(std::span<const uint8_t> current, size_t maxSize) {
  if (maxSize < kWaveFormatExSize) return std::nullopt;
  std::vector<uint8_t> buffer(maxSize, 0);
  std::copy_n(current.begin(), std::min(current.size(), buffer.size()), buffer.begin());
  ACMFORMATCHOOSEA choose{};
  choose.cbStruct = sizeof choose;
  choose.fdwStyle = 0;
  choose.hwndOwner = GetActiveWindow();
  choose.pwfx = reinterpret_cast<LPWAVEFORMATEX>(buffer.data());
  choose.cbwfx = static_cast<DWORD>(buffer.size());
  choose.fdwEnum = ACM_FORMATENUMF_INPUT;
  if (acmFormatChooseA(&choose) != MMSYSERR_NOERROR) return std::nullopt;  // cancelled or failed
  uint16_t extra = 0;
  std::memcpy(&extra, buffer.data() + kExtraSizeAt, sizeof extra);
  const size_t size = std::min(buffer.size(), kWaveFormatExSize + extra);
  AudioFormatChoice choice;
  choice.format.assign(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(size));
  choice.tagName = FieldText(choose.szFormatTag, sizeof choose.szFormatTag);
  choice.formatName = FieldText(choose.szFormat, sizeof choose.szFormat);
  return choice;
}

}  // namespace corvane::platform
