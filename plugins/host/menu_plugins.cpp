#include "plugins/host/menu_plugins.h"

#include <algorithm>

#include "platform/text_encoding.h"
#include "plugins/host/plugin_record.h"
#include "ui/flag_scope.h"

namespace corvane::plugins {

MenuPlugins::MenuPlugins(const PluginHostContext& context, platform::UserInteraction& user)
    : ctx_(context), user_(user) {}

void MenuPlugins::Scan() {
  entries_.clear();
  for (const std::wstring& file : ctx_.modules.FindLibraries(ctx_.pluginFolder)) {
    const std::wstring path = ctx_.pluginFolder + file;
    std::optional<PluginRecord> record = ProbePlugin(ctx_.modules, path);
    if (!record || record->kind != CORVANE_PLUGIN_MENU) continue;
    const std::wstring key = platform::UpperAscii(record->name);
    const auto at = std::lower_bound(entries_.begin(), entries_.end(), key, [](const MenuPluginEntry& e,
                                                                              const std::wstring& k) {
      return platform::UpperAscii(e.name) < k;
    });
    if (at != entries_.end() && platform::UpperAscii(at->name) == key) continue;
    entries_.insert(at, MenuPluginEntry{record->name, path});
  }
}

void MenuPlugins::AddMenuItems(ui::TMenuItem& menu) {
  for (size_t i = 0; i < entries_.size(); ++i) {
    auto item = std::make_unique<ui::TMenuItem>();
    item->Caption = entries_[i].name;
    item->Tag = static_cast<int>(i);
    item->AutoHotkeys = false;
    item->OnClick = [this](ui::TMenuItem& sender) { Run(static_cast<size_t>(sender.Tag)); };
    menu.Add(std::move(item));
  }
}

void MenuPlugins::Run(size_t index) {
  if (running_ || index >= entries_.size()) return;
  std::unique_ptr<platform::PluginModule> module = ctx_.modules.Load(entries_[index].path);
  if (module && module->Has(platform::PluginExport::ExecPlugin)) {
    ui::FlagScope busy(running_);
    module->ExecPlugin(ctx_.owner, ctx_.service);
    return;
  }
  platform::MessageBoxRequest request;
  request.caption = L"错误";
  request.text = L"运行插件出错! 未发现插件功能!";
  request.icon = platform::MessageIcon::Error;
  user_.ShowMessage(request);
}

}  // namespace corvane::plugins
