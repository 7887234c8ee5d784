#include "plugins/busconf/bus_settings.h"

#include <cstring>
#include <cwchar>
#include <iterator>

#include "platform/registry_values.h"

namespace corvane::busconf {
namespace {

constexpr size_t kFields = 6;

// A run of decimal digits that fits 32 bits; advances `at` past it.
std::optional<uint32_t> ReadNumber(std::wstring_view text, size_t& at) {
  const size_t start = at;
  uint64_t value = 0;
  while (at < text.size() && text[at] >= L'0' && text[at] <= L'9') {
    value = value * 10 + static_cast<uint64_t>(text[at] - L'0');
    if (value > 0xFFFFFFFFu) return std::nullopt;
    ++at;
  }
  if (at == start) return std::nullopt;
  return static_cast<uint32_t>(value);
}

uint32_t ServiceCode(Width width) {
  switch (width) {
    case Width::Byte: return CORVANE_HS_PCI_WRITE8;
    case Width::Word: return CORVANE_HS_PCI_WRITE16;
    case Width::Dword: return CORVANE_HS_PCI_WRITE32;
  }
  return CORVANE_HS_NOTHING;
}

}  // namespace

uint32_t WidthMask(Width width) {
  switch (width) {
    case Width::Byte: return 0xFFu;
    case Width::Word: return 0xFFFFu;
    case Width::Dword: return 0xFFFFFFFFu;
  }
  return 0;
}

std::optional<BusSetting> ParseSettingName(std::wstring_view name) {
  uint32_t fields[kFields] = {};
  size_t at = 0;
  for (size_t i = 0; i < kFields; ++i) {
    if (i > 0) {
      if (at >= name.size() || name[at] != L'-') return std::nullopt;
      ++at;
    }
    std::optional<uint32_t> number = ReadNumber(name, at);
    if (!number) return std::nullopt;
    fields[i] = *number;
  }
  if (at != name.size()) return std::nullopt;
  for (size_t i = 0; i < 4; ++i)
    if (fields[i] > 0xFF) return std::nullopt;
  if (fields[4] > static_cast<uint32_t>(Width::Dword)) return std::nullopt;
  BusSetting setting;
  setting.bus = static_cast<uint8_t>(fields[0]);
  setting.device = static_cast<uint8_t>(fields[1]);
  setting.function = static_cast<uint8_t>(fields[2]);
  setting.reg = static_cast<uint8_t>(fields[3]);
  setting.width = static_cast<Width>(fields[4]);
  setting.value = fields[5] & WidthMask(setting.width);
  return setting;
}

std::wstring SettingName(const BusSetting& s) {
  wchar_t text[64];
  std::swprintf(text, std::size(text), L"%u-%u-%u-%u-%u-%u", unsigned{s.bus}, unsigned{s.device}, unsigned{s.function},
                unsigned{s.reg}, static_cast<unsigned>(s.width), static_cast<unsigned>(s.value));
  return text;
}

std::wstring WidthName(Width width) {
  switch (width) {
    case Width::Byte: return L"字节";
    case Width::Word: return L"单字";
    case Width::Dword: return L"双字";
  }
  return L"";
}

std::wstring ValueText(const BusSetting& setting) {
  static constexpr const wchar_t* kFormats[] = {L"%02X", L"%04X", L"%08X"};
  wchar_t text[16];
  std::swprintf(text, std::size(text), kFormats[static_cast<size_t>(setting.width)],
                static_cast<unsigned>(setting.value));
  return text;
}

std::vector<BusSetting> ReadSettings(platform::Registry& registry) {
  std::vector<BusSetting> settings;
  auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, kSettingsKey, true);
  if (!key) return settings;
  for (const std::wstring& name : key->ValueNames())
    if (std::optional<BusSetting> setting = ParseSettingName(name)) settings.push_back(*setting);
  return settings;
}

void WriteSettings(platform::Registry& registry, const std::vector<BusSetting>& settings) {
  registry.DeleteKey(platform::RegistryRoot::CurrentUser, kSettingsKey);
  auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, kSettingsKey, true);
  if (!key) return;
  for (const BusSetting& setting : settings) platform::WriteRegString(*key, SettingName(setting), L"");
}

void ApplySettings(platform::Registry& registry, HostService service) {
  if (!service) return;
  for (const BusSetting& setting : ReadSettings(registry)) {
    uint8_t record[8] = {setting.bus, setting.device, setting.function, setting.reg};
    std::memcpy(record + 4, &setting.value, sizeof setting.value);  // little-endian, cut by the code's width
    service(ServiceCode(setting.width), record, nullptr);
  }
}

}  // namespace corvane::busconf
