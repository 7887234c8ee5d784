#pragma once
// Display adapters, their modes and mode changes, as the system's display settings
// calls see them (EnumDisplayDevices, EnumDisplaySettings, ChangeDisplaySettingsEx).

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace corvane::platform {

// DISPLAY_DEVICE StateFlags bits.
namespace DisplayDeviceState {
inline constexpr uint32_t AttachedToDesktop = 0x1;
inline constexpr uint32_t MultiDriver = 0x2;
inline constexpr uint32_t Primary = 0x4;
inline constexpr uint32_t MirroringDriver = 0x8;
inline constexpr uint32_t VgaCompatible = 0x10;
inline constexpr uint32_t Removable = 0x20;
}  // namespace DisplayDeviceState

struct DisplayDevice {
  std::wstring name;         // DeviceName, "\\.\DISPLAY1"
  std::wstring description;  // DeviceString, the adapter's name
  uint32_t stateFlags = 0;
  std::wstring deviceId;     // "PCI\VEN_1002&DEV_4E48&SUBSYS_...&REV_00"
  std::wstring deviceKey;    // "\Registry\Machine\System\...\Video\{guid}\0000"
};

// DEVMODE dmFields bits the program sets or reads.
namespace DisplayModeField {
inline constexpr uint32_t Scale = 0x10;
inline constexpr uint32_t Position = 0x20;
inline constexpr uint32_t DisplayOrientation = 0x80;
inline constexpr uint32_t BitsPerPel = 0x40000;
inline constexpr uint32_t PelsWidth = 0x80000;
inline constexpr uint32_t PelsHeight = 0x100000;
inline constexpr uint32_t DisplayFlags = 0x200000;
inline constexpr uint32_t DisplayFrequency = 0x400000;
// Width, height, depth and rate: what a resolution change sets.
inline constexpr uint32_t Resolution = BitsPerPel | PelsWidth | PelsHeight | DisplayFrequency;
}  // namespace DisplayModeField

// The display part of the 156-byte DEVMODE. `orientation` is the 32-bit member at offset
// 52; its low 16 bits are the printer member dmScale, which the rotation request of the
// ATI driver uses (with field bit Scale).
struct DisplayMode {
  uint32_t fields = 0;
  int32_t positionX = 0;
  int32_t positionY = 0;
  uint32_t orientation = 0;
  uint32_t fixedOutput = 0;
  uint32_t bitsPerPel = 0;
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t displayFlags = 0;
  uint32_t frequency = 0;  // Hz; 0 or 1 mean the hardware default

  bool operator==(const DisplayMode&) const = default;
};

// Mode indexes with a meaning of their own.
inline constexpr int32_t kCurrentDisplayMode = -1;   // ENUM_CURRENT_SETTINGS
inline constexpr int32_t kRegistryDisplayMode = -2;  // ENUM_REGISTRY_SETTINGS

// ChangeDisplaySettingsEx flags (CDS_*).
namespace DisplayChangeFlag {
inline constexpr uint32_t UpdateRegistry = 0x1;
inline constexpr uint32_t Test = 0x2;
inline constexpr uint32_t Fullscreen = 0x4;
inline constexpr uint32_t Global = 0x8;
inline constexpr uint32_t SetPrimary = 0x10;
inline constexpr uint32_t NoReset = 0x10000000;
inline constexpr uint32_t Reset = 0x40000000;
}  // namespace DisplayChangeFlag

// ChangeDisplaySettingsEx results (DISP_CHANGE_*).
namespace DisplayChangeResult {
inline constexpr int32_t Successful = 0;
inline constexpr int32_t Restart = 1;
inline constexpr int32_t Failed = -1;
inline constexpr int32_t BadMode = -2;
inline constexpr int32_t NotUpdated = -3;
inline constexpr int32_t BadFlags = -4;
inline constexpr int32_t BadParam = -5;
}  // namespace DisplayChangeResult

class DisplayDevices {
 public:
  virtual ~DisplayDevices() = default;
  // The adapter at `index` (from 0); nothing past the last one.
  virtual std::optional<DisplayDevice> Device(uint32_t index) = 0;
  // Mode `index` (from 0) of the named device, or kCurrentDisplayMode / kRegistryDisplayMode.
  // An empty name means the display the calling thread runs on. Nothing past the last mode.
  virtual std::optional<DisplayMode> Mode(const std::wstring& deviceName, int32_t index) = 0;
  // ChangeDisplaySettingsEx. An empty name means the primary display; no mode means the
  // null record, which with flags 0 applies what earlier calls left pending in the registry.
  virtual int32_t ChangeSettings(const std::wstring& deviceName, const std::optional<DisplayMode>& mode,
                                 uint32_t flags) = 0;
};

struct IndexedDisplayDevice {
  uint32_t index = 0;
  DisplayDevice device;
};

// The first adapter with the primary flag, searching from index 0.
inline std::optional<IndexedDisplayDevice> FindPrimaryDisplayDevice(DisplayDevices& devices) {
  for (uint32_t index = 0;; ++index) {
    std::optional<DisplayDevice> device = devices.Device(index);
    if (!device) return std::nullopt;
    if (device->stateFlags & DisplayDeviceState::Primary) return IndexedDisplayDevice{index, std::move(*device)};
  }
}

}  // namespace corvane::platform
