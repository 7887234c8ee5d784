#pragma once
// Hook libraries, simulated: the test says which libraries exist and what they export;
// every load, entry call and unload is recorded in order.

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/hook_libraries.h"

namespace corvane::platform {

class SimHookLibraries final : public HookLibraries {
 public:
  // The three libraries with both their entries, as shipped.
  SimHookLibraries();

  std::unique_ptr<HookLibrary> Load(const std::wstring& fileName) override;
  // UTF-8, as the simulated hooks write it.
  std::wstring ReportText(std::string_view bytes) override;

  // A library of that file name (compared without case) with these exports; an empty
  // list still loads. Replaces an earlier one of the same name.
  void SetLibrary(const std::wstring& fileName, std::set<std::string> exports);
  void RemoveLibrary(const std::wstring& fileName);

  // "load rovhook.dll", "InstallROVHook", "free rovhook.dll" ... in the order they happened.
  std::vector<std::string> Calls() const;
  void ClearCalls();
  // Libraries loaded and not yet freed.
  size_t Loaded() const;

  void Record(std::string what);
  void Unloaded();

 private:
  mutable std::mutex mutex_;
  std::map<std::wstring, std::set<std::string>> libraries_;  // by upper-cased name
  std::vector<std::string> calls_;
  size_t loaded_ = 0;
};

}  // namespace corvane::platform
