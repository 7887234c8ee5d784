#include "games/game_profile.h"

#include <algorithm>

#include "platform/registry_values.h"
#include "settings/profile_name.h"

namespace corvane::games {
namespace {

using platform::RegistryRoot;

constexpr wchar_t kUnsafeCharacters[] = L"/\\?|\"*<>:";

wchar_t LowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool LessNoCase(const std::wstring& a, const std::wstring& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](wchar_t x, wchar_t y) { return LowerAscii(x) < LowerAscii(y); });
}

std::wstring Text(const platform::RegistryKey& key, const wchar_t* name) {
  return platform::ReadRegString(key, name).value_or(L"");
}

uint32_t Number(const platform::RegistryKey& key, const wchar_t* name) {
  return platform::ReadRegDword(key, name).value_or(0);
}

// A restore flag the editor and the launcher expect to find: written as 0 when absent.
uint32_t RestoreFlag(platform::RegistryKey& key, const wchar_t* name) {
  if (std::optional<uint32_t> value = platform::ReadRegDword(key, name)) return *value;
  if (!key.QueryValue(name)) platform::WriteRegDword(key, name, 0);
  return 0;
}

}  // namespace

std::wstring GamesKey(const std::wstring& profilesRoot) { return profilesRoot + L"Games"; }

std::wstring GameProfileKey(const std::wstring& profilesRoot, const std::wstring& name) {
  return GamesKey(profilesRoot) + L"\\" + name;
}

std::wstring CleanGameProfileName(const std::wstring& name) {
  std::wstring clean = name;
  for (wchar_t& c : clean)
    if (std::wstring_view(kUnsafeCharacters).find(c) != std::wstring_view::npos) c = L'_';
  return clean;
}

std::wstring WithoutAmpersands(const std::wstring& name) {
  std::wstring plain = name;
  std::erase(plain, L'&');
  return plain;
}

std::optional<std::wstring> ResolveGameProfileName(platform::Registry& registry, const std::wstring& profilesRoot,
                                                   const std::wstring& requested) {
  if (settings::IsProfileName(requested) &&
      registry.OpenKey(RegistryRoot::CurrentUser, GameProfileKey(profilesRoot, requested), false))
    return requested;
  std::wstring plain = WithoutAmpersands(requested);
  if (!settings::IsProfileName(plain)) return std::nullopt;
  return plain;
}

std::vector<std::wstring> GameProfileNames(platform::Registry& registry, const std::wstring& profilesRoot) {
  auto games = registry.OpenKey(RegistryRoot::CurrentUser, GamesKey(profilesRoot), true);
  if (!games) return {};
  std::vector<std::wstring> names = games->SubKeyNames();
  std::stable_sort(names.begin(), names.end(), LessNoCase);
  return names;
}

GameProfile ReadGameProfile(platform::Registry& registry, const std::wstring& profilesRoot, const std::wstring& name) {
  GameProfile profile;
  if (!settings::IsProfileName(name)) return profile;
  auto key = registry.OpenKey(RegistryRoot::CurrentUser, GameProfileKey(profilesRoot, name), true);
  if (!key) return profile;
  profile.File = Text(*key, L"File");
  profile.File_Params = Text(*key, L"File_Params");
  profile.UseD3D = Number(*key, L"UseD3D");
  profile.D3DName = Text(*key, L"D3DName");
  profile.RestoreD3D = RestoreFlag(*key, L"RestoreD3D");
  profile.UseOGL = Number(*key, L"UseOGL");
  profile.OGLName = Text(*key, L"OGLName");
  profile.RestoreOGL = RestoreFlag(*key, L"RestoreOGL");
  profile.UseOver = Number(*key, L"UseOver");
  profile.OverName = Text(*key, L"OverName");
  profile.UseAfter = Number(*key, L"UseAfter");
  profile.AfterName = Text(*key, L"AfterName");
  profile.ColorProfile = Text(*key, L"ColorProfile");
  profile.ExitAfterGame = Number(*key, L"ExitAfterGame");
  profile.SwitchResolution = Text(*key, L"SwitchResolution");
  return profile;
}

bool WriteGameProfile(platform::Registry& registry, const std::wstring& profilesRoot, const std::wstring& name,
                      const GameProfile& profile) {
  if (!settings::IsProfileName(name)) return false;
  auto key = registry.OpenKey(RegistryRoot::CurrentUser, GameProfileKey(profilesRoot, name), true);
  if (!key) return false;
  platform::WriteRegString(*key, L"File", profile.File);
  platform::WriteRegString(*key, L"File_Params", profile.File_Params);
  platform::WriteRegDword(*key, L"UseD3D", profile.UseD3D);
  platform::WriteRegString(*key, L"D3DName", profile.D3DName);
  platform::WriteRegDword(*key, L"RestoreD3D", profile.RestoreD3D);
  platform::WriteRegDword(*key, L"UseOGL", profile.UseOGL);
  platform::WriteRegString(*key, L"OGLName", profile.OGLName);
  platform::WriteRegDword(*key, L"RestoreOGL", profile.RestoreOGL);
  platform::WriteRegDword(*key, L"UseOver", profile.UseOver);
  platform::WriteRegString(*key, L"OverName", profile.OverName);
  platform::WriteRegDword(*key, L"UseAfter", profile.UseAfter);
  platform::WriteRegString(*key, L"AfterName", profile.AfterName);
  platform::WriteRegString(*key, L"ColorProfile", profile.ColorProfile);
  platform::WriteRegDword(*key, L"ExitAfterGame", profile.ExitAfterGame);
  platform::WriteRegString(*key, L"SwitchResolution", profile.SwitchResolution);
  return true;
}

}  // namespace corvane::games
