#include "platform/win32/user_interaction_win32.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace corvane::platform {
namespace {

UINT IconStyle(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None: return 0;
    case MessageIcon::Error: return MB_ICONERROR;
    case MessageIcon::Warning: return MB_ICONWARNING;
    case MessageIcon::Information: return MB_ICONINFORMATION;
    case MessageIcon::Question: return MB_ICONQUESTION;
  }
  return 0;
}

struct ButtonSet {
  UINT style;
  int count;
};

ButtonSet Buttons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok: return {MB_OK, 1};
    case MessageButtons::OkCancel: return {MB_OKCANCEL, 2};
    case MessageButtons::AbortRetryIgnore: return {MB_ABORTRETRYIGNORE, 3};
    case MessageButtons::YesNoCancel: return {MB_YESNOCANCEL, 3};
    case MessageButtons::YesNo: return {MB_YESNO, 2};
    case MessageButtons::RetryCancel: return {MB_RETRYCANCEL, 2};
  }
  return {MB_OK, 1};
}

UINT DefaultButtonStyle(int index, int count) {
  constexpr UINT kStyles[] = {MB_DEFBUTTON1, MB_DEFBUTTON2, MB_DEFBUTTON3};
  return index >= 0 && index < count ? kStyles[index] : MB_DEFBUTTON1;
}

// "Text|*.ext|..." as the chooser takes it: the parts NUL-separated, ended by two NULs.
std::vector<wchar_t> FilterText(const std::wstring& filter) {
  std::vector<wchar_t> text(filter.begin(), filter.end());
  for (wchar_t& c : text)
    if (c == L'|') c = L'\0';
  text.push_back(L'\0');
  text.push_back(L'\0');
  return text;
}

}  // namespace

MessageAnswer Win32UserInteraction::ShowMessage(const MessageBoxRequest& request) {
  const ButtonSet buttons = Buttons(request.buttons);
  UINT style = buttons.style | IconStyle(request.icon) | DefaultButtonStyle(request.defaultButton, buttons.count);
  HWND owner = GetActiveWindow();
  if (!owner) style |= MB_TASKMODAL | MB_SETFOREGROUND;

  const int result = MessageBoxW(owner, request.text.c_str(), request.caption.c_str(), style);
  switch (result) {
    case IDOK:
    case IDCANCEL:
    case IDABORT:
    case IDRETRY:
    case IDIGNORE:
    case IDYES:
    case IDNO:
      return static_cast<MessageAnswer>(result);
    default:  // 0 when the box could not be shown
      return MessageAnswer::Cancel;
  }
}

namespace {

// Both choosers: the same buffer, owner and folder rules; `save` picks the "save as" one.
std::optional<std::wstring> ChooseFile(const OpenFileRequest& request, bool save) {
  std::vector<wchar_t> filter = FilterText(request.filter);
  // Long enough for any path the shell hands out, the \\?\ form included.
  std::vector<wchar_t> file(32768, L'\0');
  // A longer name than the buffer holds is left out rather than cut.
  if (request.fileName.size() < file.size()) std::copy(request.fileName.begin(), request.fileName.end(), file.begin());
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = filter.data();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
  dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
  dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
  dialog.Flags |= save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;  // cancelled, or the chooser failed
  return std::wstring(file.data());
}

}  // namespace

std::optional<std::wstring> Win32UserInteraction::ChooseOpenFile(const OpenFileRequest& request) {
  return ChooseFile(request, false);
}

std::optional<std::wstring> Win32UserInteraction::ChooseSaveFile(const OpenFileRequest& request) {
  return ChooseFile(request, true);
}

}  // namespace corvane::platform
