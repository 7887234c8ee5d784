#include "display/color/color_profiles.h"

#include <cstring>

#include "display/color/color_steps.h"
#include "platform/registry_values.h"

namespace corvane::display {

std::wstring CleanProfileName(const std::wstring& name) {
  std::wstring cleaned = name;
  for (wchar_t& c : cleaned)
    if (std::wstring_view(L"/\\?|\"*<>:").find(c) != std::wstring_view::npos) c = L'_';
  return cleaned;
}

ColorProfiles::ColorProfiles(platform::Registry& registry, std::wstring profilesRoot)
    : registry_(registry), keyPath_(std::move(profilesRoot) + L"colors") {}

std::unique_ptr<platform::RegistryKey> ColorProfiles::Key(bool create) const {
  return registry_.OpenKey(platform::RegistryRoot::CurrentUser, keyPath_, create);
}

std::vector<std::wstring> ColorProfiles::Names() const {
  auto key = Key(false);
  return key ? key->ValueNames() : std::vector<std::wstring>{};
}

std::optional<ColorSettings> ColorProfiles::Read(const std::wstring& name) const {
  // An empty name would read the key's default value.
  if (name.empty()) return std::nullopt;
  auto key = Key(false);
  if (!key) return std::nullopt;
  std::optional<std::vector<uint8_t>> data = platform::ReadRegBinary(*key, name);
  // A name typed with characters the store replaced finds its cleaned value.
  if (!data) data = platform::ReadRegBinary(*key, CleanProfileName(name));
  if (!data || data->size() != kColorSettingsBytes) return std::nullopt;
  ColorSettings settings;
  for (size_t i = 0; i < settings.values.size(); ++i) {
    const uint8_t* bytes = data->data() + 4 * i;
    settings.values[i] = static_cast<int32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                                              static_cast<uint32_t>(bytes[3]) << 24);
  }
  return ClampedToRanges(settings);
}

bool ColorProfiles::Save(const std::wstring& name, const ColorSettings& settings) {
  if (name.empty()) return false;
  auto key = Key(true);
  if (!key) return false;
  uint8_t bytes[kColorSettingsBytes];
  for (size_t i = 0; i < settings.values.size(); ++i) {
    const auto value = static_cast<uint32_t>(settings.values[i]);
    for (size_t b = 0; b < 4; ++b) bytes[4 * i + b] = static_cast<uint8_t>(value >> (8 * b));
  }
  return platform::WriteRegBinary(*key, CleanProfileName(name), bytes);
}

bool ColorProfiles::Delete(const std::wstring& name) {
  auto key = Key(false);
  return key && key->DeleteValue(name);
}

}  // namespace corvane::display
