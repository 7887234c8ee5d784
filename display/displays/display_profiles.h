#pragma once
// Named display profiles: one key per profile under the program's Profiles\Display key,
// holding the layout, the TV's adjustments, theater mode and both monitors' position,
// size and sync settings as DWORD values.

#include <memory>
#include <string>
#include <vector>

#include "display/displays/display_config.h"
#include "platform/registry.h"

namespace corvane::display {

// The tray item's own name, which a profile may not take (compared without case and
// surrounding blanks).
inline constexpr wchar_t kSingleDisplayName[] = L"默认单一显示";
bool IsReservedDisplayProfileName(const std::wstring& name);

class DisplayProfiles {
 public:
  // `profilesRoot`: the path below HKEY_CURRENT_USER that "Display" is a sub-key of.
  DisplayProfiles(platform::Registry& registry, std::wstring profilesRoot);

  // Sorted by name without regard to case; the game launcher's "$$" is never listed.
  std::vector<std::wstring> Names() const;
  bool Exists(const std::wstring& name) const;
  // Puts the stored values into `records`; a value that is missing or not a DWORD gives
  // its default. False, with `records` untouched, when there is no such profile.
  bool Load(const std::wstring& name, DisplayRecords& records) const;
  // Stored under the cleaned name (as colour profiles are); false for an empty one.
  bool Save(const std::wstring& name, const DisplayRecords& records);
  bool Delete(const std::wstring& name);

 private:
  std::unique_ptr<platform::RegistryKey> Key(const std::wstring& name, bool create) const;

  platform::Registry& registry_;
  std::wstring keyPath_;
};

}  // namespace corvane::display
