#include "platform/win32/display_devices_win32.h"

#include <windows.h>

namespace corvane::platform {
namespace {

// The fixed-size text fields are not always terminated when full.
template <size_t N>
std::wstring FieldText(const WCHAR (&field)[N]) {
  size_t length = 0;
  while (length < N && field[length] != L'\0') ++length;
  return std::wstring(field, length);
}

DisplayMode FromDevMode(const DEVMODEW& record) {
  DisplayMode mode;
  mode.fields = record.dmFields;
  mode.positionX = record.dmPosition.x;
  mode.positionY = record.dmPosition.y;
  mode.orientation = record.dmDisplayOrientation;
  mode.fixedOutput = record.dmDisplayFixedOutput;
  mode.bitsPerPel = record.dmBitsPerPel;
  mode.width = record.dmPelsWidth;
  mode.height = record.dmPelsHeight;
  mode.displayFlags = record.dmDisplayFlags;
  mode.frequency = record.dmDisplayFrequency;
  return mode;
}

DEVMODEW ToDevMode(const DisplayMode& mode) {
  DEVMODEW record{};
  record.dmSize = sizeof(record);
  record.dmFields = mode.fields;
  record.dmPosition.x = mode.positionX;
  record.dmPosition.y = mode.positionY;
  // Also the printer member dmScale in its low half, which the ATI driver reads.
  record.dmDisplayOrientation = mode.orientation;
  record.dmDisplayFixedOutput = mode.fixedOutput;
  record.dmBitsPerPel = mode.bitsPerPel;
  record.dmPelsWidth = mode.width;
  record.dmPelsHeight = mode.height;
  record.dmDisplayFlags = mode.displayFlags;
  record.dmDisplayFrequency = mode.frequency;
  return record;
}

const wchar_t* NameOrNull(const std::wstring& name) { return name.empty() ? nullptr : name.c_str(); }

}  // namespace

std::optional<DisplayDevice> Win32DisplayDevices::Device(uint32_t index) {
  DISPLAY_DEVICEW record{};
  record.cb = sizeof(record);
  if (!EnumDisplayDevicesW(nullptr, index, &record, 0)) return std::nullopt;
  return DisplayDevice{FieldText(record.DeviceName), FieldText(record.DeviceString), record.StateFlags,
                       FieldText(record.DeviceID), FieldText(record.DeviceKey)};
}

std::optional<DisplayMode> Win32DisplayDevices::Mode(const std::wstring& deviceName, int32_t index) {
  DEVMODEW record{};
  record.dmSize = sizeof(record);
  if (!EnumDisplaySettingsW(NameOrNull(deviceName), static_cast<DWORD>(index), &record)) return std::nullopt;
  return FromDevMode(record);
}

int32_t Win32DisplayDevices::ChangeSettings(const std::wstring& deviceName, const std::optional<DisplayMode>& mode,
                                            uint32_t flags) {
  DEVMODEW record{};
  if (mode) record = ToDevMode(*mode);
  return ChangeDisplaySettingsExW(NameOrNull(deviceName), mode ? &record : nullptr, nullptr, flags, nullptr);
}

}  // namespace corvane::platform
