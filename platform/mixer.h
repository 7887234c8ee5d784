#pragma once
// The audio mixer: a device's destination lines, their controls and the controls' values.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace corvane::platform {

// Control types (MIXERCONTROL_CONTROLTYPE_*).
inline constexpr uint32_t kMixerVolume = 0x50030001;
inline constexpr uint32_t kMixerMute = 0x20010002;
inline constexpr uint32_t kMixerMux = 0x70010001;

struct MixerLineInfo {
  uint32_t lineId = 0;
  uint32_t channels = 0;
  uint32_t controls = 0;
  std::wstring name;
};

struct MixerControlInfo {
  uint32_t controlId = 0;
  uint32_t type = 0;
  uint32_t minimum = 0;
  uint32_t maximum = 0;
};

// What the mixer's change notifications (MM_MIXM_LINE_CHANGE, MM_MIXM_CONTROL_CHANGE) name.
struct MixerChange {
  enum class Kind { Line, Control };
  Kind kind = Kind::Line;
  uint32_t id = 0;
};

class MixerDevice {
 public:
  // Closes the device; no notification arrives after that.
  virtual ~MixerDevice() = default;
  virtual std::optional<MixerLineInfo> DestinationLine(uint32_t destination) = 0;
  // Nothing when the line has no control of that type.
  virtual std::optional<MixerControlInfo> ControlOfType(uint32_t lineId, uint32_t type) = 0;
  // The first channel's value; nothing when the query failed.
  virtual std::optional<uint32_t> Value(uint32_t controlId) = 0;
  // One value for every channel.
  virtual bool SetValue(uint32_t controlId, uint32_t value) = 0;
};

class Mixers {
 public:
  virtual ~Mixers() = default;
  // Null when there is no such mixer. `onChange` runs on the UI thread while the device lives.
  virtual std::unique_ptr<MixerDevice> Open(uint32_t mixerId, std::function<void(MixerChange)> onChange) = 0;
};

}  // namespace corvane::platform
