#pragma once
// The card's information as a text report: identity and PCI location, clocks, the PCI
// configuration space, memory, registers, the video BIOS and what each controller drives.
// Every line is a label padded to 30 bytes (as the text is in code page 936: two for each
// Chinese character) and its value.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/driver_escape.h"

namespace corvane::hardware {

class TRVX;

struct HardwareReportSources {
  TRVX& rvx;
  platform::DriverEscape& escapes;
  std::wstring deviceName;     // the primary display device
  std::wstring driverKeyPath;  // its driver key
  uint32_t bitsPerPel = 0;     // the colour depth of the desktop now
  // The driver's ANSI texts (the video BIOS's); without it bytes are taken as they are.
  std::function<std::wstring(std::string_view)> ansiToWide{};
};

// "Radeon 9800 (4e48)", or "未知 1234" for a device id the chip table lacks.
std::wstring AdapterName(uint32_t deviceId);

// Reads the clocks, then every line of the report.
std::vector<std::wstring> HardwareReportLines(const HardwareReportSources& sources);
// The lines joined with CR LF, as a text box and a text file want them.
std::wstring JoinReportLines(const std::vector<std::wstring>& lines);

}  // namespace corvane::hardware
