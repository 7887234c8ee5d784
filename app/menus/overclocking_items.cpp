#include "app/menus/overclocking_items.h"

#include "app/menus/menu_text.h"
#include "hardware/overclocking/clock_rounding.h"
#include "hardware/overclocking/profile_store.h"
#include "hardware/rvx.h"
#include "platform/registry_values.h"

namespace corvane::menus {

namespace {

using overclocking::RoundHalfEven;

// The first four items (dialog, settings, card information, separator) are declared.
constexpr size_t kDeclaredItems = 4;
constexpr int kProfileGroup = 20;

// Reads the profile's five values while its key is open; missing ones are written back as
// 0 so the overclocking dialog finds a complete profile. A value that is there but not a
// stored number reads as 0 and is left as it is: it may be the user's own.
OverProfile ReadProfile(platform::RegistryKey& key) {
  OverProfile profile;
  auto read = [&key](const wchar_t* name) {
    std::optional<double> value = platform::ReadRegDouble(key, name);
    if (!value && !key.ReadValue(name)) platform::WriteRegDouble(key, name, 0);
    return value.value_or(0);
  };
  profile.vpu = read(L"vpu");
  profile.mem = read(L"mem");
  profile.timing[0] = read(L"t1") != 0;
  profile.timing[1] = read(L"t2") != 0;
  profile.timing[2] = read(L"t3") != 0;
  return profile;
}

}  // namespace

OverProfiles WatchOverProfiles(platform::Registry& registry) {
  return OverProfiles(registry, overclocking::OverProfilesKey(), &ReadProfile);
}

void RebuildOverclockingItems(MenuContext& ctx, ui::TPopupMenu& pm1, OverProfiles& profiles,
                              const ApplyProfileCall& apply) {
  ui::TMenuItem& dialogItem = pm1.Item(L"Overcloking1");
  hardware::TRVX* rvx = ctx.rvx;
  if (rvx == nullptr || !rvx->DriverOpen) {
    dialogItem.Caption = L"加载设备驱动出错!";
    return;
  }
  rvx->ReadClocks();
  const int memoryFactor = ctx.reg1.GetBool(L"ShowDDR") ? 2 : 1;
  const int32_t core = RoundHalfEven(rvx->CoreClock);
  const int32_t memory = RoundHalfEven(rvx->MemClock);

  ui::TMenuItem& menu = pm1.Item(L"Overclocking1");
  menu.DeleteFrom(kDeclaredItems);
  bool checked = false;
  for (const OverProfiles::Profile& stored : profiles.Current()) {
    if (!stored.entry) continue;
    const OverProfile& profile = *stored.entry;
    const std::wstring& name = stored.name;
    auto item = std::make_unique<ui::TMenuItem>();
    item->Caption = overclocking::OverProfileEntry(name, profile.vpu, profile.mem, memoryFactor, profile.timing[0],
                                                   profile.timing[1], profile.timing[2]);
    item->RadioItem = true;
    item->GroupIndex = kProfileGroup;
    item->AutoHotkeys = false;
    // Only the first profile with the card's clocks: several may share them.
    if (!checked && RoundHalfEven(profile.vpu) == core && RoundHalfEven(profile.mem) == memory) {
      item->Checked = true;
      checked = true;
    }
    // The caption shows "&" as it is (no accelerators here), so the name is used itself.
    item->OnClick = [apply, name](ui::TMenuItem&) {
      if (apply) apply(name);
    };
    menu.Add(std::move(item));
  }
  dialogItem.Caption = L"超频设置...";
}

}  // namespace corvane::menus
