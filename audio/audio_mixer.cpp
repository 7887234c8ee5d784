#include "audio/audio_mixer.h"

#include <algorithm>

namespace corvane::audio {

TAudioMixerLine::TAudioMixerLine(platform::MixerDevice* device, uint32_t destination)
    : device_(device), destination_(destination) {
  Refresh();
}

void TAudioMixerLine::Refresh() {
  line_.reset();
  volume_.reset();
  mute_.reset();
  mux_.reset();
  if (!device_) return;
  line_ = device_->DestinationLine(destination_);
  if (!line_) return;
  volume_ = device_->ControlOfType(line_->lineId, platform::kMixerVolume);
  mute_ = device_->ControlOfType(line_->lineId, platform::kMixerMute);
  mux_ = device_->ControlOfType(line_->lineId, platform::kMixerMux);
  // A volume control without a range cannot be turned into a percentage.
  if (volume_ && volume_->maximum == 0) volume_.reset();
}

std::optional<uint32_t> TAudioMixerLine::LineId() const {
  if (!line_) return std::nullopt;
  return line_->lineId;
}

int TAudioMixerLine::Volume() const {
  if (!volume_) return -1;
  const auto value = device_->Value(volume_->controlId);
  if (!value) return -1;
  const uint64_t maximum = volume_->maximum;
  return static_cast<int>((uint64_t{*value} * 100 + maximum / 2) / maximum);
}

void TAudioMixerLine::SetVolume(int percent) {
  if (!volume_) return;
  const uint64_t clamped = static_cast<uint64_t>(std::clamp(percent, 0, 100));
  device_->SetValue(volume_->controlId, static_cast<uint32_t>((volume_->maximum * clamped + 50) / 100));
}

int TAudioMixerLine::Mute() const {
  if (!mute_) return 1;
  const auto value = device_->Value(mute_->controlId);
  if (!value) return 1;
  return *value != 0 ? 1 : 0;
}

void TAudioMixerLine::SetMute(bool mute) {
  if (mute_) device_->SetValue(mute_->controlId, mute ? 1 : 0);
}

TAudioMixer::TAudioMixer(platform::Mixers& mixers)
    : device_(mixers.Open(0, [this](const platform::MixerChange& change) { Changed(change); })),
      master_(std::make_unique<TAudioMixerLine>(device_.get(), 0)) {}

void TAudioMixer::Changed(const platform::MixerChange& change) {
  // Values are read afresh on every use, but a change may add or remove controls.
  (void)change;
  if (master_) master_->Refresh();
}

void RaiseMasterVolume(TAudioMixer& mixer) {
  const int volume = mixer.Volume();
  if (volume < 0 || volume >= 100) return;
  mixer.SetVolume(volume + 1);
}

void LowerMasterVolume(TAudioMixer& mixer) {
  const int volume = mixer.Volume();
  if (volume <= 0) return;
  mixer.SetVolume(volume - 1);
}

void ToggleMasterMute(TAudioMixer& mixer) {
  if (!mixer.Master().HasMute()) return;
  mixer.SetMute(mixer.Mute() == 0);
}

}  // namespace corvane::audio
