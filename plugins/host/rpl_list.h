#pragma once
// TRPLList: the run-time plug-ins of the plug-in folder, keyed by file name in sorted
// order, each loaded (and started when enabled) as the list is made and stopped and
// unloaded as it goes.

#include <memory>
#include <string>
#include <vector>

#include "plugins/host/plugin_host_context.h"
#include "plugins/host/run_time_plugin.h"

namespace corvane::plugins {

class TRPLList {
 public:
  explicit TRPLList(const PluginHostContext& context);
  // Each plug-in is stopped and unloaded, in list order.
  ~TRPLList();
  TRPLList(const TRPLList&) = delete;
  TRPLList& operator=(const TRPLList&) = delete;

  size_t Count() const { return plugins_.size(); }
  TRunTimePlugin& operator[](size_t index) const { return *plugins_.at(index); }
  // The plug-in of that file name (no folder, any case); null when there is none.
  TRunTimePlugin* Find(const std::wstring& fileName) const;
  // After the system resumed from standby or hibernation.
  void SuspendRestoreAll();

 private:
  std::vector<std::unique_ptr<TRunTimePlugin>> plugins_;
};

}  // namespace corvane::plugins
