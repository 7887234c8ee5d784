#pragma once
// What the hook libraries leave in their two 512-byte mappings, and the names of the
// mappings and events they share with the program. The layouts are fixed by the hook
// libraries; anything in them may be garbage, so reading never trusts a length.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "hotkeys/key_report.h"

namespace corvane::monitors {

inline constexpr size_t kHookMappingSize = 512;
inline constexpr wchar_t kAppMappingName[] = L"CORVANE_CBT";
inline constexpr wchar_t kKeyMappingName[] = L"CORVANE_KBD";

// Set by the keyboard hook after it wrote a key report; the stop request of TKeyThread.
inline constexpr wchar_t kKeyReportEventName[] = L"QRXKBDMonEvent";
inline constexpr wchar_t kKeyStopEventName[] = L"FFEAA780-8936-4E28-A19B-B5078CDA9EEB";
// Set by the application hook after it wrote a report; set by the program once it has
// handled one; the stop request of TAppHook_th.
inline constexpr wchar_t kAppReportEventName[] = L"QRXAppMonEvent";
inline constexpr wchar_t kAppHandledEventName[] = L"QRXAppMonEvent_end";
inline constexpr wchar_t kAppStopEventName[] = L"5F527780-8936-4E28-A19B-B5078CDA1EEB";

// "CORVANE_CBT": offsets of its fields.
namespace AppLayout {
inline constexpr size_t Executable = 0;  // 256 bytes, zero-terminated ANSI
inline constexpr size_t ExecutableSize = 256;
inline constexpr size_t ProcessId = 256;
inline constexpr size_t Is3DApplication = 260;
inline constexpr size_t DeviceReport = 264;
inline constexpr size_t End = 268;
}  // namespace AppLayout

// "CORVANE_KBD": offsets of its fields.
namespace KeyLayout {
inline constexpr size_t Pending = 0;
inline constexpr size_t KeyCode = 4;
inline constexpr size_t End = 6;
}  // namespace KeyLayout

struct AppReport {
  // The executable's bytes up to the first zero, or all 256 when the hook left none.
  std::string executable;
  uint32_t processId = 0;
  bool is3DApplication = false;  // the field holds exactly 1
  // A 3D device is being created inside the application; otherwise the application started.
  bool deviceReport = false;
};

// Nothing when the mapping is too short to hold a report.
std::optional<AppReport> ParseAppReport(std::span<const uint8_t> mapping);
std::optional<hotkeys::KeyReport> ParseKeyReport(std::span<const uint8_t> mapping);

// Zeroes the first four bytes, which empties the executable text: the report is taken.
void TakeAppReport(std::span<uint8_t> mapping);
void WriteKeyPending(std::span<uint8_t> mapping, uint32_t pending);

}  // namespace corvane::monitors
