#include "plugins/drivetherm/drive_info.h"

#include <cwchar>
#include <iterator>

#include "platform/text_encoding.h"

namespace corvane::drivetherm {
namespace {

constexpr size_t kFirstAttribute = 2;
constexpr size_t kAttributeSize = 12;
constexpr size_t kRawValueAt = 5;
constexpr uint8_t kTemperatureId = 0xC2;
constexpr uint32_t kLbaLimit = 0x0FFFFFFF;

uint16_t Word(const platform::SmartSector& data, size_t word) {
  return static_cast<uint16_t>(data[word * 2] | data[word * 2 + 1] << 8);
}

// An ATA string: each word's two bytes swapped; zeros read as blanks.
std::string AtaString(const platform::SmartSector& data, size_t at, size_t length) {
  std::string text;
  for (size_t i = 0; i < length; ++i) {
    const uint8_t c = data[at + (i ^ 1)];
    text.push_back(c == 0 ? ' ' : static_cast<char>(c));
  }
  return text;
}

std::string TrimTrailing(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string TrimLeading(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

// ATA strings are ASCII; anything else shows as '?'.
std::wstring AsciiText(const std::string& text) {
  std::wstring wide;
  for (char c : text) wide.push_back(static_cast<unsigned char>(c) < 0x80 ? static_cast<wchar_t>(c) : L'?');
  return wide;
}

}  // namespace

DriveIdentity ReadIdentity(const platform::SmartSector& identify) {
  DriveIdentity identity;
  identity.serial = TrimLeading(TrimTrailing(AtaString(identify, 20, 20)));
  identity.firmware = TrimTrailing(AtaString(identify, 46, 8));
  identity.model = TrimTrailing(AtaString(identify, 54, 40));
  identity.cacheKb = Word(identify, 21) >> 1;
  const uint32_t lba28 = static_cast<uint32_t>(Word(identify, 60)) | static_cast<uint32_t>(Word(identify, 61)) << 16;
  if (lba28 == kLbaLimit)
    identity.sectors = static_cast<uint64_t>(Word(identify, 100)) | static_cast<uint64_t>(Word(identify, 101)) << 16 |
                       static_cast<uint64_t>(Word(identify, 102)) << 32;
  else
    identity.sectors = lba28;
  return identity;
}

size_t AttributeCount(const platform::SmartSector& attributes) {
  size_t count = 0;
  for (size_t at = kFirstAttribute; at + kAttributeSize <= attributes.size(); at += kAttributeSize) {
    if (attributes[at] == 0) break;
    ++count;
  }
  return count;
}

uint8_t Temperature(const platform::SmartSector& attributes) {
  const size_t count = AttributeCount(attributes);
  for (size_t i = 0; i < count; ++i) {
    const size_t at = kFirstAttribute + i * kAttributeSize;
    if (attributes[at] == kTemperatureId) return attributes[at + kRawValueAt];
  }
  return 0;
}

std::wstring TemperatureText(uint8_t temperature) {
  if (temperature == 0 || temperature >= 128) return L"--";
  return std::to_wstring(temperature);
}

std::wstring DriveTip(int slot, const DriveIdentity& identity) {
  wchar_t tip[256];
  std::swprintf(tip, std::size(tip), L"驱动器 (%d) %ls 缓存 %uKb", slot, AsciiText(identity.model).c_str(),
                static_cast<unsigned>(identity.cacheKb));
  return tip;
}

}  // namespace corvane::drivetherm
