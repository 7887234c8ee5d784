#include "platform/sim/hardware/sim_display_devices.h"

#include <algorithm>
#include <utility>

#include "platform/registry_values.h"
#include "platform/text_encoding.h"

namespace corvane::platform::sim {
namespace {

std::wstring Hex(uint32_t value, int digits) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring text(static_cast<size_t>(digits), L'0');
  for (int i = digits - 1; i >= 0; --i, value >>= 4) text[static_cast<size_t>(i)] = kDigits[value & 0xF];
  return text;
}

std::wstring InstanceKey(int instance) { return std::wstring(kSimVideoKey) + L"\\000" + std::to_wstring(instance); }

std::vector<DisplayMode> StandardModes() {
  static constexpr uint32_t kDepths[] = {8, 16, 24, 32};
  static constexpr std::pair<uint32_t, uint32_t> kSizes[] = {{640, 480},   {800, 600},   {1024, 768},
                                                             {1152, 864},  {1280, 1024}, {1600, 1200}};
  static constexpr uint32_t kRates[] = {60, 75, 85};
  std::vector<DisplayMode> modes;
  for (uint32_t depth : kDepths) {
    for (auto [width, height] : kSizes) {
      for (uint32_t rate : kRates) {
        DisplayMode mode;
        mode.fields = DisplayModeField::Resolution | DisplayModeField::DisplayFlags;
        mode.bitsPerPel = depth;
        mode.width = width;
        mode.height = height;
        mode.frequency = rate;
        modes.push_back(mode);
      }
    }
  }
  return modes;
}

// Rotation codes 1 and 3 (in the low half of the orientation member) turn the picture
// on its side, so the driver takes the width and height of a listed mode swapped.
bool Sideways(const DisplayMode& mode) {
  return (mode.fields & (DisplayModeField::Scale | DisplayModeField::DisplayOrientation)) &&
         (mode.orientation & 0xFFFF) % 2 == 1;
}

void WriteDriverKey(Registry& registry, int instance, const std::wstring& description,
                    const std::optional<std::wstring>& ace) {
  std::unique_ptr<RegistryKey> key = registry.OpenKey(RegistryRoot::LocalMachine, InstanceKey(instance), true);
  if (!key) return;
  WriteRegString(*key, L"DriverDesc", description);
  WriteRegString(*key, L"InstalledDisplayDrivers", L"ati2dvag");
  WriteRegString(*key, L"ReleaseVersion", L"6.14.10.6483");
  if (ace) WriteRegString(*key, L"ACE", *ace);
  // An installed driver keeps its OpenGL settings in a key of their own below this one.
  registry.OpenKey(RegistryRoot::LocalMachine, InstanceKey(instance) + L"\\" + kSimOpenGLSubKey, true);
}

}  // namespace

std::wstring PciDeviceIdText(uint16_t vendorId, uint16_t deviceId, uint16_t subsystemVendorId, uint16_t subsystemId,
                             uint8_t revision) {
  return L"PCI\\VEN_" + Hex(vendorId, 4) + L"&DEV_" + Hex(deviceId, 4) + L"&SUBSYS_" + Hex(subsystemId, 4) +
         Hex(subsystemVendorId, 4) + L"&REV_" + Hex(revision, 2);
}

SimDisplayOptions DisplayOptionsForCard(const CardSetup& card) {
  SimDisplayOptions options;
  options.adapterName = L"RADEON " + std::wstring(card.name.begin(), card.name.end());
  options.deviceId = card.deviceId;
  options.secondaryDeviceId = card.secondaryDeviceId;
  options.subsystemVendorId = card.subsystemVendorId;
  options.subsystemId = card.subsystemId;
  options.revision = card.revision;
  return options;
}

SimDisplayDevices::SimDisplayDevices(Registry& registry, const SimDisplayOptions& options)
    : registry_(registry), modes_(options.modes.empty() ? StandardModes() : options.modes) {
  const std::wstring keyPrefix = L"\\Registry\\Machine\\" + std::wstring(kSimVideoKey) + L"\\";
  Head primary;
  primary.device.name = L"\\\\.\\DISPLAY1";
  primary.device.description = options.adapterName;
  primary.device.stateFlags = DisplayDeviceState::AttachedToDesktop | DisplayDeviceState::Primary;
  primary.device.deviceId = PciDeviceIdText(kAtiVendorId, options.deviceId, options.subsystemVendorId,
                                            options.subsystemId, options.revision);
  primary.device.deviceKey = keyPrefix + L"0000";
  primary.current = primary.registry = options.primaryMode;
  heads_.push_back(std::move(primary));
  WriteDriverKey(registry, 0, options.adapterName, options.ace);

  if (options.secondaryDeviceId != 0) {
    Head second;
    second.device.name = L"\\\\.\\DISPLAY2";
    second.device.description = options.adapterName + L" Secondary";
    second.device.stateFlags = options.secondAttached ? DisplayDeviceState::AttachedToDesktop : 0;
    second.device.deviceId = PciDeviceIdText(kAtiVendorId, options.secondaryDeviceId, options.subsystemVendorId,
                                             options.subsystemId, options.revision);
    second.device.deviceKey = keyPrefix + L"0001";
    second.current = second.registry = options.secondMode;
    second.instance = 1;
    heads_.push_back(std::move(second));
    WriteDriverKey(registry, 1, second.device.description, options.ace);
  }
  for (const Head& head : heads_) StoreRegistryMode(head);
}

