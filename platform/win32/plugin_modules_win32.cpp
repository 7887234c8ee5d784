#include "platform/win32/plugin_modules_win32.h"

#include <windows.h>

#include "platform/win32/seh_guard.h"

namespace corvane::platform {
namespace {

constexpr UINT kPluginCodePage = 936;

struct FindHandleCloser {
  void operator()(HANDLE find) const { FindClose(find); }
};
using UniqueFind = std::unique_ptr<void, FindHandleCloser>;

const char* ExportName(PluginExport which) {
  switch (which) {
    case PluginExport::GetPlugInfo: return "get_plug_info";
    case PluginExport::ExecPlugin: return "exec_plugin";
    case PluginExport::DonePlugin: return "done_plugin";
    case PluginExport::SuspendRestore: return "suspend_restore";
    case PluginExport::ConfigPlugin: return "config_plugin";
  }
  return "";
}

constexpr PluginExport kExports[] = {PluginExport::GetPlugInfo, PluginExport::ExecPlugin, PluginExport::DonePlugin,
                                     PluginExport::SuspendRestore, PluginExport::ConfigPlugin};

class Win32PluginModule final : public PluginModule {
 public:
  explicit Win32PluginModule(HMODULE module) : module_(module) {
    for (PluginExport which : kExports)
      entries_[static_cast<size_t>(which)] = GetProcAddress(module_, ExportName(which));
  }
  ~Win32PluginModule() override { FreeLibrary(module_); }
  Win32PluginModule(const Win32PluginModule&) = delete;
  Win32PluginModule& operator=(const Win32PluginModule&) = delete;

  bool Has(PluginExport which) const override { return Entry(which) != nullptr; }

  bool GetPlugInfo(PluginInfo& info) override {
    struct Call {
      GetPlugInfoFunction entry;
      PluginInfo* info;
    } call{reinterpret_cast<GetPlugInfoFunction>(Entry(PluginExport::GetPlugInfo)), &info};
    if (!call.entry) return false;
    return CallGuarded([](void* data) {
             auto* c = static_cast<Call*>(data);
             c->entry(c->info);
           }, &call).completed;
  }

  bool ExecPlugin(WindowHandle owner, HostService service) override {
    struct Call {
      ExecPluginFunction entry;
      void* owner;
      HostService service;
    } call{reinterpret_cast<ExecPluginFunction>(Entry(PluginExport::ExecPlugin)), reinterpret_cast<void*>(owner),
           service};
    if (!call.entry) return false;
    return CallGuarded([](void* data) {
             auto* c = static_cast<Call*>(data);
             c->entry(c->owner, c->service);
           }, &call).completed;
  }

  bool Call(PluginExport which) override {
    if (which == PluginExport::GetPlugInfo || which == PluginExport::ExecPlugin) return false;
    // done_plugin, suspend_restore and config_plugin share one signature.
    auto entry = reinterpret_cast<DonePluginFunction>(Entry(which));
    if (!entry) return false;
    return CallGuarded([](void* data) { reinterpret_cast<DonePluginFunction>(data)(); },
                       reinterpret_cast<void*>(entry)).completed;
  }

 private:
  // The address as a plain pointer; each caller gives it the export's own type.
  void* Entry(PluginExport which) const { return reinterpret_cast<void*>(entries_[static_cast<size_t>(which)]); }

  HMODULE module_;
  FARPROC entries_[std::size(kExports)] = {};
};

}  // namespace

std::vector<std::wstring> Win32PluginModules::FindLibraries(const std::wstring& folder) {
  std::vector<std::wstring> names;
  std::wstring pattern = folder;
  if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
  pattern += L"*.dll";
  WIN32_FIND_DATAW found{};
  UniqueFind find(FindFirstFileW(pattern.c_str(), &found));
  if (find.get() == INVALID_HANDLE_VALUE) {
    find.release();
    return names;
  }
  do {
    // The pattern also matches through short names ("x.dllx" is "X~1.DLL"): the long name decides.
    const std::wstring name = found.cFileName;
    const bool dll = name.size() > 4 && CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str() + name.size() - 4,
                                                       4, L".dll", 4) == CSTR_EQUAL;
    if (dll && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(name);
  } while (FindNextFileW(find.get(), &found));
  return names;
}

std::unique_ptr<PluginModule> Win32PluginModules::Load(const std::wstring& path) {
  // A library that cannot load is skipped silently, without the system's error box.
  const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryW(path.c_str());
  SetErrorMode(previous);
  if (!module) return nullptr;
  return std::make_unique<Win32PluginModule>(module);
}

std::wstring Win32PluginModules::NameText(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int length = MultiByteToWideChar(kPluginCodePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(kPluginCodePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
  return text;
}

}  // namespace corvane::platform
