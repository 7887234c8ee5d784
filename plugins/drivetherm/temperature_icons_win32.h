#pragma once
// The temperature icons drawn with GDI: red "Tahoma" digits, 14 high and 5 wide, centred
// on a white 16 x 16 square.

#include "plugins/drivetherm/drive_therm.h"

namespace corvane::drivetherm {

class GdiTemperatureIcons final : public TemperatureIcons {
 public:
  std::unique_ptr<platform::IconImage> Draw(const std::wstring& text) override;
};

}  // namespace corvane::drivetherm
