#include "display/displays/display_profiles.h"

#include <algorithm>
#include <cwctype>

#include "display/color/color_profiles.h"
#include "platform/registry_values.h"
#include "settings/profile_name.h"

namespace corvane::display {
namespace {

// The game launcher's backup, never offered to the user.
constexpr wchar_t kLauncherBackup[] = L"$$";

enum class Record { P, S, Tv, TheaterMode, TheaterAspect, FirstMonitor, SecondMonitor };

struct ProfileValue {
  const wchar_t* name;
  Record record;
  size_t slot;  // adjustment slot, for the three adjustment records
  int32_t fallback;
};

namespace A = Adjustment;

// clang-format off
constexpr ProfileValue kValues[] = {
    {L"c0_ed", Record::P, 0, 1},
    {L"c1_ed", Record::S, 0, 0},
    {L"tv_contr", Record::Tv, A::Contrast, 100},
    {L"tv_color", Record::Tv, A::Saturation, 100},
    {L"tv_spv", Record::Tv, A::VerticalPosition, 0},
    {L"tv_sph", Record::Tv, A::HorizontalPosition, 0},
    {L"tv_ssv", Record::Tv, A::VerticalSize, 0},
    {L"tv_ssh", Record::Tv, A::HorizontalSize, 0},
    {L"tv_fcc", Record::Tv, A::CompositeSharpness, 1},
    {L"tv_fcsv", Record::Tv, A::SVideoSharpness, 1},
    {L"tv_dot", Record::Tv, A::DotCrawl, 0},
    {L"tv_vf", Record::Tv, A::TvStandard, 8},
    {L"tv_lfr", Record::Tv, A::FlickerFilter, 60},
    {L"ov_tm", Record::TheaterMode, 0, 0},
    {L"ov_oss", Record::TheaterAspect, 0, 17},
    {L"d0_ssv", Record::FirstMonitor, A::VerticalSize, 0},
    {L"d0_ssh", Record::FirstMonitor, A::HorizontalSize, 0},
    {L"d0_sph", Record::FirstMonitor, A::HorizontalPosition, 0},
    {L"d0_spv", Record::FirstMonitor, A::VerticalPosition, 0},
    {L"d0_hs", Record::FirstMonitor, A::HorizontalSyncPolarity, 0},
    {L"d0_cs", Record::FirstMonitor, A::CompositeSync, 0},
    {L"d0_vs", Record::FirstMonitor, A::VerticalSyncPolarity, 0},
    {L"d1_ssv", Record::SecondMonitor, A::VerticalSize, 0},
    {L"d1_ssh", Record::SecondMonitor, A::HorizontalSize, 0},
    {L"d1_sph", Record::SecondMonitor, A::HorizontalPosition, 0},
    {L"d1_spv", Record::SecondMonitor, A::VerticalPosition, 0},
    {L"d1_hs", Record::SecondMonitor, A::HorizontalSyncPolarity, 0},
    {L"d1_cs", Record::SecondMonitor, A::CompositeSync, 0},
    {L"d1_vs", Record::SecondMonitor, A::VerticalSyncPolarity, 0},
};
// clang-format on

// Where a profile value lives in the records; the registry holds its 32 bits as they are.
uint32_t* Field(DisplayRecords& records, const ProfileValue& value) {
  const auto slot = [&](AdjustmentValues& adjustments) {
    return reinterpret_cast<uint32_t*>(&adjustments.Slots[value.slot]);
  };
  switch (value.record) {
    case Record::P:
      return &records.controllers[0].Displays;
    case Record::S:
      return &records.controllers[1].Displays;
    case Record::Tv:
      return slot(records.tv);
    case Record::TheaterMode:
      return &records.theater.Mode;
    case Record::TheaterAspect:
      return &records.theater.AspectFlags;
    case Record::FirstMonitor:
      return slot(records.monitors[0]);
    case Record::SecondMonitor:
      return slot(records.monitors[1]);
  }
  return nullptr;
}

std::wstring Trimmed(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L" \t\r\n");
  if (first == std::wstring::npos) return L"";
  const size_t last = text.find_last_not_of(L" \t\r\n");
  return text.substr(first, last - first + 1);
}

std::wstring Lowered(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return text;
}

}  // namespace

bool IsReservedDisplayProfileName(const std::wstring& name) {
  return Lowered(Trimmed(name)) == Lowered(kSingleDisplayName);
}

DisplayProfiles::DisplayProfiles(platform::Registry& registry, std::wstring profilesRoot)
    : registry_(registry), keyPath_(std::move(profilesRoot) + L"Display") {}

std::unique_ptr<platform::RegistryKey> DisplayProfiles::Key(const std::wstring& name, bool create) const {
  if (!settings::IsProfileName(name)) return nullptr;
  return registry_.OpenKey(platform::RegistryRoot::CurrentUser, keyPath_ + L"\\" + name, create);
}

std::vector<std::wstring> DisplayProfiles::Names() const {
  auto root = registry_.OpenKey(platform::RegistryRoot::CurrentUser, keyPath_, false);
  if (!root) return {};
  std::vector<std::wstring> names = root->SubKeyNames();
  std::erase(names, std::wstring(kLauncherBackup));
  std::stable_sort(names.begin(), names.end(),
                   [](const std::wstring& a, const std::wstring& b) { return Lowered(a) < Lowered(b); });
  return names;
}

bool DisplayProfiles::Exists(const std::wstring& name) const { return Key(name, false) != nullptr; }

bool DisplayProfiles::Load(const std::wstring& name, DisplayRecords& records) const {
  auto key = Key(name, false);
  if (!key) return false;
  for (const ProfileValue& value : kValues)
    *Field(records, value) = platform::ReadRegDword(*key, value.name).value_or(static_cast<uint32_t>(value.fallback));
  return true;
}

bool DisplayProfiles::Save(const std::wstring& name, const DisplayRecords& records) {
  auto key = Key(CleanProfileName(name), true);
  if (!key) return false;
  DisplayRecords copy = records;
  bool written = true;
  for (const ProfileValue& value : kValues) written &= platform::WriteRegDword(*key, value.name, *Field(copy, value));
  return written;
}

bool DisplayProfiles::Delete(const std::wstring& name) {
  if (!settings::IsProfileName(name)) return false;
  return registry_.DeleteKey(platform::RegistryRoot::CurrentUser, keyPath_ + L"\\" + name);
}

}  // namespace corvane::display
