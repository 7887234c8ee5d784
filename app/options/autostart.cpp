#include "app/options/autostart.h"

#include "platform/registry_values.h"

namespace corvane::options {
namespace {

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

}  // namespace

bool AutostartOn(platform::Registry& registry, const std::wstring& programPath) {
  auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, kRunKey, false);
  if (!key) return false;
  const std::optional<std::wstring> value = platform::ReadRegString(*key, kRunValueName);
  return value && (*value == Quoted(programPath) || *value == programPath);
}

void SetAutostart(platform::Registry& registry, const std::wstring& programPath, bool on) {
  auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, kRunKey, on);
  if (!key) return;
  if (on)
    platform::WriteRegString(*key, kRunValueName, Quoted(programPath));
  else
    key->DeleteValue(kRunValueName);
}

}  // namespace corvane::options
