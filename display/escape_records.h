#pragma once
// The records exchanged with the ATI display driver through escape 0x7306, as plain
// structs, and their little-endian byte form. Decoding checks the length and the record's
// own Size word: a short or garbled reply decodes to nothing, never to half a record.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace corvane::display {

// Function codes, the second word of every request.
namespace EscapeFunction {
inline constexpr uint32_t QueryAdapterInfo = 0x110001;
inline constexpr uint32_t QueryConnectedDisplays = 0x110002;
inline constexpr uint32_t ReadDriverSettingBlob = 0x110005;
inline constexpr uint32_t QueryOverlayAvailable = 0x110011;
inline constexpr uint32_t GetControllerConfig = 0x120002;
inline constexpr uint32_t SetDisplayConfig = 0x120003;
inline constexpr uint32_t GetPreferredMode = 0x120008;
inline constexpr uint32_t EnumDisplayModes = 0x120009;
inline constexpr uint32_t GetOverlayRange = 0x12000D;
inline constexpr uint32_t GetOverlayValue = 0x12000E;
inline constexpr uint32_t SetOverlayValue = 0x12000F;
inline constexpr uint32_t GetDisplayCaps = 0x130001;
inline constexpr uint32_t GetDisplayAdjustments = 0x130002;
inline constexpr uint32_t SetDisplayAdjustments = 0x130003;
inline constexpr uint32_t GetDisplayLimits = 0x130005;
inline constexpr uint32_t GetRotation = 0x40010E;
inline constexpr uint32_t SetRotation = 0x40010F;
inline constexpr uint32_t CheckRotation = 0x400110;
inline constexpr uint32_t GetTheaterMode = 0x40011C;
inline constexpr uint32_t SetTheaterMode = 0x40011D;
inline constexpr uint32_t DriverReloadNotify = 0x40012A;
inline constexpr uint32_t GetBiosInfo = 0x400132;
}  // namespace EscapeFunction

// DisplayMask bits.
namespace DisplayBit {
inline constexpr uint32_t FirstMonitor = 0x1;
inline constexpr uint32_t DviMonitor = 0x2;
inline constexpr uint32_t Tv = 0x8;
}  // namespace DisplayBit

// Rotation codes.
namespace Rotation {
inline constexpr int32_t Landscape = 0;
inline constexpr int32_t Right90 = 1;
inline constexpr int32_t Upside180 = 2;
inline constexpr int32_t Left90 = 3;
inline constexpr int32_t Unknown = -1;
}  // namespace Rotation

// Overlay property numbers.
namespace OverlayProperty {
inline constexpr uint32_t Brightness = 1;
inline constexpr uint32_t Gamma = 2;
inline constexpr uint32_t Contrast = 3;
inline constexpr uint32_t Saturation = 4;
inline constexpr uint32_t Hue = 5;
}  // namespace OverlayProperty

struct EscapeHeader {
  static constexpr uint32_t kSize = 16;
  uint32_t Size = kSize;  // the header's or the whole request's length, per operation
  uint32_t Function = 0;
  uint32_t Index = 0;  // display or controller index where the operation needs one
  uint32_t Param = 0;
};
static_assert(sizeof(EscapeHeader) == EscapeHeader::kSize);

struct ControllerConfig {
  static constexpr uint32_t kSize = 76;
  uint32_t Size = kSize;
  uint32_t Controller = 0;
  uint32_t Width = 0;
  uint32_t Height = 0;
  std::array<uint8_t, 24> DriverFields1{};  // offsets 16-39
  uint32_t Displays = 0;                    // DisplayMask; 0: drives no display
  uint32_t Refresh = 0;                     // Hz
  std::array<uint8_t, 28> DriverFields2{};  // offsets 48-75
  bool operator==(const ControllerConfig&) const = default;
};
static_assert(sizeof(ControllerConfig) == ControllerConfig::kSize);