std::optional<DisplayDevice> SimDisplayDevices::Device(uint32_t index) {
  if (index >= heads_.size()) return std::nullopt;
  return heads_[index].device;
}

SimDisplayDevices::Head* SimDisplayDevices::FindHead(const std::wstring& deviceName) {
  if (deviceName.empty()) return &heads_.front();
  for (Head& head : heads_) {
    if (EqualsNoCase(head.device.name, deviceName)) return &head;
  }
  return nullptr;
}

std::optional<DisplayMode> SimDisplayDevices::Mode(const std::wstring& deviceName, int32_t index) {
  Head* head = FindHead(deviceName);
  if (!head) return std::nullopt;
  if (index == kCurrentDisplayMode) return head->current;
  if (index == kRegistryDisplayMode) return head->registry;
  if (index < 0 || static_cast<size_t>(index) >= modes_.size()) return std::nullopt;
  return modes_[static_cast<size_t>(index)];
}

int32_t SimDisplayDevices::ChangeSettings(const std::wstring& deviceName, const std::optional<DisplayMode>& mode,
                                          uint32_t flags) {
  int32_t result = DisplayChangeResult::Successful;
  Head* head = FindHead(deviceName);
  const DisplayMode primaryBefore = heads_.front().current;
  if (failNext_ && !(flags & DisplayChangeFlag::Test)) {
    result = *std::exchange(failNext_, std::nullopt);
  } else if (!head) {
    result = DisplayChangeResult::BadParam;
  } else if (!mode) {
    // The null record applies what was left pending in the registry, on every head.
    if (flags == 0) {
      for (Head& each : heads_) each.current = each.registry;
    } else if (!(flags & DisplayChangeFlag::Test)) {
      head->current = head->registry;
    }
  } else {
    result = Change(*head, *mode, flags);
  }
  changes_.push_back({deviceName, mode, flags, result});
  if (OnDisplayChange && !(heads_.front().current == primaryBefore)) OnDisplayChange(heads_.front().current);
  return result;
}

int32_t SimDisplayDevices::Change(Head& head, const DisplayMode& requested, uint32_t flags) {
  // Fields the record does not name keep the current values.
  DisplayMode wanted = head.current;
  if (requested.fields & DisplayModeField::BitsPerPel) wanted.bitsPerPel = requested.bitsPerPel;
  if (requested.fields & DisplayModeField::PelsWidth) wanted.width = requested.width;
  if (requested.fields & DisplayModeField::PelsHeight) wanted.height = requested.height;
  if (requested.fields & DisplayModeField::DisplayFrequency) wanted.frequency = requested.frequency;
  if (requested.fields & DisplayModeField::Position) {
    wanted.positionX = requested.positionX;
    wanted.positionY = requested.positionY;
  }
  if (requested.fields & (DisplayModeField::Scale | DisplayModeField::DisplayOrientation)) {
    wanted.orientation = requested.orientation;
    wanted.fields |= requested.fields & (DisplayModeField::Scale | DisplayModeField::DisplayOrientation);
  }
  const bool sideways = Sideways(wanted);
  const uint32_t listedWidth = sideways ? wanted.height : wanted.width;
  const uint32_t listedHeight = sideways ? wanted.width : wanted.height;
  const bool anyRate = wanted.frequency <= 1;
  auto listed = std::find_if(modes_.begin(), modes_.end(), [&](const DisplayMode& mode) {
    return mode.bitsPerPel == wanted.bitsPerPel && mode.width == listedWidth && mode.height == listedHeight &&
           (anyRate || mode.frequency == wanted.frequency);
  });
  if (listed == modes_.end()) return DisplayChangeResult::BadMode;
  if (anyRate) wanted.frequency = listed->frequency;

  if (flags & DisplayChangeFlag::Test) return DisplayChangeResult::Successful;
  if (flags & DisplayChangeFlag::UpdateRegistry) {
    head.registry = wanted;
    StoreRegistryMode(head);
  }
  if (!(flags & DisplayChangeFlag::NoReset)) head.current = wanted;
  return DisplayChangeResult::Successful;
}

void SimDisplayDevices::StoreRegistryMode(const Head& head) {
  std::unique_ptr<RegistryKey> key = registry_.OpenKey(RegistryRoot::LocalMachine, InstanceKey(head.instance), false);
  if (!key) return;
  WriteRegDword(*key, L"DefaultSettings.XResolution", head.registry.width);
  WriteRegDword(*key, L"DefaultSettings.YResolution", head.registry.height);
  WriteRegDword(*key, L"DefaultSettings.BitsPerPel", head.registry.bitsPerPel);
  WriteRegDword(*key, L"DefaultSettings.VRefresh", head.registry.frequency);
}

void SimDisplayDevices::FailNextChange(int32_t result) { failNext_ = result; }

void SimDisplayDevices::SetAttached(uint32_t index, bool attached) {
  if (index >= heads_.size()) return;
  uint32_t& flags = heads_[index].device.stateFlags;
  flags = attached ? flags | DisplayDeviceState::AttachedToDesktop : flags & ~DisplayDeviceState::AttachedToDesktop;
}

}  // namespace corvane::platform::sim
