#pragma once
// A game profile as stored: one key per profile under the profiles root's "Games", named
// after the profile, with the game's file and what to put in force around its run.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace corvane::games {

// What an overclocking choice before or after the game does ("UseOver", "UseAfter").
namespace OverAction {
inline constexpr uint32_t None = 0;
inline constexpr uint32_t Profile = 1;   // the named profile
inline constexpr uint32_t Auto2D3D = 2;  // the automatic 2D/3D profiles
}  // namespace OverAction

struct GameProfile {
  std::wstring File;
  std::wstring File_Params;
  uint32_t UseD3D = 0;
  std::wstring D3DName;
  uint32_t RestoreD3D = 0;
  uint32_t UseOGL = 0;
  std::wstring OGLName;
  uint32_t RestoreOGL = 0;
  uint32_t UseOver = OverAction::None;
  std::wstring OverName;
  uint32_t UseAfter = OverAction::None;
  std::wstring AfterName;
  std::wstring ColorProfile;
  uint32_t ExitAfterGame = 0;
  std::wstring SwitchResolution;

  bool operator==(const GameProfile&) const = default;
};

// "<profiles root>Games" and one profile's key below it.
std::wstring GamesKey(const std::wstring& profilesRoot);
std::wstring GameProfileKey(const std::wstring& profilesRoot, const std::wstring& name);

// The name with each of / \ ? | " * < > : replaced by '_', as the key is named.
std::wstring CleanGameProfileName(const std::wstring& name);
// Every '&' taken out (a menu caption's accelerator marks).
std::wstring WithoutAmpersands(const std::wstring& name);

// The stored profile a requested name means: the name itself when a profile of exactly
// that name exists (names may hold '&'), else the name without '&'. Nothing for a name
// that cannot be a profile key.
std::optional<std::wstring> ResolveGameProfileName(platform::Registry& registry, const std::wstring& profilesRoot,
                                                   const std::wstring& requested);

// The profile names, sorted without regard to ASCII case; the "Games" key is created when absent.
std::vector<std::wstring> GameProfileNames(platform::Registry& registry, const std::wstring& profilesRoot);

// Reads the profile, creating its key when absent. Absent or mistyped texts are empty and
// numbers 0; "RestoreD3D" and "RestoreOGL" are written as 0 when absent.
GameProfile ReadGameProfile(platform::Registry& registry, const std::wstring& profilesRoot, const std::wstring& name);

// Writes all fifteen values into the profile's key (created when absent). False when the
// key could not be opened.
bool WriteGameProfile(platform::Registry& registry, const std::wstring& profilesRoot, const std::wstring& name,
                      const GameProfile& profile);

}  // namespace corvane::games
