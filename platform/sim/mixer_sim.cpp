#include "platform/sim/mixer_sim.h"

namespace corvane::platform {

class SimMixers::Device final : public MixerDevice {
 public:
  explicit Device(SimMixers& owner) : owner_(owner) {}
  ~Device() override { owner_.onChange_ = nullptr; }

  std::optional<MixerLineInfo> DestinationLine(uint32_t destination) override {
    if (owner_.failQueries || destination != 0) return std::nullopt;
    const uint32_t controls = (owner_.hasVolume ? 1 : 0) + (owner_.hasMute ? 1 : 0);
    return MixerLineInfo{kLineId, 2, controls, L"Master Volume"};
  }
  std::optional<MixerControlInfo> ControlOfType(uint32_t lineId, uint32_t type) override {
    if (owner_.failQueries || lineId != kLineId) return std::nullopt;
    if (type == kMixerVolume && owner_.hasVolume) return MixerControlInfo{kVolumeId, type, 0, owner_.volumeMaximum};
    if (type == kMixerMute && owner_.hasMute) return MixerControlInfo{kMuteId, type, 0, 1};
    return std::nullopt;
  }
  std::optional<uint32_t> Value(uint32_t controlId) override {
    if (owner_.failQueries || !Exists(controlId)) return std::nullopt;
    return owner_.values[controlId];
  }
  bool SetValue(uint32_t controlId, uint32_t value) override {
    ++owner_.setCalls;
    if (owner_.failQueries || !Exists(controlId)) return false;
    owner_.values[controlId] = value;
    return true;
  }

 private:
  bool Exists(uint32_t controlId) const {
    return (controlId == kVolumeId && owner_.hasVolume) || (controlId == kMuteId && owner_.hasMute);
  }
  SimMixers& owner_;
};

std::unique_ptr<MixerDevice> SimMixers::Open(uint32_t mixerId, std::function<void(MixerChange)> onChange) {
  if (!present || mixerId != 0) return nullptr;
  onChange_ = std::move(onChange);
  return std::make_unique<Device>(*this);
}

void SimMixers::ChangeFromOutside(uint32_t controlId, uint32_t value) {
  values[controlId] = value;
  if (onChange_) onChange_({MixerChange::Kind::Control, controlId});
}

}  // namespace corvane::platform
