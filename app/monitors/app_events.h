#pragma once
// What the program does with an application report: a game with a profile gets its
// profile; with the automatic 2D/3D switch on, a 3D application without one switches the
// overclocking to "3dprofile" until it ends, when "2dprofile" comes back.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "games/game_launcher.h"
#include "settings/reg_values.h"

namespace corvane::monitors {

struct AppEventContext {
  settings::TRegValues& reg1;
  bool& Profile3DApplied;
  bool& App3DRunning;
  const std::vector<std::wstring>& ProfileLookupList;
  // The choices of the game profile applied last (all 0 before any).
  games::GameInForce lastGame{};
  // The report's executable bytes as text.
  std::function<std::wstring(std::string_view bytes)> ReportText{};
  std::function<void(const std::wstring& name, uint32_t processId)> ApplyGameProfile{};
  std::function<void(const std::wstring& name)> ApplyOverProfile{};
  std::function<void(const std::wstring& file)> PlaySound{};
  // Watches the process (TApp3d); `mode` is what App3dEnded does when it ends.
  std::function<void(uint32_t processId, uint32_t mode)> StartApp3d{};
  // The colour state (gamma ramp) again.
  std::function<void()> ApplyCurrentColor{};
};

// The report in the "CORVANE_CBT" mapping (UI thread). A start report that matched a game
// profile is taken out of the mapping.
void HandleAppEvent(AppEventContext& ctx, std::span<uint8_t> mapping);
// A watched 3D application ended (UI thread).
void App3dEnded(AppEventContext& ctx, uint32_t mode);

// "play3df" when "play3ds" is on; "play2df" when "play2ds" is on.
void PlaySound3D(AppEventContext& ctx);
void PlaySound2D(AppEventContext& ctx);

// The profile name of the first lookup entry for `upperFile`; empty when none matches.
std::wstring FindGameProfile(const std::vector<std::wstring>& lookupList, const std::wstring& upperFile);

}  // namespace corvane::monitors
