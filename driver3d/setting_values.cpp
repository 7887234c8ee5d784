#include "driver3d/setting_values.h"

#include <optional>
#include <vector>

#include "driver3d/setting_text.h"
#include "platform/registry_values.h"

namespace corvane::driver3d {
namespace {

namespace RegType = platform::RegType;

// The text of a stored value in either storage; nothing when it does not hold one.
std::optional<std::wstring> StoredText(const platform::RegistryValue& value) {
  switch (value.type) {
    case RegType::Binary: return DecodeStoredText(value.data, kMaxBinaryTextBytes);
    case RegType::String:
    case RegType::ExpandString: return DecodeStoredText(value.data, kMaxStringTextBytes);
    default: return std::nullopt;
  }
}

std::vector<uint8_t> LittleEndian32(int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
          static_cast<uint8_t>(v >> 24)};
}

// One to four bytes, zero-extended.
int32_t LittleEndianNumber(const std::vector<uint8_t>& data) {
  uint32_t number = 0;
  for (size_t i = 0; i < data.size() && i < 4; ++i) number |= static_cast<uint32_t>(data[i]) << (8 * i);
  return static_cast<int32_t>(number);
}

}  // namespace

std::wstring ReadSettingText(DriverRegistry& registry, const std::wstring& name, bool create,
                             const std::wstring& defaultText) {
  if (name.empty()) return defaultText;
  platform::RegistryKey* key = registry.Key();
  if (!key) return TrimBlanks(defaultText);
  if (std::optional<platform::RegistryValue> value = key->ReadValue(name)) {
    std::optional<std::wstring> text = StoredText(*value);
    return text ? TrimBlanks(*text) : defaultText;
  }
  if (create) WriteSettingText(registry, name, defaultText, registry.AceMode());
  return TrimBlanks(defaultText);
}

void WriteSettingText(DriverRegistry& registry, const std::wstring& name, const std::wstring& text, bool binary) {
  platform::RegistryKey* key = registry.Key();
  if (!key || name.empty()) return;
  if (binary) {
    platform::WriteRegBinary(*key, name, EncodeBinaryText(text));
  } else {
    platform::WriteRegString(*key, name, text);
  }
}

int32_t ReadSettingDword(DriverRegistry& registry, const std::wstring& name, bool create, int32_t defaultValue) {
  platform::RegistryKey* key = registry.Key();
  if (!key || name.empty()) return defaultValue;
  if (std::optional<platform::RegistryValue> value = key->ReadValue(name)) {
    if (value->type != RegType::Dword || value->data.size() != 4) return defaultValue;
    return LittleEndianNumber(value->data);
  }
  if (create) WriteSettingDword(registry, name, defaultValue);
  return defaultValue;
}

void WriteSettingDword(DriverRegistry& registry, const std::wstring& name, int32_t value) {
  platform::RegistryKey* key = registry.Key();
  if (!key || name.empty()) return;
  platform::WriteRegDword(*key, name, static_cast<uint32_t>(value));
}

int32_t ReadBinaryFlag(DriverRegistry& registry, const std::wstring& name, int32_t defaultValue, bool create) {
  platform::RegistryKey* key = registry.Key();
  if (!key || name.empty()) return defaultValue;
  std::optional<platform::RegistryValue> value = key->ReadValue(name);
  if (!value) {
    if (create) WriteBinaryFlag(registry, name, defaultValue);
    return defaultValue;
  }
  const std::vector<uint8_t>& data = value->data;
  if (value->type == RegType::Dword && data.size() != 4) return defaultValue;
  if (value->type != RegType::Dword && value->type != RegType::Binary) return defaultValue;
  if (data.empty() || data.size() > 4) return defaultValue;
  return LittleEndianNumber(data);
}

void WriteBinaryFlag(DriverRegistry& registry, const std::wstring& name, int32_t value) {
  platform::RegistryKey* key = registry.Key();
  if (!key || name.empty()) return;
  platform::WriteRegBinary(*key, name, LittleEndian32(value));
}

void DeleteSetting(DriverRegistry& registry, const std::wstring& name) {
  // An empty name would be the key's unnamed value, which is no setting.
  if (name.empty()) return;
  if (platform::RegistryKey* key = registry.Key()) key->DeleteValue(name);
}

bool SettingExists(const DriverRegistry& registry, const std::wstring& name) {
  const platform::RegistryKey* key = registry.Key();
  return key && key->QueryValue(name).has_value();
}

}  // namespace corvane::driver3d
