#include "display/escape_calls.h"

#include <vector>

#include "display/escape_bytes.h"

namespace corvane::display {
namespace {

constexpr uint32_t kPayload = EscapeHeader::kSize;  // where a request's payload starts

// A zero-filled request of `length` bytes starting with its header.
std::vector<uint8_t> Request(uint32_t length, uint32_t function, uint32_t headerSize = EscapeHeader::kSize,
                             uint32_t index = 0) {
  std::vector<uint8_t> request(length, 0);
  Encode(EscapeHeader{headerSize, function, index, 0}, request);
  return request;
}

std::span<uint8_t> PayloadOf(std::vector<uint8_t>& request) { return std::span<uint8_t>(request).subspan(kPayload); }

}  // namespace

uint32_t QueryAdapterInfo(EscapeContext& dc) {
  const std::vector<uint8_t> request = Request(16, EscapeFunction::QueryAdapterInfo);
  std::vector<uint8_t> reply = SizedReply(32);
  if (dc.Call(request, reply) != 0) return 0;
  return ReadWord(reply, 12);
}

uint32_t QueryConnectedDisplays(EscapeContext& dc) {
  const std::vector<uint8_t> request = Request(16, EscapeFunction::QueryConnectedDisplays);
  std::vector<uint8_t> reply = SizedReply(20);
  if (dc.Call(request, reply) != 0) return 0;
  return ReadWord(reply, 4);
}

std::optional<DriverSettingBlob> ReadDriverSettingBlob(EscapeContext& dc) {
  const std::vector<uint8_t> request = Request(16, EscapeFunction::ReadDriverSettingBlob);
  std::vector<uint8_t> reply = SizedReply(DriverSettingBlob::kSize);
  if (dc.Call(request, reply) != 0) return std::nullopt;
  std::optional<DriverSettingBlob> blob = DecodeDriverSettingBlob(reply);
  if (!blob || blob->Name[0] == '\0') return std::nullopt;
  return blob;
}

bool QueryOverlayAvailable(EscapeContext& dc) {
  const std::vector<uint8_t> request = Request(16, EscapeFunction::QueryOverlayAvailable);
  std::vector<uint8_t> reply(48, 0);
  return dc.Call(request, reply) == 0 && ReadWord(reply, 12) != 0;
}

ControllerConfig GetControllerConfig(EscapeContext& dc, uint32_t controller) {
  const std::vector<uint8_t> request = Request(16, EscapeFunction::GetControllerConfig, 16, controller);
  std::vector<uint8_t> reply = SizedReply(ControllerConfig::kSize);
  dc.Call(request, reply);
  return DecodeControllerConfig(reply).value_or(ControllerConfig{});
}

int32_t SetDisplayConfig(EscapeContext& dc, const ControllerConfig& first, const ControllerConfig& second,
                         bool storedConfiguration) {
  std::vector<uint8_t> request = Request(168, EscapeFunction::SetDisplayConfig, 168);
  Encode(first, PayloadOf(request), true);
  Encode(second, PayloadOf(request).subspan(ControllerConfig::kSize), true);
  std::vector<uint8_t> reply = SizedReply(storedConfiguration ? 56 : 16);
  return dc.Call(request, reply);
}

PreferredMode GetPreferredMode(EscapeContext& dc) {
  std::vector<uint8_t> request = Request(28, EscapeFunction::GetPreferredMode);
  WriteWord(request, 16, 12);
  WriteWord(request, 20, 1);
  WriteWord(request, 24, 8);
  std::vector<uint8_t> reply = SizedReply(PreferredMode::kSize);
  if (dc.Call(request, reply) != 0) return {};
  return DecodePreferredMode(reply).value_or(PreferredMode{});
}

std::optional<ModeEntry> EnumDisplayModes(EscapeContext& dc, uint32_t index, uint32_t displayBit) {
  std::vector<uint8_t> request = Request(24, EscapeFunction::EnumDisplayModes);
  WriteWord(request, 16, index);
  WriteWord(request, 20, displayBit);
  std::vector<uint8_t> reply = SizedReply(ModeEntry::kSize);
  if (dc.Call(request, reply) != 0) return std::nullopt;
  std::optional<ModeEntry> mode = DecodeModeEntry(reply);
  if (!mode || mode->Width == 0 || mode->Height == 0) return std::nullopt;
  return mode;
}

std::optional<OverlayRange> GetOverlayRange(EscapeContext& dc, uint32_t property) {
  std::vector<uint8_t> request = Request(48, EscapeFunction::GetOverlayRange);
  WriteWord(request, 16, 32);
  WriteWord(request, 20, property);
  std::vector<uint8_t> reply = SizedReply(OverlayRange::kSize);
  if (dc.Call(request, reply) != 0) return std::nullopt;
  std::optional<OverlayRange> range = DecodeOverlayRange(reply);
  if (!range || (range->Minimum == 0 && range->Maximum == 0)) return std::nullopt;
  return range;
}

int32_t GetOverlayValue(EscapeContext& dc, uint32_t property) {
  std::vector<uint8_t> request = Request(48, EscapeFunction::GetOverlayValue, 48);
  WriteWord(request, 16, 32);
  WriteWord(request, 20, property);
  std::vector<uint8_t> reply(8, 0);
  if (dc.Call(request, reply) != 0) return 0;
  return ReadSigned(reply, 4);
}

int32_t SetOverlayValue(EscapeContext& dc, uint32_t property, int32_t value) {
  std::vector<uint8_t> request = Request(48, EscapeFunction::SetOverlayValue, 48);
  WriteWord(request, 16, 32);
  WriteWord(request, 20, property);
  WriteSigned(request, 24, value);
  std::vector<uint8_t> reply = SizedReply(32);
  if (dc.Call(request, reply) != 0) return 0;
  return ReadSigned(reply, 8);
}

std::optional<AdjustmentCaps> GetDisplayCaps(EscapeContext& dc, uint32_t displayIndex) {
  const std::vector<uint8_t> request = Request(16, EscapeFunction::GetDisplayCaps, 16, displayIndex);
  std::vector<uint8_t> reply = SizedReply(AdjustmentCaps::kSize);
  if (dc.Call(request, reply) != 0) return std::nullopt;
  return DecodeAdjustmentCaps(reply);
}

std::optional<AdjustmentValues> GetDisplayAdjustments(EscapeContext& dc, uint32_t displayIndex) {
  const std::vector<uint8_t> request = Request(16, EscapeFunction::GetDisplayAdjustments, 16, displayIndex);
  std::vector<uint8_t> reply = SizedReply(AdjustmentValues::kSize);
  if (dc.Call(request, reply) != 0) return std::nullopt;
  return DecodeAdjustmentValues(reply);
}

int32_t SetDisplayAdjustments(EscapeContext& dc, uint32_t displayIndex, const AdjustmentValues& values) {
  std::vector<uint8_t> request = Request(120, EscapeFunction::SetDisplayAdjustments, 16, displayIndex);
  Encode(values, PayloadOf(request));
  std::vector<uint8_t> reply(4, 0);
  return dc.Call(request, reply);
}

std::optional<DisplayLimits> GetDisplayLimits(EscapeContext& dc, uint32_t displayIndex) {
  const std::vector<uint8_t> request = Request(16, EscapeFunction::GetDisplayLimits, 16, displayIndex);
  std::vector<uint8_t> reply = SizedReply(DisplayLimits::kSize);
  if (dc.Call(request, reply) != 0) return std::nullopt;
  std::optional<DisplayLimits> limits = DecodeDisplayLimits(reply);
  if (!limits || limits->MaxWidth == 0 || limits->MaxHeight == 0) return std::nullopt;
  return limits;
}

int32_t GetRotation(EscapeContext& dc) {
  const std::vector<uint8_t> request = Request(16, EscapeFunction::GetRotation);
  std::vector<uint8_t> reply = SizedReply(64);
  WriteSigned(reply, 16, Rotation::Unknown);
  if (dc.Call(request, reply) != 0) return Rotation::Unknown;
  const int32_t code = ReadSigned(reply, 16);
  return code >= Rotation::Landscape && code <= Rotation::Left90 ? code : Rotation::Unknown;
}

namespace {

int32_t SendRotation(EscapeContext& dc, uint32_t function, const RotationRequest& rotation) {
  std::vector<uint8_t> request = Request(80, function, 80);
  Encode(rotation, PayloadOf(request));
  std::vector<uint8_t> reply = SizedReply(16);
  return dc.Call(request, reply);
}

}  // namespace

bool SetRotation(EscapeContext& dc, const RotationRequest& request) {
  return SendRotation(dc, EscapeFunction::SetRotation, request) == 0;
}

bool CheckRotation(EscapeContext& dc, const RotationRequest& request) {
  return SendRotation(dc, EscapeFunction::CheckRotation, request) == 0;
}

TheaterMode GetTheaterMode(EscapeContext& dc) {
  const std::vector<uint8_t> request = Request(16, EscapeFunction::GetTheaterMode);
  std::vector<uint8_t> reply = SizedReply(TheaterMode::kSize);
  dc.Call(request, reply);
  return DecodeTheaterMode(reply).value_or(TheaterMode{});
}

int32_t SetTheaterMode(EscapeContext& dc, const TheaterMode& mode) {
  std::vector<uint8_t> request = Request(56, EscapeFunction::SetTheaterMode, 56);
  TheaterMode sent = mode;
  sent.ValidMask = 3;
  sent.DriverField = 0;
  Encode(sent, PayloadOf(request));
  std::vector<uint8_t> reply = SizedReply(4);
  return dc.Call(request, reply);
}

void DriverReloadNotify(EscapeContext& dc, uint32_t phase) {
  std::vector<uint8_t> request = Request(80, EscapeFunction::DriverReloadNotify);
  WriteWord(request, 16, 8);
  WriteWord(request, 20, phase);
  std::vector<uint8_t> reply = SizedReply(8);
  dc.Call(request, reply);
}

std::optional<BiosInfo> GetBiosInfo(EscapeContext& dc) {
  const std::vector<uint8_t> request = Request(16, EscapeFunction::GetBiosInfo);
  std::vector<uint8_t> reply = SizedReply(BiosInfo::kSize);
  if (dc.Call(request, reply) != 0) return std::nullopt;
  std::optional<BiosInfo> info = DecodeBiosInfo(reply);
  // All three texts empty: the driver wrote nothing.
  if (!info || (info->Version[0] == '\0' && info->PartNumber[0] == '\0' && info->Date[0] == '\0'))
    return std::nullopt;
  return info;
}

}  // namespace corvane::display
