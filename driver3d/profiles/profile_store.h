#pragma once
// Named snapshots of the driver's Direct3D or OpenGL settings, kept as sub-keys of the
// program's profile area ("d3d" and "ogl" below the profiles root, HKEY_CURRENT_USER).
// Saving copies the driver's values in; applying writes them back and makes them take
// effect; matching tells whether a profile equals what the driver holds now.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "driver3d/driver_registry.h"
#include "driver3d/quality_counters.h"
#include "platform/registry.h"

namespace corvane::driver3d {

// Kept by the game launcher to put the settings back after a game; no list shows it.
inline const std::wstring kBackupProfileName = L"$$";

enum class ProfileKind { Direct3D, OpenGL };

// What the profile operations need from the main form.
struct Profile3DContext {
  // The main form's driver registry, its storage mode settled at start-up.
  DriverRegistry& driver;
  // Where the profiles live, under HKEY_CURRENT_USER.
  platform::Registry& registry;
  // The key every kind of profile is a sub-key of, ending in '\'.
  std::wstring profilesRoot;
  // The tooltip's levels, kept in step when a profile sets anti-aliasing or anisotropy.
  QualityCounters& quality;
  std::function<void()> UpdateTrayTip;
  // Makes the driver re-read its settings.
  std::function<void()> ReloadDriverSettings;
};

// The key the profiles of that kind are sub-keys of, and one profile's key.
std::wstring ProfileKindKey(const Profile3DContext& ctx, ProfileKind kind);
std::wstring ProfileKey(const Profile3DContext& ctx, ProfileKind kind, const std::wstring& name);

// The stored profile names, in the registry's order, without the launcher's backup.
std::vector<std::wstring> ListedProfileNames(const Profile3DContext& ctx, ProfileKind kind);

// Replace the profile `name` with the driver's current settings. An empty name, or one
// that is no single key name, saves nothing. The OpenGL profile is not saved in AceMode,
// where the OpenGL settings are the shared Direct3D ones.
void SaveD3DProfile(const Profile3DContext& ctx, const std::wstring& name);
void SaveOpenGLProfile(const Profile3DContext& ctx, const std::wstring& name);

// Write a stored profile into the driver; a missing profile changes nothing. Direct3D
// ends with the driver re-reading its settings; OpenGL does not reload it. In AceMode an
// OpenGL profile is turned into the shared driver values.
void ApplyD3DProfile(const Profile3DContext& ctx, const std::wstring& name);
void ApplyOpenGLProfile(const Profile3DContext& ctx, const std::wstring& name);

// What the driver holds now of everything a profile of one kind is compared on. A list
// compares every profile against one copy, so the driver's keys are read once, however
// many profiles there are.
struct DriverSnapshot3D {
  ProfileKind kind = ProfileKind::Direct3D;
  std::vector<std::wstring> texts;  // Direct3D: every value a profile copies; OpenGL: the driver-key texts
  std::vector<int32_t> dwords;      // OpenGL: the OpenGL key's settings
  std::optional<uint32_t> forcedRate;
};
DriverSnapshot3D ReadDriverSnapshot(const Profile3DContext& ctx, ProfileKind kind);

// Whether the driver holds what the profile holds; false for a missing profile.
bool ProfileMatches(const Profile3DContext& ctx, const std::wstring& name, const DriverSnapshot3D& now);
bool D3DProfileMatches(const Profile3DContext& ctx, const std::wstring& name);
bool OpenGLProfileMatches(const Profile3DContext& ctx, const std::wstring& name);

}  // namespace corvane::driver3d
