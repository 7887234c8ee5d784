#pragma once
// The master volume: mixer device 0, its destination line 0 and that line's volume, mute
// and input-select controls, re-read whenever the mixer says the line or a control changed.

#include <memory>
#include <optional>

#include "platform/mixer.h"

namespace corvane::audio {

class TAudioMixerLine {
 public:
  TAudioMixerLine(platform::MixerDevice* device, uint32_t destination);
  // Reads the line and looks its controls up again; a control the line lacks is absent.
  void Refresh();

  bool HasVolume() const { return volume_.has_value(); }
  bool HasMute() const { return mute_.has_value(); }
  bool HasMux() const { return mux_.has_value(); }
  std::optional<uint32_t> LineId() const;

  // Percent; -1 without a volume control or when the query fails.
  int Volume() const;
  // Clamped to 0..100; nothing without a volume control.
  void SetVolume(int percent);
  // 1 without a mute control or when the query fails.
  int Mute() const;
  void SetMute(bool mute);

 private:
  platform::MixerDevice* device_;
  uint32_t destination_;
  std::optional<platform::MixerLineInfo> line_;
  std::optional<platform::MixerControlInfo> volume_;
  std::optional<platform::MixerControlInfo> mute_;
  std::optional<platform::MixerControlInfo> mux_;
};

class TAudioMixer {
 public:
  explicit TAudioMixer(platform::Mixers& mixers);
  TAudioMixer(const TAudioMixer&) = delete;
  TAudioMixer& operator=(const TAudioMixer&) = delete;

  bool Open() const { return device_ != nullptr; }
  TAudioMixerLine& Master() { return *master_; }
  int Volume() const { return master_->Volume(); }
  void SetVolume(int percent) { master_->SetVolume(percent); }
  int Mute() const { return master_->Mute(); }
  void SetMute(bool mute) { master_->SetMute(mute); }

 private:
  void Changed(const platform::MixerChange& change);

  std::unique_ptr<platform::MixerDevice> device_;
  std::unique_ptr<TAudioMixerLine> master_;
};

// The master-volume hotkeys: one point up unless already at 100 or more, one down unless
// at 0 or less, mute flipped. A line without the control is left alone.
void RaiseMasterVolume(TAudioMixer& mixer);
void LowerMasterVolume(TAudioMixer& mixer);
void ToggleMasterMute(TAudioMixer& mixer);

}  // namespace corvane::audio
