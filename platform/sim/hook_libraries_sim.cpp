#include "platform/sim/hook_libraries_sim.h"

#include "platform/text_encoding.h"

namespace corvane::platform {
namespace {

class SimHookLibrary final : public HookLibrary {
 public:
  SimHookLibrary(SimHookLibraries& owner, std::string name, std::set<std::string> exports)
      : owner_(owner), name_(std::move(name)), exports_(std::move(exports)) {}
  ~SimHookLibrary() override {
    owner_.Record("free " + name_);
    owner_.Unloaded();
  }
  HookEntry Entry(const char* name) override {
    if (!exports_.contains(name)) return {};
    return [this, entry = std::string(name)] { owner_.Record(entry); };
  }

 private:
  SimHookLibraries& owner_;
  std::string name_;
  std::set<std::string> exports_;
};

}  // namespace

SimHookLibraries::SimHookLibraries() {
  SetLibrary(L"rovhook.dll", {"InstallROVHook", "UninstallROVHook"});
  SetLibrary(L"raphook.dll", {"InstallAPPHook", "UninstallAPPHook"});
  SetLibrary(L"kbdhook.dll", {"InstallKBDHook", "UninstallKBDHook"});
}

std::unique_ptr<HookLibrary> SimHookLibraries::Load(const std::wstring& fileName) {
  std::set<std::string> exports;
  {
    std::lock_guard lock(mutex_);
    auto found = libraries_.find(UpperAscii(fileName));
    if (found == libraries_.end()) return nullptr;
    exports = found->second;
    ++loaded_;
  }
  const std::string name = ToUtf8(fileName);
  Record("load " + name);
  return std::make_unique<SimHookLibrary>(*this, name, std::move(exports));
}

std::wstring SimHookLibraries::ReportText(std::string_view bytes) { return FromUtf8(bytes); }

void SimHookLibraries::SetLibrary(const std::wstring& fileName, std::set<std::string> exports) {
  std::lock_guard lock(mutex_);
  libraries_[UpperAscii(fileName)] = std::move(exports);
}

void SimHookLibraries::RemoveLibrary(const std::wstring& fileName) {
  std::lock_guard lock(mutex_);
  libraries_.erase(UpperAscii(fileName));
}

std::vector<std::string> SimHookLibraries::Calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

void SimHookLibraries::ClearCalls() {
  std::lock_guard lock(mutex_);
  calls_.clear();
}

size_t SimHookLibraries::Loaded() const {
  std::lock_guard lock(mutex_);
  return loaded_;
}

void SimHookLibraries::Record(std::string what) {
  std::lock_guard lock(mutex_);
  calls_.push_back(std::move(what));
}

void SimHookLibraries::Unloaded() {
  std::lock_guard lock(mutex_);
  --loaded_;
}

}  // namespace corvane::platform
