#pragma once
// TRunTimePlugin: one run-time plug-in, loaded from start-up to the end of the program and
// started while the user has it enabled. Its enabled state is the integer "enabled" under
// the profiles' "rtpl\<file name>"; 1 is enabled, anything else (or nothing, as for a
// newly installed plug-in) disabled.

#include <memory>
#include <string>

#include "platform/plugin_modules.h"
#include "plugins/host/plugin_host_context.h"

namespace corvane::plugins {

class TRunTimePlugin {
 public:
  // Loads the library, reads its name and starts it when it is enabled. A library that
  // does not load stays in the list, not loaded, and never starts.
  TRunTimePlugin(const PluginHostContext& context, std::wstring path);
  // Stops it and unloads the library.
  ~TRunTimePlugin();
  TRunTimePlugin(const TRunTimePlugin&) = delete;
  TRunTimePlugin& operator=(const TRunTimePlugin&) = delete;

  bool IsEnabled() const;
  void SetEnabled(bool enabled);

  // exec_plugin, when it exists and the plug-in is enabled; running once it returned.
  void Start();
  // done_plugin, when it exists and the plug-in runs; stopped once it returned.
  void Stop();
  void Configure();
  void SuspendRestore();

  const std::wstring& Path() const { return path_; }
  const std::wstring& FileName() const { return fileName_; }
  const std::wstring& Name() const { return name_; }
  bool Running() const { return running_; }
  bool Loaded() const { return module_ != nullptr; }

 private:
  std::wstring StateKey() const;
  bool Has(platform::PluginExport which) const { return module_ && module_->Has(which); }

  PluginHostContext ctx_;
  const std::wstring path_;
  const std::wstring fileName_;
  std::unique_ptr<platform::PluginModule> module_;
  std::wstring name_;
  bool running_ = false;
};

// The file name of a path, without its folder.
std::wstring FileNameOf(const std::wstring& path);

}  // namespace corvane::plugins
