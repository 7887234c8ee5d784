#pragma once
// The byte layouts the hook libraries leave in the program's two 512-byte mappings:
// "CORVANE_KBD" (a key report) and "CORVANE_CBT" (an application report).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace corvane::outside {

inline constexpr size_t kReportMappingSize = 512;
inline constexpr size_t kExecutableTextSize = 256;  // with its terminating zero

// Writes the key code at offset 4 and only then the pending flag at offset 0; the program
// may read the mapping from the moment pending is 1. A smaller buffer is left alone.
bool WriteKeyReport(std::span<uint8_t> mapping, uint16_t keyCode);

struct AppReport {
  std::string executable;  // ANSI path of the executable
  uint32_t processId = 0;
  bool uses3D = false;
  bool deviceReport = false;
};

// The whole report: executable text (zero-filled to 256 bytes), process id, 3D flag and
// device-report flag, little-endian. A smaller buffer is left alone.
bool WriteAppReport(std::span<uint8_t> mapping, const AppReport& report);

// The executable text that fits the report's 255 characters: the path, or when the path is
// longer the file name alone (the program matches either), cut at 255 bytes without
// splitting a double-byte character. `isLeadByte` tells the code page's lead bytes.
std::string ExecutableReportText(std::string_view path, bool (*isLeadByte)(unsigned char));

}  // namespace corvane::outside
