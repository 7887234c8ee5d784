#include "app/menus/driver_mode.h"

#include "driver3d/driver_registry.h"

namespace corvane::menus {

bool ReadAceMode(platform::Registry& registry, const std::wstring& driverKeyPath) {
  // The driver may store "ACE" as text or as a binary string; the model reads both.
  driver3d::DriverRegistry driver(registry, driverKeyPath);
  driver.ReadStorageMode();
  return driver.AceMode();
}

std::optional<platform::MessageBoxRequest> AceModeChangeWarning(bool startedInAceMode, bool aceModeNow) {
  if (startedInAceMode == aceModeNow) return std::nullopt;
  platform::MessageBoxRequest request;
  request.caption = L"警告!";
  request.icon = platform::MessageIcon::Warning;
  request.text = aceModeNow ? L"已检测到新版催化剂控制中心.QRX 必须重新启动!"
                            : L"已检测到控制面板的更改. QRX 必须重新启动!";
  return request;
}

}  // namespace corvane::menus
