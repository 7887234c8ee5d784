#include "hardware/overclocking/profile_store.h"

#include <cmath>
#include <cwchar>
#include <iterator>

#include "settings/global.h"
#include "settings/profile_name.h"
#include "hardware/overclocking/clock_rounding.h"
#include "platform/registry_values.h"

namespace corvane::overclocking {
namespace {

using platform::RegistryRoot;

constexpr wchar_t kUnsafeNameCharacters[] = L"/\\?|\"*<>:";

std::optional<double> ReadClock(const platform::RegistryKey& key, const wchar_t* name) {
  std::optional<double> value = platform::ReadRegDouble(key, name);
  if (!value || !std::isfinite(*value) || *value < 0) return std::nullopt;
  return value;
}

uint32_t ReadTiming(const platform::RegistryKey& key, const wchar_t* name) {
  return TimingFromStored(platform::ReadRegDouble(key, name).value_or(0));
}

}  // namespace

std::wstring OverProfilesKey() { return global::ProfilesRoot + L"over"; }

std::wstring OverProfileKey(const std::wstring& name) { return OverProfilesKey() + L"\\" + name; }

std::wstring ExcludedFilesKey() { return global::ProfilesRoot + L"exfiles"; }

std::wstring CleanProfileName(std::wstring name) {
  for (wchar_t& c : name)
    if (std::wcschr(kUnsafeNameCharacters, c) != nullptr && c != L'\0') c = L'_';
  return name;
}

std::wstring OverProfileEntry(const std::wstring& name, double vpu, double mem, int memoryFactor, bool t1, bool t2,
                              bool t3) {
  wchar_t clocks[48];
  std::swprintf(clocks, std::size(clocks), L" * %d:%d ", RoundHalfEven(vpu), RoundHalfEven(memoryFactor * mem));
  return name + clocks + (t1 ? L"T1" : L"") + L" " + (t2 ? L"T2" : L"") + L" " + (t3 ? L"T3" : L"");
}

std::wstring ProfileNameFromEntry(const std::wstring& entry) {
  const size_t star = entry.find(L'*');
  if (star == std::wstring::npos) return entry;
  return entry.substr(0, star == 0 ? 0 : star - 1);
}

std::optional<StoredOverProfile> ReadOverProfile(platform::Registry& registry, const std::wstring& name) {
  if (!settings::IsProfileName(name)) return std::nullopt;
  auto key = registry.OpenKey(RegistryRoot::CurrentUser, OverProfileKey(name), false);
  if (!key) return std::nullopt;
  StoredOverProfile profile;
  profile.vpu = ReadClock(*key, L"vpu");
  profile.mem = ReadClock(*key, L"mem");
  profile.t1 = ReadTiming(*key, L"t1");
  profile.t2 = ReadTiming(*key, L"t2");
  profile.t3 = ReadTiming(*key, L"t3");
  return profile;
}

bool WriteOverProfile(platform::Registry& registry, const std::wstring& name, double vpu, double mem, uint32_t t1,
                      uint32_t t2, uint32_t t3) {
  if (!settings::IsProfileName(name)) return false;
  auto key = registry.OpenKey(RegistryRoot::CurrentUser, OverProfileKey(name), true);
  if (!key) return false;
  bool written = platform::WriteRegDouble(*key, L"vpu", vpu);
  written &= platform::WriteRegDouble(*key, L"mem", mem);
  written &= platform::WriteRegDouble(*key, L"t1", t1);
  written &= platform::WriteRegDouble(*key, L"t2", t2);
  written &= platform::WriteRegDouble(*key, L"t3", t3);
  return written;
}

bool DeleteOverProfile(platform::Registry& registry, const std::wstring& name) {
  // An empty name would take every profile along.
  if (!settings::IsProfileName(name)) return false;
  return registry.DeleteKey(RegistryRoot::CurrentUser, OverProfileKey(name));
}

std::vector<std::wstring> OverProfileNames(platform::Registry& registry) {
  auto key = registry.OpenKey(RegistryRoot::CurrentUser, OverProfilesKey(), true);
  return key ? key->SubKeyNames() : std::vector<std::wstring>{};
}

uint32_t TimingFromStored(double value) {
  if (!std::isfinite(value) || value < 0 || value >= 4294967296.0) return 0;
  return static_cast<uint32_t>(value);
}

std::vector<std::wstring> ReadExcludedFiles(platform::Registry& registry) {
  auto key = registry.OpenKey(RegistryRoot::CurrentUser, ExcludedFilesKey(), true);
  return key ? key->ValueNames() : std::vector<std::wstring>{};
}

void WriteExcludedFiles(platform::Registry& registry, const std::vector<std::wstring>& files) {
  registry.DeleteKey(RegistryRoot::CurrentUser, ExcludedFilesKey());
  auto key = registry.OpenKey(RegistryRoot::CurrentUser, ExcludedFilesKey(), true);
  if (!key) return;
  for (const std::wstring& file : files) platform::WriteRegString(*key, file, L"");
}

}  // namespace corvane::overclocking
