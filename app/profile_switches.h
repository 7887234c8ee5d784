#pragma once
// Profiles put in force from the command line: "/loadgame NAME" starts a game profile's
// game; "/d3d NAME", "/ogl NAME", "/over NAME", "/color NAME" and "/display NAME" apply a
// stored profile of that kind. The running instance does the work: a second start checks
// the name, leaves the request in the settings ("RunKind" and "RunProfile") and wakes the
// running one with "corvane_run". A plain game request leaves "RunKind" empty, so the
// running instance starts the game exactly as it always has.

#include <optional>
#include <string>

#include "app/command_line.h"
#include "platform/registry.h"

namespace corvane {

enum class RunKind { Game, Direct3D, OpenGL, Overclocking, Color, Display };

struct ProfileRequest {
  RunKind kind = RunKind::Game;
  std::wstring name;
};

// Exit codes of a start that only hands a request on.
namespace RunExitCode {
inline constexpr int Done = 0;
// The named profile does not exist: nothing was changed.
inline constexpr int NoSuchProfile = 2;
}  // namespace RunExitCode

// The request on the command line; nothing without one of the six switches. A game's name
// is the second parameter, as it always was; the other switches take the parameter after
// them. With several switches the first in the order above counts.
std::optional<ProfileRequest> FindProfileRequest(const CommandLine& line);

// The switch's name ("loadgame", "d3d"...), which "RunKind" also holds for all but games.
std::wstring RunKindName(RunKind kind);

// The stored name the request means (a game's without '&', another's as saved, with the
// characters a key cannot hold replaced); nothing when there is no such profile. The game
// launcher's "$$" is no profile here.
std::optional<std::wstring> ResolveRequestedProfile(platform::Registry& registry, const std::wstring& profilesRoot,
                                                    const ProfileRequest& request);

// The line the calling process prints for a name that does not exist.
std::wstring MissingProfileText(const ProfileRequest& request);

// What a start leaves for the running instance, and what the running instance reads back.
// The kind is kept beside the settings store's values under the program's key.
void StoreRunKind(platform::Registry& registry, RunKind kind);
RunKind ReadRunKind(platform::Registry& registry);

}  // namespace corvane
