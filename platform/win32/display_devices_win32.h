#pragma once
// Display adapters and modes through user32's wide display-settings calls.

#include "platform/display_devices.h"

namespace corvane::platform {

class Win32DisplayDevices : public DisplayDevices {
 public:
  std::optional<DisplayDevice> Device(uint32_t index) override;
  std::optional<DisplayMode> Mode(const std::wstring& deviceName, int32_t index) override;
  int32_t ChangeSettings(const std::wstring& deviceName, const std::optional<DisplayMode>& mode,
                         uint32_t flags) override;
};

}  // namespace corvane::platform
