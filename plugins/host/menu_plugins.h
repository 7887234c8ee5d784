#pragma once
// The menu plug-ins: found once at start-up, listed under the tray's "插件" by name, and
// loaded only while one runs. One runs at a time: its modal window keeps the message loop
// going, and another pick of the menu meanwhile does nothing.

#include <string>
#include <vector>

#include "platform/user_interaction.h"
#include "plugins/host/plugin_host_context.h"
#include "ui/menu.h"

namespace corvane::plugins {

struct MenuPluginEntry {
  std::wstring name;
  std::wstring path;
};

class MenuPlugins {
 public:
  MenuPlugins(const PluginHostContext& context, platform::UserInteraction& user);
  MenuPlugins(const MenuPlugins&) = delete;
  MenuPlugins& operator=(const MenuPlugins&) = delete;

  // Probes every library of the plug-in folder and keeps the menu plug-ins, sorted by
  // name without regard to case; of two with the same name the first found stays.
  void Scan();
  const std::vector<MenuPluginEntry>& Entries() const { return entries_; }

  // One item per plug-in, in list order, captioned with its name and tagged with its index.
  void AddMenuItems(ui::TMenuItem& menu);
  // Loads the plug-in of that index and runs it until its exec_plugin returns.
  void Run(size_t index);
  bool Running() const { return running_; }

 private:
  PluginHostContext ctx_;
  platform::UserInteraction& user_;
  std::vector<MenuPluginEntry> entries_;
  bool running_ = false;
};

}  // namespace corvane::plugins
