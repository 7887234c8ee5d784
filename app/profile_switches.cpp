#include "app/profile_switches.h"

#include <array>
#include <string_view>

#include "games/game_profile.h"
#include "platform/registry_values.h"
#include "platform/text_encoding.h"
#include "settings/global.h"
#include "settings/profile_transfer.h"

namespace corvane {
namespace {

constexpr std::array<RunKind, 6> kSwitchOrder{RunKind::Game,         RunKind::Direct3D, RunKind::OpenGL,
                                              RunKind::Overclocking, RunKind::Color,    RunKind::Display};
constexpr wchar_t kRunKindValue[] = L"RunKind";
constexpr wchar_t kBackupName[] = L"$$";

settings::StoredProfileKind StoredKind(RunKind kind) {
  switch (kind) {
    case RunKind::Direct3D: return settings::StoredProfileKind::Direct3D;
    case RunKind::OpenGL: return settings::StoredProfileKind::OpenGL;
    case RunKind::Overclocking: return settings::StoredProfileKind::Overclocking;
    case RunKind::Color: return settings::StoredProfileKind::Color;
    case RunKind::Display: return settings::StoredProfileKind::Display;
    case RunKind::Game: break;
  }
  return settings::StoredProfileKind::Game;
}

// The parameter after the first switch of that name; empty when it is the last.
std::wstring ParameterAfter(const CommandLine& line, std::wstring_view name) {
  for (size_t n = 1; n <= line.Count(); ++n)
    if (CommandLine({line.Param(n)}).HasSwitch(name)) return line.Param(n + 1);
  return {};
}

std::wstring CleanName(std::wstring name) {
  for (wchar_t& c : name)
    if (std::wstring_view(L"/\\?|\"*<>:").find(c) != std::wstring_view::npos) c = L'_';
  return name;
}

}  // namespace

std::wstring RunKindName(RunKind kind) {
  switch (kind) {
    case RunKind::Game: return L"loadgame";
    case RunKind::Direct3D: return L"d3d";
    case RunKind::OpenGL: return L"ogl";
    case RunKind::Overclocking: return L"over";
    case RunKind::Color: return L"color";
    case RunKind::Display: return L"display";
  }
  return {};
}

std::optional<ProfileRequest> FindProfileRequest(const CommandLine& line) {
  for (RunKind kind : kSwitchOrder) {
    const std::wstring name = RunKindName(kind);
    if (!line.HasSwitch(name)) continue;
    return ProfileRequest{kind, kind == RunKind::Game ? line.Param(2) : ParameterAfter(line, name)};
  }
  return std::nullopt;
}

std::optional<std::wstring> ResolveRequestedProfile(platform::Registry& registry, const std::wstring& profilesRoot,
                                                    const ProfileRequest& request) {
  if (request.kind == RunKind::Game) {
    std::optional<std::wstring> name = games::ResolveGameProfileName(registry, profilesRoot, request.name);
    if (!name || *name == kBackupName) return std::nullopt;
    if (!registry.OpenKey(platform::RegistryRoot::CurrentUser, games::GameProfileKey(profilesRoot, *name), false))
      return std::nullopt;
    return name;
  }
  // A profile is saved under its cleaned name; a request may spell it as typed then.
  for (const std::wstring& name : {request.name, CleanName(request.name)})
    if (name != kBackupName && settings::StoredProfileExists(registry, profilesRoot, StoredKind(request.kind), name))
      return name;
  return std::nullopt;
}

std::wstring MissingProfileText(const ProfileRequest& request) {
  return L"配置文件不存在: /" + RunKindName(request.kind) + L" \"" + request.name + L"\"";
}

void StoreRunKind(platform::Registry& registry, RunKind kind) {
  auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, global::ProgramKey, true);
  if (key) platform::WriteRegString(*key, kRunKindValue, kind == RunKind::Game ? std::wstring() : RunKindName(kind));
}

RunKind ReadRunKind(platform::Registry& registry) {
  auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, global::ProgramKey, false);
  const std::wstring text = key ? platform::ReadRegString(*key, kRunKindValue).value_or(L"") : L"";
  for (RunKind kind : kSwitchOrder)
    if (kind != RunKind::Game && platform::EqualsNoCase(text, RunKindName(kind))) return kind;
  // Absent, empty or anything else: a game, as every forward was before there were kinds.
  return RunKind::Game;
}

}  // namespace corvane
