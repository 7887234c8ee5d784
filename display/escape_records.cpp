#include "display/escape_records.h"

#include "display/escape_bytes.h"

namespace corvane::display {
namespace {

// The reply holds the whole record. Its Size word is not looked at: the escape's result
// says whether the driver answered, and nothing obliges a driver to echo the word.
bool Fits(std::span<const uint8_t> reply, uint32_t size) { return reply.size() >= size; }

}  // namespace

void Encode(const EscapeHeader& header, std::span<uint8_t> out) {
  WriteWord(out, 0, header.Size);
  WriteWord(out, 4, header.Function);
  WriteWord(out, 8, header.Index);
  WriteWord(out, 12, header.Param);
}

void Encode(const ControllerConfig& config, std::span<uint8_t> out, bool forSet) {
  WriteWord(out, 0, ControllerConfig::kSize);
  WriteWord(out, 4, config.Controller);
  WriteWord(out, 8, config.Width);
  WriteWord(out, 12, config.Height);
  WriteArray(out, 16, forSet ? decltype(config.DriverFields1){} : config.DriverFields1);
  WriteWord(out, 40, config.Displays);
  WriteWord(out, 44, config.Refresh);
  WriteArray(out, 48, forSet ? decltype(config.DriverFields2){} : config.DriverFields2);
}

void Encode(const AdjustmentValues& values, std::span<uint8_t> out) {
  WriteWord(out, 0, AdjustmentValues::kSize);
  for (size_t k = 0; k < values.Slots.size(); ++k) WriteSigned(out, 4 + 4 * k, values.Slots[k]);
}

void Encode(const TheaterMode& mode, std::span<uint8_t> out) {
  WriteWord(out, 0, TheaterMode::kSize);
  WriteWord(out, 4, mode.ValidMask);
  WriteWord(out, 8, mode.Mode);
  WriteWord(out, 12, mode.DriverField);
  WriteWord(out, 16, mode.AspectFlags);
  WriteArray(out, 20, mode.DriverFields);
}

void Encode(const RotationRequest& request, std::span<uint8_t> out) {
  WriteWord(out, 0, RotationRequest::kSize);
  WriteWord(out, 4, request.Width);
  WriteWord(out, 8, request.Height);
  WriteWord(out, 12, request.BitsPerPel);
  WriteWord(out, 16, request.Rotation);
  for (size_t i = 0; i < request.Reserved.size(); ++i) WriteWord(out, 20 + 4 * i, request.Reserved[i]);
}

std::optional<ControllerConfig> DecodeControllerConfig(std::span<const uint8_t> reply) {
  if (!Fits(reply, ControllerConfig::kSize)) return std::nullopt;
  ControllerConfig config;
  config.Controller = ReadWord(reply, 4);
  config.Width = ReadWord(reply, 8);
  config.Height = ReadWord(reply, 12);
  ReadArray(reply, 16, config.DriverFields1);
  config.Displays = ReadWord(reply, 40);
  config.Refresh = ReadWord(reply, 44);
  ReadArray(reply, 48, config.DriverFields2);
  return config;
}

std::optional<AdjustmentValues> DecodeAdjustmentValues(std::span<const uint8_t> reply) {
  if (!Fits(reply, AdjustmentValues::kSize)) return std::nullopt;
  AdjustmentValues values;
  for (size_t k = 0; k < values.Slots.size(); ++k) values.Slots[k] = ReadSigned(reply, 4 + 4 * k);
  return values;
}

std::optional<AdjustmentCaps> DecodeAdjustmentCaps(std::span<const uint8_t> reply) {
  if (!Fits(reply, AdjustmentCaps::kSize)) return std::nullopt;
  AdjustmentCaps caps;
  for (size_t k = 0; k < caps.Entries.size(); ++k) {
    const size_t at = 4 + 16 * k;
    caps.Entries[k] = {ReadSigned(reply, at), ReadSigned(reply, at + 4), ReadSigned(reply, at + 8),
                       ReadSigned(reply, at + 12)};
  }
  return caps;
}

std::optional<TheaterMode> DecodeTheaterMode(std::span<const uint8_t> reply) {
  if (!Fits(reply, TheaterMode::kSize)) return std::nullopt;
  TheaterMode mode;
  mode.ValidMask = ReadWord(reply, 4);
  mode.Mode = ReadWord(reply, 8);
  mode.DriverField = ReadWord(reply, 12);
  mode.AspectFlags = ReadWord(reply, 16);
  ReadArray(reply, 20, mode.DriverFields);
  return mode;
}

std::optional<DisplayLimits> DecodeDisplayLimits(std::span<const uint8_t> reply) {
  if (!Fits(reply, DisplayLimits::kSize)) return std::nullopt;
  DisplayLimits limits;
  limits.Unused1 = ReadWord(reply, 4);
  limits.MaxWidth = ReadWord(reply, 8);
  limits.MaxHeight = ReadWord(reply, 12);
  limits.MaxRefresh = ReadWord(reply, 16);
  for (size_t i = 0; i < limits.Unused2.size(); ++i) limits.Unused2[i] = ReadWord(reply, 20 + 4 * i);
  return limits;
}

std::optional<ModeEntry> DecodeModeEntry(std::span<const uint8_t> reply) {
  if (!Fits(reply, ModeEntry::kSize)) return std::nullopt;
  ModeEntry mode;
  mode.Unused1 = ReadWord(reply, 4);
  mode.Width = ReadWord(reply, 8);
  mode.Height = ReadWord(reply, 12);
  mode.Refresh = ReadWord(reply, 16);
  mode.Unused2 = ReadWord(reply, 20);
  return mode;
}

std::optional<PreferredMode> DecodePreferredMode(std::span<const uint8_t> reply) {
  if (!Fits(reply, PreferredMode::kSize)) return std::nullopt;
  PreferredMode mode;
  mode.Unused1 = {ReadWord(reply, 4), ReadWord(reply, 8)};
  mode.Width = ReadWord(reply, 12);
  mode.Height = ReadWord(reply, 16);
  mode.Refresh = ReadWord(reply, 20);
  mode.Unused2 = ReadWord(reply, 24);
  return mode;
}

std::optional<OverlayRange> DecodeOverlayRange(std::span<const uint8_t> reply) {
  if (!Fits(reply, OverlayRange::kSize)) return std::nullopt;
  OverlayRange range;
  range.Default = ReadSigned(reply, 4);
  range.Minimum = ReadSigned(reply, 8);
  range.Maximum = ReadSigned(reply, 12);
  range.Fourth = ReadSigned(reply, 16);
  for (size_t i = 0; i < range.Unused.size(); ++i) range.Unused[i] = ReadWord(reply, 20 + 4 * i);
  return range;
}

std::optional<BiosInfo> DecodeBiosInfo(std::span<const uint8_t> reply) {
  if (!Fits(reply, BiosInfo::kSize)) return std::nullopt;
  BiosInfo info;
  ReadArray(reply, 4, info.Unused);
  ReadArray(reply, 12, info.Version);
  ReadArray(reply, 36, info.PartNumber);
  ReadArray(reply, 100, info.Date);
  return info;
}

std::optional<DriverSettingBlob> DecodeDriverSettingBlob(std::span<const uint8_t> reply) {
  if (!Fits(reply, DriverSettingBlob::kSize)) return std::nullopt;
  const uint32_t length = ReadWord(reply, 260);
  if (length > DriverSettingBlob::kMaxData) return std::nullopt;
  DriverSettingBlob blob;
  ReadArray(reply, 4, blob.Name);
  blob.DataLength = length;
  ReadArray(reply, 264, blob.Data);
  return blob;
}

std::vector<uint8_t> SizedReply(uint32_t length) {
  std::vector<uint8_t> reply(length, 0);
  WriteWord(reply, 0, length);
  return reply;
}

}  // namespace corvane::display
