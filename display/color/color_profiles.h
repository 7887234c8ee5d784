#pragma once
// Named colour profiles: one 36-byte binary value per profile under the program's
// Profiles\colors key, named after the profile with the characters a value name cannot
// safely carry replaced.

#include <optional>
#include <string>
#include <vector>

#include "display/color/color_table.h"
#include "platform/registry.h"

namespace corvane::display {

// The profile name with each of / \ ? | " * < > : replaced by '_'.
std::wstring CleanProfileName(const std::wstring& name);

class ColorProfiles {
 public:
  // `profilesRoot`: the path below HKEY_CURRENT_USER that "colors" is a sub-key of.
  ColorProfiles(platform::Registry& registry, std::wstring profilesRoot);

  // The stored names, in the registry's order.
  std::vector<std::wstring> Names() const;
  // Nothing when the profile is missing or its data is not 36 bytes of binary; values
  // beyond their ranges are brought into them.
  std::optional<ColorSettings> Read(const std::wstring& name) const;
  // Stored under the cleaned name.
  bool Save(const std::wstring& name, const ColorSettings& settings);
  bool Delete(const std::wstring& name);

 private:
  std::unique_ptr<platform::RegistryKey> Key(bool create) const;

  platform::Registry& registry_;
  std::wstring keyPath_;
};

}  // namespace corvane::display
