#pragma once
// Recording formats: the WAVEFORMATEX bytes the device and the WAV file take, the PCM
// formats the recorder offers by name, and the check of a format read from outside.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace corvane::audio {

enum class TPCMFormat {
  nonePCM,
  Mono8Bit8000Hz, Stereo8bit8000Hz, Mono16bit8000Hz, Stereo16bit8000Hz,
  Mono8Bit11025Hz, Stereo8bit11025Hz, Mono16bit11025Hz, Stereo16bit11025Hz,
  Mono8Bit22050Hz, Stereo8bit22050Hz, Mono16bit22050Hz, Stereo16bit22050Hz,
  Mono8Bit44100Hz, Stereo8bit44100Hz, Mono16bit44100Hz, Stereo16bit44100Hz,
  Mono8Bit48000Hz, Stereo8bit48000Hz, Mono16bit48000Hz, Stereo16bit48000Hz,
};

inline constexpr uint16_t kWaveFormatPcm = 1;
inline constexpr size_t kWaveFormatExSize = 18;
// The main form's format buffer: the largest format it takes.
inline constexpr size_t kFormatBufferSize = 66000;
// The fastest capture a sound card offers (8 channels of 32-bit samples at 384 kHz), with
// room to spare. A format read from outside that claims more is damaged: the recorder
// sizes its buffers by the data rate, and a rate of gigabytes a second would ask for
// buffers no machine has.
inline constexpr uint32_t kMaxCaptureBytesPerSec = 8 * 4 * 384000;

// The first 16 bytes of a WAVEFORMATEX (what a WAVEFORMAT and PCMWAVEFORMAT hold).
struct WaveFormatHeader {
  uint16_t formatTag = 0;
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t avgBytesPerSec = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
  bool operator==(const WaveFormatHeader&) const = default;
};

// A whole WAVEFORMATEX: 18 bytes and its extra-size bytes, checked.
class WaveFormat {
 public:
  // Nothing when the bytes are not a usable format: shorter than 18 bytes, extra bytes
  // beyond the end, no channels, block align or data rate (sizes are divided by them), or
  // a data rate above kMaxCaptureBytesPerSec.
  // Bytes after the format are ignored.
  static std::optional<WaveFormat> Parse(std::span<const uint8_t> bytes);
  static WaveFormat Pcm(uint16_t channels, uint32_t samplesPerSec, uint16_t bitsPerSample);

  const WaveFormatHeader& Header() const { return header_; }
  uint16_t ExtraSize() const { return static_cast<uint16_t>(bytes_.size() - kWaveFormatExSize); }
  std::span<const uint8_t> Bytes() const { return bytes_; }

 private:
  WaveFormat(std::vector<uint8_t> bytes, WaveFormatHeader header) : bytes_(std::move(bytes)), header_(header) {}
  std::vector<uint8_t> bytes_;
  WaveFormatHeader header_;
};

// Nothing for nonePCM.
std::optional<WaveFormat> FormatOf(TPCMFormat format);

// What "audio.dat" gives when it is damaged: the recorder's own default.
inline constexpr TPCMFormat kDefaultPcmFormat = TPCMFormat::Mono16bit8000Hz;

}  // namespace corvane::audio
