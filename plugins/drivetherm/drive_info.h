#pragma once
// What drivetherm reads out of a drive's S.M.A.R.T. pages: its name, cache and capacity
// from the identify data, and its temperature from the attribute page.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/smart_disks.h"

namespace corvane::drivetherm {

struct DriveIdentity {
  std::string model;     // trailing blanks removed
  std::string firmware;
  std::string serial;    // leading blanks removed
  uint32_t cacheKb = 0;  // word 21, in 512-byte units
  uint64_t sectors = 0;  // words 60-61, or 100-102 when those read 0x0FFFFFFF
};

DriveIdentity ReadIdentity(const platform::SmartSector& identify);

// Attributes before the first with ID 0; never more than the page holds.
size_t AttributeCount(const platform::SmartSector& attributes);
// The first byte of attribute 194's raw value; 0 when the page has none.
uint8_t Temperature(const platform::SmartSector& attributes);

// What the icon shows: the degrees when 0 < t < 128, otherwise "--" (no temperature: a
// drive that does not report one, a failed read, or a value no disk runs at).
std::wstring TemperatureText(uint8_t temperature);

// "驱动器 (%d) %s 缓存 %dKb". The tray cuts it to the 63 bytes its ANSI record holds.
std::wstring DriveTip(int slot, const DriveIdentity& identity);

}  // namespace corvane::drivetherm
