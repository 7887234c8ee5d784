#include "app/monitors/app_events.h"

#include "app/monitors/app_3d.h"
#include "app/monitors/hook_reports.h"
#include "app/menus/game_items.h"
#include "games/game_profile.h"
#include "platform/text_encoding.h"

namespace corvane::monitors {
namespace {

void Apply3DProfile(AppEventContext& ctx) {
  const std::wstring name = ctx.reg1.GetString(L"3dprofile");
  if (!name.empty() && ctx.ApplyOverProfile) ctx.ApplyOverProfile(name);
}

void Watch(AppEventContext& ctx, uint32_t processId, uint32_t mode) {
  if (ctx.StartApp3d) ctx.StartApp3d(processId, mode);
}

void PlayIfOn(AppEventContext& ctx, const wchar_t* switchName, const wchar_t* fileName) {
  if (!ctx.reg1.GetBool(switchName)) return;
  const std::wstring file = ctx.reg1.GetString(fileName);
  if (!file.empty() && ctx.PlaySound) ctx.PlaySound(file);
}

// A 3D device is being created inside the application.
void DeviceReport(AppEventContext& ctx, const AppReport& report) {
  if (!ctx.reg1.GetBool(L"Enable2d3d") || ctx.Profile3DApplied) return;
  if (ctx.App3DRunning) {
    // A game started with its profile: the profile's own choice decides.
    if (ctx.lastGame.UseOver == games::OverAction::Auto2D3D && !ctx.reg1.GetString(L"3dprofile").empty()) {
      ctx.Profile3DApplied = true;
      Apply3DProfile(ctx);
      PlaySound3D(ctx);
    }
    Watch(ctx, report.processId, ctx.lastGame.UseAfter);
    return;
  }
  Apply3DProfile(ctx);
  PlaySound3D(ctx);
  ctx.Profile3DApplied = true;
  Watch(ctx, report.processId, kApp3dSwitchTo2D);
}

// The application started. True when it was a game with a profile.
bool StartReport(AppEventContext& ctx, const AppReport& report) {
  const std::wstring file =
      platform::UpperAscii(ctx.ReportText ? ctx.ReportText(report.executable) : std::wstring());
  if (file.empty()) return false;
  const std::wstring profile = FindGameProfile(ctx.ProfileLookupList, file);
  if (!profile.empty()) {
    if (ctx.ApplyGameProfile) ctx.ApplyGameProfile(profile, report.processId);
    return true;
  }
  if (ctx.reg1.GetBool(L"Enable2d3d") && report.is3DApplication) {
    ctx.Profile3DApplied = true;
    Apply3DProfile(ctx);
    PlaySound3D(ctx);
    Watch(ctx, report.processId, kApp3dSwitchTo2D);
  }
  return false;
}

}  // namespace

std::wstring FindGameProfile(const std::vector<std::wstring>& lookupList, const std::wstring& upperFile) {
  for (const std::wstring& entry : lookupList) {
    const size_t separator = entry.find(menus::kLookupSeparator);
    if (separator == std::wstring::npos) continue;
    if (entry.compare(0, separator, upperFile) == 0) return entry.substr(separator + 1);
  }
  return {};
}

void HandleAppEvent(AppEventContext& ctx, std::span<uint8_t> mapping) {
  const std::optional<AppReport> report = ParseAppReport(mapping);
  if (!report) return;
  if (report->deviceReport) {
    DeviceReport(ctx, *report);
  } else if (StartReport(ctx, *report)) {
    TakeAppReport(mapping);
  }
}

void App3dEnded(AppEventContext& ctx, uint32_t mode) {
  if (ctx.Profile3DApplied && mode == kApp3dSwitchTo2D) {
    const std::wstring name = ctx.reg1.GetString(L"2dprofile");
    if (!name.empty()) {
      if (ctx.ApplyOverProfile) ctx.ApplyOverProfile(name);
      PlaySound2D(ctx);
    }
  }
  ctx.Profile3DApplied = false;
  ctx.App3DRunning = false;
  if (ctx.ApplyCurrentColor) ctx.ApplyCurrentColor();
}

void PlaySound3D(AppEventContext& ctx) { PlayIfOn(ctx, L"play3ds", L"play3df"); }

void PlaySound2D(AppEventContext& ctx) { PlayIfOn(ctx, L"play2ds", L"play2df"); }

}  // namespace corvane::monitors
