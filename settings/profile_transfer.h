#pragma once
// One stored profile to a file and back: what the profile dialogs' "导出..." and "导入..."
// buttons do. A profile is every value of its key under the profiles root (a colour
// profile: its one value under "colors"), copied with its registry type.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/registry.h"
#include "platform/user_interaction.h"
#include "platform/whole_file.h"
#include "settings/profile_file.h"

namespace corvane::settings {

enum class StoredProfileKind { Direct3D, OpenGL, Overclocking, Color, Display, Game };

// The kind's key under the profiles root ("d3d", "ogl", "over", "colors", "Display",
// "Games"), which is also its name in a profile file.
std::wstring StoredProfileKindName(StoredProfileKind kind);

// Everything stored for the profile; nothing when there is no such profile.
std::optional<ProfileFile> ReadStoredProfile(platform::Registry& registry, const std::wstring& profilesRoot,
                                             StoredProfileKind kind, const std::wstring& name);
bool StoredProfileExists(platform::Registry& registry, const std::wstring& profilesRoot, StoredProfileKind kind,
                         const std::wstring& name);
// Replaces the profile `profile.name` of that kind (its whole key) with the file's values.
bool WriteStoredProfile(platform::Registry& registry, const std::wstring& profilesRoot, StoredProfileKind kind,
                        const ProfileFile& profile);

struct ProfileTransferContext {
  platform::Registry& registry;
  platform::UserInteraction& user;
  std::wstring profilesRoot;
  // A file at a path the user chose.
  std::function<std::unique_ptr<platform::WholeFile>(const std::wstring& path)> openFile;
};

// Asks for a file and writes the profile into it; false when the user cancelled, there is
// no such profile or the file could not be written (the user was told).
bool ExportProfile(const ProfileTransferContext& ctx, StoredProfileKind kind, const std::wstring& name);

// Asks for a file and stores the profile it holds under the file's (cleaned) name. A file
// that cannot be read, is damaged or holds another kind of profile is refused with a
// message; an existing profile of that name is replaced only when the user agrees. The
// stored name; nothing when nothing was written.
std::optional<std::wstring> ImportProfile(const ProfileTransferContext& ctx, StoredProfileKind kind);

}  // namespace corvane::settings
