#include "plugins/host/rpl_list.h"

#include <algorithm>

#include "platform/text_encoding.h"
#include "plugins/host/plugin_record.h"

namespace corvane::plugins {

TRPLList::TRPLList(const PluginHostContext& context) {
  std::vector<std::wstring> files = context.modules.FindLibraries(context.pluginFolder);
  std::sort(files.begin(), files.end(), [](const std::wstring& a, const std::wstring& b) {
    return platform::UpperAscii(a) < platform::UpperAscii(b);
  });
  for (const std::wstring& file : files) {
    const std::wstring path = context.pluginFolder + file;
    // The probe is unloaded before the plug-in is loaded for good.
    std::optional<PluginRecord> record = ProbePlugin(context.modules, path);
    if (!record || record->kind != CORVANE_PLUGIN_RUNTIME || Find(file)) continue;
    plugins_.push_back(std::make_unique<TRunTimePlugin>(context, path));
  }
}

TRPLList::~TRPLList() {
  for (auto& plugin : plugins_) plugin.reset();
}

TRunTimePlugin* TRPLList::Find(const std::wstring& fileName) const {
  for (const auto& plugin : plugins_)
    if (platform::EqualsNoCase(plugin->FileName(), fileName)) return plugin.get();
  return nullptr;
}

void TRPLList::SuspendRestoreAll() {
  for (const auto& plugin : plugins_) plugin->SuspendRestore();
}

}  // namespace corvane::plugins