// Slots of AdjustmentValues and entries of AdjustmentCaps, by number.
namespace Adjustment {
inline constexpr size_t Saturation = 2;
inline constexpr size_t Contrast = 3;
inline constexpr size_t VerticalPosition = 4;
inline constexpr size_t HorizontalPosition = 5;
inline constexpr size_t VerticalSize = 6;
inline constexpr size_t HorizontalSize = 7;
inline constexpr size_t DotCrawl = 8;
inline constexpr size_t SVideoSharpness = 9;
inline constexpr size_t CompositeSharpness = 10;
inline constexpr size_t FlickerFilter = 12;
inline constexpr size_t TvStandard = 13;
inline constexpr size_t Overscan = 15;
inline constexpr size_t HorizontalSyncPolarity = 17;
inline constexpr size_t VerticalSyncPolarity = 18;
inline constexpr size_t CompositeSync = 19;
}  // namespace Adjustment

struct AdjustmentValues {
  static constexpr uint32_t kSize = 104;
  uint32_t Size = kSize;
  std::array<int32_t, 25> Slots{};
  bool operator==(const AdjustmentValues&) const = default;
};
static_assert(sizeof(AdjustmentValues) == AdjustmentValues::kSize);

struct AdjustmentCap {
  int32_t Default = 0;
  int32_t Minimum = 0;
  int32_t Maximum = 0;
  int32_t Unused = 0;
  bool Supported() const { return Minimum != 0 || Maximum != 0; }
  bool operator==(const AdjustmentCap&) const = default;
};

struct AdjustmentCaps {
  static constexpr uint32_t kSize = 420;
  uint32_t Size = kSize;
  std::array<AdjustmentCap, 26> Entries{};
  bool operator==(const AdjustmentCaps&) const = default;
};
static_assert(sizeof(AdjustmentCaps) == AdjustmentCaps::kSize);

// TV standard codes in the order the Displays dialog lists them.
inline constexpr std::array<uint16_t, 9> kTvStandards = {0x1,   0x8,   0x20,  0x40,  0x80,
                                                         0x100, 0x200, 0x800, 0x2000};

struct TheaterMode {
  static constexpr uint32_t kSize = 40;
  uint32_t Size = kSize;
  uint32_t ValidMask = 0;
  uint32_t Mode = 0;  // 0 standard, 1 theater, 4 all the same
  uint32_t DriverField = 0;
  uint32_t AspectFlags = 0;  // bits 0-1 video aspect, bits 4-5 display aspect
  std::array<uint8_t, 20> DriverFields{};
  bool operator==(const TheaterMode&) const = default;
};
static_assert(sizeof(TheaterMode) == TheaterMode::kSize);

struct DisplayLimits {
  static constexpr uint32_t kSize = 32;
  uint32_t Size = kSize;
  uint32_t Unused1 = 0;
  uint32_t MaxWidth = 0;
  uint32_t MaxHeight = 0;
  uint32_t MaxRefresh = 0;
  std::array<uint32_t, 3> Unused2{};
  bool operator==(const DisplayLimits&) const = default;
};
static_assert(sizeof(DisplayLimits) == DisplayLimits::kSize);

struct ModeEntry {
  static constexpr uint32_t kSize = 24;
  uint32_t Size = kSize;
  uint32_t Unused1 = 0;
  uint32_t Width = 0;
  uint32_t Height = 0;
  uint32_t Refresh = 0;
  uint32_t Unused2 = 0;
  bool operator==(const ModeEntry&) const = default;
};
static_assert(sizeof(ModeEntry) == ModeEntry::kSize);

struct PreferredMode {
  static constexpr uint32_t kSize = 28;
  uint32_t Size = kSize;
  std::array<uint32_t, 2> Unused1{};
  uint32_t Width = 0;
  uint32_t Height = 0;
  uint32_t Refresh = 0;
  uint32_t Unused2 = 0;
  bool operator==(const PreferredMode&) const = default;
};
static_assert(sizeof(PreferredMode) == PreferredMode::kSize);

