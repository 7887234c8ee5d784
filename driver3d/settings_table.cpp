#include "driver3d/settings_table.h"

#include "driver3d/setting_values.h"

namespace corvane::driver3d {

std::wstring ReadSetting(DriverRegistry& registry, const TextSetting& setting) {
  return ReadSettingText(registry, setting.name, setting.created, setting.defaultText);
}

int32_t ReadSetting(DriverRegistry& registry, const DwordSetting& setting) {
  return ReadSettingDword(registry, setting.name, setting.created, setting.defaultValue);
}

int32_t ReadSetting(DriverRegistry& registry, const BinaryFlagSetting& setting) {
  return ReadBinaryFlag(registry, setting.name, setting.defaultValue, setting.created);
}

void WriteSetting(DriverRegistry& registry, const TextSetting& setting, const std::wstring& text) {
  const bool binary = setting.storage == TextStorage::FollowsMode && registry.AceMode();
  WriteSettingText(registry, setting.name, text, binary);
}

void WriteSetting(DriverRegistry& registry, const DwordSetting& setting, int32_t value) {
  WriteSettingDword(registry, setting.name, value);
}

void WriteSetting(DriverRegistry& registry, const BinaryFlagSetting& setting, int32_t value) {
  WriteBinaryFlag(registry, setting.name, value);
}

}  // namespace corvane::driver3d
