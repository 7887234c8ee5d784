#pragma once
// A simulated mixer device 0 with one destination line (the master line), which may have
// a volume control, a mute control, both or neither. Values change through the port or
// through the test, which can also send the change notifications another program causes.

#include <functional>
#include <map>

#include "platform/mixer.h"

namespace corvane::platform {

class SimMixers final : public Mixers {
 public:
  std::unique_ptr<MixerDevice> Open(uint32_t mixerId, std::function<void(MixerChange)> onChange) override;

  // Another program changed a control: its value, then the notification.
  void ChangeFromOutside(uint32_t controlId, uint32_t value);

  bool present = true;  // no mixer at all when false
  bool hasVolume = true;
  bool hasMute = true;
  bool failQueries = false;
  uint32_t volumeMaximum = 65535;
  static constexpr uint32_t kLineId = 0xFFFF0000;
  static constexpr uint32_t kVolumeId = 1;
  static constexpr uint32_t kMuteId = 2;
  std::map<uint32_t, uint32_t> values{{kVolumeId, 32768}, {kMuteId, 0}};
  int setCalls = 0;

 private:
  class Device;
  std::function<void(MixerChange)> onChange_;
};

}  // namespace corvane::platform
