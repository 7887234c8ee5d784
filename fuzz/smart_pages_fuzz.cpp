// A drive's S.M.A.R.T. identify and attribute pages as its firmware fills them: any 512
// bytes each. drivetherm reads the name, cache, capacity and temperature out of them.
#include <algorithm>

#include "plugins/drivetherm/drive_info.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  platform::SmartSector identify{};
  platform::SmartSector attributes{};
  std::copy_n(data, std::min(size, identify.size()), identify.begin());
  if (size > identify.size())
    std::copy_n(data + identify.size(), std::min(size - identify.size(), attributes.size()), attributes.begin());
  const drivetherm::DriveIdentity identity = drivetherm::ReadIdentity(identify);
  drivetherm::TemperatureText(drivetherm::Temperature(attributes));
  drivetherm::DriveTip(0, identity);
  return 0;
}
