#include "platform/sim/plugin_modules_sim.h"

#include <algorithm>
#include <cstring>

#include "platform/text_encoding.h"

namespace corvane::platform {

namespace {

std::wstring FileNameOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring WithoutTrailingSlash(std::wstring folder) {
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  return folder;
}

}  // namespace

std::function<void(PluginInfo&)> SimPlugin::Record(const std::string& name, uint8_t kind) {
  return [name, kind](PluginInfo& info) {
    info.magic = CORVANE_PLUGIN_MAGIC;
    std::memset(info.name, 0, sizeof info.name);
    std::memcpy(info.name, name.data(), std::min(name.size(), sizeof info.name - 1));
    info.kind = kind;
  };
}

class SimPluginModules::Module final : public PluginModule {
 public:
  Module(SimPluginModules& owner, std::wstring path, const SimPlugin& plugin)
      : owner_(owner), path_(std::move(path)), plugin_(plugin) {
    ++owner_.loadedNow_;
  }
  ~Module() override { --owner_.loadedNow_; }

  bool Has(PluginExport which) const override {
    switch (which) {
      case PluginExport::GetPlugInfo: return static_cast<bool>(plugin_.getPlugInfo);
      case PluginExport::ExecPlugin: return static_cast<bool>(plugin_.execPlugin);
      case PluginExport::DonePlugin: return static_cast<bool>(plugin_.donePlugin);
      case PluginExport::SuspendRestore: return static_cast<bool>(plugin_.suspendRestore);
      case PluginExport::ConfigPlugin: return static_cast<bool>(plugin_.configPlugin);
    }
    return false;
  }

  bool GetPlugInfo(PluginInfo& info) override {
    return Guarded(PluginExport::GetPlugInfo, [&] { plugin_.getPlugInfo(info); });
  }
  bool ExecPlugin(WindowHandle owner, HostService service) override {
    return Guarded(PluginExport::ExecPlugin, [&] { plugin_.execPlugin(owner, service); });
  }
  bool Call(PluginExport which) override {
    switch (which) {
      case PluginExport::DonePlugin: return Guarded(which, [&] { plugin_.donePlugin(); });
      case PluginExport::SuspendRestore: return Guarded(which, [&] { plugin_.suspendRestore(); });
      case PluginExport::ConfigPlugin: return Guarded(which, [&] { plugin_.configPlugin(); });
      default: return false;
    }
  }

 private:
  template <class F>
  bool Guarded(PluginExport which, F&& call) {
    if (!Has(which)) return false;
    const size_t at = owner_.calls_.size();
    owner_.calls_.push_back({path_, which, false});
    try {
      call();
      return true;
    } catch (...) {
      owner_.calls_[at].raised = true;
      return false;
    }
  }

  SimPluginModules& owner_;
  const std::wstring path_;
  const SimPlugin plugin_;
};

void SimPluginModules::Register(const std::wstring& path, SimPlugin plugin) {
  plugins_[UpperAscii(path)] = {path, std::move(plugin)};
}

std::vector<std::wstring> SimPluginModules::FindLibraries(const std::wstring& folder) {
  const std::wstring wanted = UpperAscii(WithoutTrailingSlash(folder));
  std::vector<std::wstring> names;
  for (const auto& [key, entry] : plugins_) {
    const std::wstring name = FileNameOf(entry.first);
    const bool dll = name.size() > 4 && UpperAscii(name.substr(name.size() - 4)) == L".DLL";
    if (dll && UpperAscii(FolderOf(entry.first)) == wanted) names.push_back(name);
  }
  return names;
}

std::unique_ptr<PluginModule> SimPluginModules::Load(const std::wstring& path) {
  ++loads_;
  const auto found = plugins_.find(UpperAscii(path));
  if (found == plugins_.end() || !found->second.second.loads) return nullptr;
  return std::make_unique<Module>(*this, found->second.first, found->second.second);
}

std::wstring SimPluginModules::NameText(std::string_view bytes) { return FromUtf8(bytes); }

size_t SimPluginModules::CallCount(const std::wstring& fileName, PluginExport which) const {
  return static_cast<size_t>(std::count_if(calls_.begin(), calls_.end(), [&](const SimPluginCall& call) {
    return call.which == which && EqualsNoCase(FileNameOf(call.path), fileName);
  }));
}

}  // namespace corvane::platform