struct RotationRequest {
  static constexpr uint32_t kSize = 64;
  uint32_t Size = kSize;
  uint32_t Width = 0;
  uint32_t Height = 0;
  uint32_t BitsPerPel = 0;
  uint32_t Rotation = 0;
  std::array<uint32_t, 11> Reserved{};
  bool operator==(const RotationRequest&) const = default;
};
static_assert(sizeof(RotationRequest) == RotationRequest::kSize);

struct OverlayRange {
  static constexpr uint32_t kSize = 32;
  uint32_t Size = kSize;
  int32_t Default = 0;
  int32_t Minimum = 0;
  int32_t Maximum = 0;
  int32_t Fourth = 0;  // kept, not used
  std::array<uint32_t, 3> Unused{};
  bool operator==(const OverlayRange&) const = default;
};
static_assert(sizeof(OverlayRange) == OverlayRange::kSize);

// The texts are the driver's ANSI bytes; callers convert them where they show them.
struct BiosInfo {
  static constexpr uint32_t kSize = 192;
  uint32_t Size = kSize;
  std::array<uint8_t, 8> Unused{};
  std::array<char, 24> Version{};
  std::array<char, 64> PartNumber{};
  std::array<char, 92> Date{};
  bool operator==(const BiosInfo&) const = default;
};
static_assert(sizeof(BiosInfo) == BiosInfo::kSize);

struct DriverSettingBlob {
  static constexpr uint32_t kSize = 1288;
  static constexpr uint32_t kMaxData = 1024;
  uint32_t Size = kSize;
  std::array<char, 256> Name{};  // ANSI registry value name
  uint32_t DataLength = 0;
  std::array<uint8_t, kMaxData> Data{};
  bool operator==(const DriverSettingBlob&) const = default;
};
static_assert(sizeof(DriverSettingBlob) == DriverSettingBlob::kSize);

// --- Byte form ---
// The records the program sends. Encode writes the whole record into `out` (which must
// hold kSize bytes; a shorter buffer gets what fits). `forSet` writes the driver's own fields as 0, as set requests
// expect.

void Encode(const EscapeHeader& header, std::span<uint8_t> out);
void Encode(const ControllerConfig& config, std::span<uint8_t> out, bool forSet = false);
void Encode(const AdjustmentValues& values, std::span<uint8_t> out);
void Encode(const TheaterMode& mode, std::span<uint8_t> out);
void Encode(const RotationRequest& request, std::span<uint8_t> out);

// Nothing when the reply is shorter than the record or its Size word is not the record's
// length.
std::optional<ControllerConfig> DecodeControllerConfig(std::span<const uint8_t> reply);
std::optional<AdjustmentValues> DecodeAdjustmentValues(std::span<const uint8_t> reply);
std::optional<AdjustmentCaps> DecodeAdjustmentCaps(std::span<const uint8_t> reply);
std::optional<TheaterMode> DecodeTheaterMode(std::span<const uint8_t> reply);
std::optional<DisplayLimits> DecodeDisplayLimits(std::span<const uint8_t> reply);
std::optional<ModeEntry> DecodeModeEntry(std::span<const uint8_t> reply);
std::optional<PreferredMode> DecodePreferredMode(std::span<const uint8_t> reply);
std::optional<OverlayRange> DecodeOverlayRange(std::span<const uint8_t> reply);
std::optional<BiosInfo> DecodeBiosInfo(std::span<const uint8_t> reply);
// Also nothing when the data length is beyond the data array.
std::optional<DriverSettingBlob> DecodeDriverSettingBlob(std::span<const uint8_t> reply);

// A zero-filled buffer of `length` bytes whose first word is `length`: how every reply is
// prepared, so that a call that writes nothing leaves a record of zeros.
std::vector<uint8_t> SizedReply(uint32_t length);

}  // namespace corvane::display
