#include "hardware/overclocking/apply_profile.h"

#include "hardware/overclocking/clock_rounding.h"
#include "hardware/overclocking/profile_store.h"

namespace corvane::overclocking {
namespace {

bool AutomaticProfilesAllowed(const OverclockingContext& ctx) { return ctx.optDisableOvr != 1; }

// A profile that no longer exists is skipped without a word.
void ApplyAutoOverProfile(OverclockingContext& ctx) {
  const std::wstring name = ctx.reg1.GetString(L"AutoOverProfile");
  if (!name.empty()) ApplyOverProfile(ctx, name);
}

void WarnNewCard(OverclockingContext& ctx) {
  platform::MessageBoxRequest request;
  request.caption = L"警告!";
  request.text = L"发现新设备! 启动时超频将不会被应用!";
  request.icon = platform::MessageIcon::Warning;
  ctx.user.ShowMessage(request);
}

}  // namespace

bool ApplyOverProfile(OverclockingContext& ctx, const std::wstring& name) {
  const std::optional<StoredOverProfile> profile = ReadOverProfile(ctx.registry, name);
  if (!profile) return false;
  hardware::TRVX& rvx = ctx.rvx;
  const int32_t vpu = RoundHalfEven(profile->vpu.value_or(rvx.DefaultCoreClock() / 100.0));
  const int32_t mem = RoundHalfEven(profile->mem.value_or(rvx.DefaultMemClock() / 100.0));
  if (profile->t1 != 0 || profile->t2 != 0 || profile->t3 != 0) rvx.SetMemTimings(profile->t1, profile->t2, profile->t3);
  rvx.SetClocks(ctx.reg1.GetInteger(L"ClockMode") == 1, vpu, mem);
  if (ctx.UpdateTrayTip) ctx.UpdateTrayTip();
  return true;
}

void LoadAutoOverProfile(OverclockingContext& ctx) {
  const int32_t deviceId = ctx.rvx.DeviceId;
  if (ctx.reg1.GetBool(L"AutoLoad") && AutomaticProfilesAllowed(ctx)) {
    const int32_t lastDeviceId = ctx.reg1.GetInteger(L"LastDeviceID");
    // A profile made for another card could harm this one; the first run has nothing to
    // compare with.
    if (lastDeviceId != 0 && lastDeviceId != deviceId)
      WarnNewCard(ctx);
    else
      ApplyAutoOverProfile(ctx);
  }
  // The card of this start, whether or not anything was applied: switching "AutoLoad" on
  // later must not take this card for a new one. Stored at once: a "/loadgame" forward
  // reloads every setting from the registry before the next save.
  ctx.reg1.StoreValue(L"LastDeviceID", deviceId);
}

void RestoreOverProfileAfterResume(OverclockingContext& ctx) {
  if (ctx.reg1.GetBool(L"SuspendRestore") && AutomaticProfilesAllowed(ctx)) ApplyAutoOverProfile(ctx);
}

}  // namespace corvane::overclocking
