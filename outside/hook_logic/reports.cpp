#include "outside/hook_logic/reports.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace corvane::outside {
namespace {

void PutLittleEndian(std::span<uint8_t> at, uint32_t value, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

// The longest prefix of at most `limit` bytes that ends on a character boundary.
size_t CharacterPrefix(std::string_view text, size_t limit, bool (*isLeadByte)(unsigned char)) {
  size_t end = 0;
  while (end < text.size()) {
    const size_t width = isLeadByte && isLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + width > limit || end + width > text.size()) break;
    end += width;
  }
  return end;
}

}  // namespace

bool WriteKeyReport(std::span<uint8_t> mapping, uint16_t keyCode) {
  if (mapping.size() < kReportMappingSize) return false;
  PutLittleEndian(mapping.subspan(4), keyCode, 2);
  // The flag last, and as one aligned store: the program takes the report from then on.
  std::atomic_thread_fence(std::memory_order_release);
  reinterpret_cast<volatile uint32_t*>(mapping.data())[0] = 1;
  return true;
}

bool WriteAppReport(std::span<uint8_t> mapping, const AppReport& report) {
  if (mapping.size() < kReportMappingSize) return false;
  std::fill(mapping.begin(), mapping.begin() + kExecutableTextSize, uint8_t{0});
  const size_t length = std::min(report.executable.size(), kExecutableTextSize - 1);
  std::memcpy(mapping.data(), report.executable.data(), length);
  PutLittleEndian(mapping.subspan(256), report.processId, 4);
  PutLittleEndian(mapping.subspan(260), report.uses3D ? 1 : 0, 4);
  PutLittleEndian(mapping.subspan(264), report.deviceReport ? 1 : 0, 4);
  return true;
}

std::string ExecutableReportText(std::string_view path, bool (*isLeadByte)(unsigned char)) {
  constexpr size_t limit = kExecutableTextSize - 1;
  path = path.substr(0, path.find('\0'));
  if (path.size() > limit) {
    // The file name starts after the last separator that is a character of its own, not
    // the trail byte of a double-byte character.
    size_t nameStart = 0;
    for (size_t i = 0; i < path.size(); ++i) {
      if (isLeadByte && isLeadByte(static_cast<unsigned char>(path[i]))) {
        ++i;
        continue;
      }
      if (path[i] == '\\' || path[i] == '/') nameStart = i + 1;
    }
    path = path.substr(nameStart);
  }
  return std::string(path.substr(0, CharacterPrefix(path, limit, isLeadByte)));
}

}  // namespace corvane::outside
