#include "plugins/host/run_time_plugin.h"

#include "platform/registry_values.h"
#include "plugins/host/plugin_record.h"
#include "settings/global.h"

namespace corvane::plugins {

using platform::PluginExport;

std::wstring FileNameOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/:");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

TRunTimePlugin::TRunTimePlugin(const PluginHostContext& context, std::wstring path)
    : ctx_(context), path_(std::move(path)), fileName_(FileNameOf(path_)) {
  module_ = ctx_.modules.Load(path_);
  if (!module_) return;
  if (Has(PluginExport::GetPlugInfo)) {
    PluginInfo info{};
    if (module_->GetPlugInfo(info))
      if (std::optional<PluginRecord> record = ReadPluginRecord(info, ctx_.modules)) name_ = record->name;
  }
  Start();
}

TRunTimePlugin::~TRunTimePlugin() {
  Stop();
  module_.reset();
}

std::wstring TRunTimePlugin::StateKey() const { return global::ProfilesRoot + L"rtpl\\" + fileName_; }

bool TRunTimePlugin::IsEnabled() const {
  auto key = ctx_.registry.OpenKey(platform::RegistryRoot::CurrentUser, StateKey(), false);
  return key && platform::ReadRegDword(*key, L"enabled").value_or(0) == 1;
}

void TRunTimePlugin::SetEnabled(bool enabled) {
  // A write that fails leaves the state as it was; the list shows what the registry has.
  if (auto key = ctx_.registry.OpenKey(platform::RegistryRoot::CurrentUser, StateKey(), true))
    platform::WriteRegDword(*key, L"enabled", enabled ? 1 : 0);
}

void TRunTimePlugin::Start() {
  if (!Has(PluginExport::ExecPlugin) || !IsEnabled()) return;
  if (module_->ExecPlugin(ctx_.owner, ctx_.service)) running_ = true;
}

void TRunTimePlugin::Stop() {
  if (!Has(PluginExport::DonePlugin) || !running_) return;
  if (module_->Call(PluginExport::DonePlugin)) running_ = false;
}

void TRunTimePlugin::Configure() {
  if (Has(PluginExport::ConfigPlugin)) module_->Call(PluginExport::ConfigPlugin);
}

void TRunTimePlugin::SuspendRestore() {
  if (Has(PluginExport::SuspendRestore)) module_->Call(PluginExport::SuspendRestore);
}

}  // namespace corvane::plugins
