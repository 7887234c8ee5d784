#pragma once
// busconf's settings: PCI configuration writes the user listed, kept as value names
// "bus-device-function-register-width-value" (decimal) under the plug-in's key, and
// performed through the host service when the plug-in starts and after every resume.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "plugins/sdk/corvane_plugin.h"

namespace corvane::busconf {

// Below HKEY_CURRENT_USER.
inline const std::wstring kSettingsKey = L"SOFTWARE\\Quillon\\Corvane\\Profiles\\Plugins\\busconf";

enum class Width : uint8_t { Byte = 0, Word = 1, Dword = 2 };

struct BusSetting {
  uint8_t bus = 0;
  uint8_t device = 0;
  uint8_t function = 0;
  uint8_t reg = 0;
  Width width = Width::Byte;
  uint32_t value = 0;
  bool operator==(const BusSetting&) const = default;
  // The same register of the same function, whatever is written to it.
  bool SameRegister(const BusSetting& other) const {
    return bus == other.bus && device == other.device && function == other.function && reg == other.reg;
  }
};

// Six decimal numbers joined by '-'. Nothing for anything else: a field that is not a
// number, a bus, device, function or register above 255, a width other than 0-2, or text
// after the value. The value is cut to its width.
std::optional<BusSetting> ParseSettingName(std::wstring_view name);
std::wstring SettingName(const BusSetting& setting);

// The width's name ("字节", "单字", "双字") and the value in its width's digits.
std::wstring WidthName(Width width);
std::wstring ValueText(const BusSetting& setting);
uint32_t WidthMask(Width width);

// The settings in the key's order; names that do not parse are skipped. The key is made
// when it is missing.
std::vector<BusSetting> ReadSettings(platform::Registry& registry);
// Replaces the whole key with one empty string value per setting.
void WriteSettings(platform::Registry& registry, const std::vector<BusSetting>& settings);
// Performs every setting with host service code 24, 25 or 26.
void ApplySettings(platform::Registry& registry, HostService service);

}  // namespace corvane::busconf
