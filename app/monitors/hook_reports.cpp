#include "app/monitors/hook_reports.h"

#include <algorithm>

namespace corvane::monitors {
namespace {

// The hooks run on the same x86 machine: little-endian.
uint32_t Read32(std::span<const uint8_t> bytes, size_t at) {
  return uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8 | uint32_t{bytes[at + 2]} << 16 |
         uint32_t{bytes[at + 3]} << 24;
}

}  // namespace

std::optional<AppReport> ParseAppReport(std::span<const uint8_t> mapping) {
  if (mapping.size() < AppLayout::End) return std::nullopt;
  const auto text = mapping.subspan(AppLayout::Executable, AppLayout::ExecutableSize);
  const auto end = std::find(text.begin(), text.end(), uint8_t{0});
  AppReport report;
  report.executable.assign(text.begin(), end);
  report.processId = Read32(mapping, AppLayout::ProcessId);
  report.is3DApplication = Read32(mapping, AppLayout::Is3DApplication) == 1;
  report.deviceReport = Read32(mapping, AppLayout::DeviceReport) != 0;
  return report;
}

std::optional<hotkeys::KeyReport> ParseKeyReport(std::span<const uint8_t> mapping) {
  if (mapping.size() < KeyLayout::End) return std::nullopt;
  hotkeys::KeyReport report;
  report.pending = Read32(mapping, KeyLayout::Pending);
  report.keyCode = static_cast<uint16_t>(mapping[KeyLayout::KeyCode] | mapping[KeyLayout::KeyCode + 1] << 8);
  return report;
}

void TakeAppReport(std::span<uint8_t> mapping) {
  std::fill_n(mapping.begin(), std::min<size_t>(4, mapping.size()), uint8_t{0});
}

void WriteKeyPending(std::span<uint8_t> mapping, uint32_t pending) {
  if (mapping.size() < KeyLayout::Pending + 4) return;
  for (size_t i = 0; i < 4; ++i) mapping[KeyLayout::Pending + i] = static_cast<uint8_t>(pending >> (8 * i));
}

}  // namespace corvane::monitors
