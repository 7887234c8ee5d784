#include "platform/win32/notify_icon_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/win32/notify_icon_record.h"

#ifndef NIM_SETFOCUS
#define NIM_SETFOCUS 0x00000003
#endif

namespace corvane::platform {
namespace {

class Win32IconImage : public IconImage {
 public:
  explicit Win32IconImage(HICON icon) : icon_(icon) {}
  ~Win32IconImage() override { DestroyIcon(icon_); }
  Win32IconImage(const Win32IconImage&) = delete;
  Win32IconImage& operator=(const Win32IconImage&) = delete;
  uintptr_t Handle() const override { return reinterpret_cast<uintptr_t>(icon_); }

 private:
  HICON icon_;
};

std::unique_ptr<IconImage> Own(HICON icon) {
  if (!icon) return nullptr;
  return std::make_unique<Win32IconImage>(icon);
}

bool Send(DWORD message, const NotifyIconData& data) {
  NotifyIconRecordV1 record = MakeNotifyIconRecord(data);
  return Shell_NotifyIconA(message, reinterpret_cast<NOTIFYICONDATAA*>(&record)) != FALSE;
}

// A resource name: a number, or text that is only valid during the enumeration callback.
struct ResourceName {
  bool found = false;
  WORD number = 0;
  std::wstring text;
  LPCWSTR Get() const { return text.empty() ? MAKEINTRESOURCEW(number) : text.c_str(); }
};

// The first icon group of the program file, whatever its resource name.
BOOL CALLBACK TakeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
  ResourceName& result = *reinterpret_cast<ResourceName*>(found);
  result.found = true;
  if (IS_INTRESOURCE(name)) {
    result.number = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
  } else {
    result.text = name;
  }
  return FALSE;
}

}  // namespace

bool Win32NotifyIcon::Add(const NotifyIconData& data) { return Send(NIM_ADD, data); }
bool Win32NotifyIcon::Modify(const NotifyIconData& data) { return Send(NIM_MODIFY, data); }

bool Win32NotifyIcon::Delete(WindowHandle window, uint32_t id) {
  NotifyIconData data;
  data.window = window;
  data.id = id;
  return Send(NIM_DELETE, data);
}

bool Win32NotifyIcon::SetFocus(WindowHandle window, uint32_t id) {
  NotifyIconData data;
  data.window = window;
  data.id = id;
  return Send(NIM_SETFOCUS, data);
}

std::unique_ptr<IconImage> Win32NotifyIcon::ApplicationIcon() {
  HMODULE program = GetModuleHandleW(nullptr);
  ResourceName name;
  // Stops at the first group, so the call reports failure; the name says whether it found one.
  EnumResourceNamesW(program, RT_GROUP_ICON, TakeFirstName, reinterpret_cast<LONG_PTR>(&name));
  // Icons from LoadIcon are shared and must not be destroyed; the copy is ours.
  HICON shared = name.found ? LoadIconW(program, name.Get()) : nullptr;
  if (!shared) shared = LoadIconW(nullptr, IDI_APPLICATION);
  return Own(::CopyIcon(shared));
}

std::unique_ptr<IconImage> Win32NotifyIcon::IconFromFile(const std::wstring& path) {
  return Own(static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE)));
}

std::unique_ptr<IconImage> Win32NotifyIcon::CopyIcon(const IconImage& icon) {
  return Own(::CopyIcon(reinterpret_cast<HICON>(icon.Handle())));
}

}  // namespace corvane::platform
