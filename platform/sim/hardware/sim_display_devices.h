#pragma once
// Simulated display adapters: the Radeon's primary head "\\.\DISPLAY1" and its second
// head, with the usual mode list (8/16/24/32 bpp, 640x480 to 1600x1200, 60/75/85 Hz) and
// mode changes that move the current and the registry mode. Building one writes the
// adapter's driver key into the given registry under HKEY_LOCAL_MACHINE, where the
// display driver keeps its settings. No threads: `corvane.exe /simulate` runs on it too.
//
//   SimRegistry registry;
//   sim::SimDisplayDevices displays(registry, sim::DisplayOptionsForCard(*sim::FindCardPreset("9800 PRO")));

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/display_devices.h"
#include "platform/registry.h"
#include "platform/sim/hardware/sim_radeon.h"

namespace corvane::platform::sim {

// The driver key's path below HKEY_LOCAL_MACHINE, without the instance number.
inline constexpr wchar_t kSimVideoKey[] =
    L"System\\CurrentControlSet\\Control\\Video\\{8D2B5F3A-61C4-4E0B-9A7D-3C5E21F04B96}";

// The key of the driver's OpenGL settings below each driver key.
inline constexpr wchar_t kSimOpenGLSubKey[] = L"OpenGL";

struct SimDisplayOptions {
  std::wstring adapterName = L"RADEON 9800 PRO";
  uint16_t deviceId = 0x4E48;
  uint16_t secondaryDeviceId = 0x4E68;  // 0: no second head
  uint16_t subsystemVendorId = kAtiVendorId;
  uint16_t subsystemId = 0x0002;
  uint8_t revision = 0;
  bool secondAttached = true;   // the second head is part of the desktop
  std::optional<std::wstring> ace;  // the driver value "ACE"; nothing: absent
  DisplayMode primaryMode{DisplayModeField::Resolution | DisplayModeField::Position, 0, 0, 0, 0, 32, 1024, 768, 0, 85};
  DisplayMode secondMode{DisplayModeField::Resolution | DisplayModeField::Position, 1024, 0, 0, 0, 32, 1024, 768, 0, 60};
  // The modes offered, in enumeration order; empty: the usual list.
  std::vector<DisplayMode> modes;
};

// The adapter's name, ids and revision from a simulated card.
SimDisplayOptions DisplayOptionsForCard(const CardSetup& card);

// "PCI\VEN_1002&DEV_4E48&SUBSYS_00021002&REV_00"
std::wstring PciDeviceIdText(uint16_t vendorId, uint16_t deviceId, uint16_t subsystemVendorId, uint16_t subsystemId,
                             uint8_t revision);

struct SimDisplayChange {
  std::wstring deviceName;
  std::optional<DisplayMode> mode;
  uint32_t flags = 0;
  int32_t result = 0;
};

class SimDisplayDevices : public DisplayDevices {
 public:
  explicit SimDisplayDevices(Registry& registry, const SimDisplayOptions& options = {});

  std::optional<DisplayDevice> Device(uint32_t index) override;
  std::optional<DisplayMode> Mode(const std::wstring& deviceName, int32_t index) override;
  int32_t ChangeSettings(const std::wstring& deviceName, const std::optional<DisplayMode>& mode,
                         uint32_t flags) override;

  // The next ChangeSettings call (except one with CDS_TEST) returns this and changes nothing.
  void FailNextChange(int32_t result);
  void SetAttached(uint32_t index, bool attached);
  const std::vector<SimDisplayChange>& Changes() const { return changes_; }
  // Every mode the adapters offer, in enumeration order.
  const std::vector<DisplayMode>& Modes() const { return modes_; }
  // Called with the primary display's new mode whenever its current mode changes, as
  // Windows then sends WM_DISPLAYCHANGE to every top-level window.
  std::function<void(const DisplayMode& mode)> OnDisplayChange;

 private:
  struct Head {
    DisplayDevice device;
    DisplayMode current;
    DisplayMode registry;
    int instance = 0;  // of the driver key
  };
  // The mode Windows keeps for a head, in its driver key as Windows keeps it there.
  void StoreRegistryMode(const Head& head);
  Head* FindHead(const std::wstring& deviceName);
  int32_t Change(Head& head, const DisplayMode& requested, uint32_t flags);

  Registry& registry_;
  std::vector<Head> heads_;
  std::vector<DisplayMode> modes_;
  std::vector<SimDisplayChange> changes_;
  std::optional<int32_t> failNext_;
};

}  // namespace corvane::platform::sim
