// support.dll's CreateShortcut: a shell link on the user's desktop, named after a game
// profile, that starts the program with the given arguments in the game's folder and
// shows the game's icon.

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

namespace {

// One COM interface pointer, released when it goes.
template <class Interface>
class ComPointer {
 public:
  ComPointer() = default;
  ~ComPointer() {
    if (pointer_) pointer_->Release();
  }
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;
  Interface* operator->() const { return pointer_; }
  Interface* Get() const { return pointer_; }
  void** Out() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

// COM for this thread for the length of the call; a thread that already has it in
// another model keeps it.
class ComScope {
 public:
  ComScope() : result_(CoInitialize(nullptr)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

// An ANSI text from the caller; a null pointer is an empty text.
const char* Text(const char* text) { return text ? text : ""; }

std::wstring Wide(const char* text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  wide.resize(static_cast<size_t>(length - 1));
  return wide;
}

// The link's file: the desktop folder, the name, ".lnk". Names that would reach into
// another folder or carry nothing are refused.
std::wstring LinkPath(const char* linkName) {
  const std::wstring name = Wide(linkName);
  if (name.empty() || name.find_first_of(L"\\/:*?\"<>|") != std::wstring::npos) return {};
  wchar_t desktop[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, TRUE)) return {};
  std::wstring path(desktop);
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path + name + L".lnk";
}

}  // namespace

extern "C" BOOL WINAPI CreateShortcut(const char* linkName, const char* target, const char* arguments,
                                      const char* iconFile, const char* folder) {
  const std::wstring linkPath = LinkPath(Text(linkName));
  if (linkPath.empty()) return FALSE;
  ComScope com;
  if (!com.Usable()) return FALSE;
  ComPointer<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Out())))
    return FALSE;
  link->SetPath(Text(target));
  link->SetArguments(Text(arguments));
  link->SetWorkingDirectory(Text(folder));
  if (*Text(iconFile) != '\0') link->SetIconLocation(Text(iconFile), 0);
  link->SetShowCmd(SW_SHOWNORMAL);
  ComPointer<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out()))) return FALSE;
  return SUCCEEDED(file->Save(linkPath.c_str(), TRUE)) ? TRUE : FALSE;
}
