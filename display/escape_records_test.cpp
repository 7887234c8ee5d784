#include "display/escape_records.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "display/escape_bytes.h"

namespace corvane::display {
namespace {

TEST(EscapeRecords, SetRequestsCarryTheirFieldsLittleEndianAndZeroTheDriversOwn) {
  ControllerConfig config;
  config.Controller = 1;
  config.Width = 0x500;
  config.Height = 0x400;
  config.DriverFields1.fill(0xEE);
  config.DriverFields2.fill(0xDD);
  config.Displays = 0x8;
  config.Refresh = 60;
  std::vector<uint8_t> bytes(ControllerConfig::kSize, 0xFF);
  Encode(config, bytes, true);
  const std::vector<uint8_t> head = {76, 0, 0, 0, 1, 0, 0, 0, 0x00, 0x05, 0, 0, 0x00, 0x04, 0, 0};
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 16), head);
  EXPECT_EQ(ReadWord(bytes, 40), 8u);
  EXPECT_EQ(ReadWord(bytes, 44), 60u);
  for (size_t at : {16u, 39u, 48u, 75u}) EXPECT_EQ(bytes[at], 0) << at;

  // Read back, the driver's fields come through as they were.
  Encode(config, bytes, false);
  EXPECT_EQ(DecodeControllerConfig(bytes), config);

  RotationRequest rotation;
  rotation.Width = 768;
  rotation.Height = 1024;
  rotation.BitsPerPel = 32;
  rotation.Rotation = 3;
  std::vector<uint8_t> request(64, 0xFF);
  Encode(rotation, request);
  EXPECT_EQ((std::vector<uint32_t>{ReadWord(request, 0), ReadWord(request, 4), ReadWord(request, 8),
                                   ReadWord(request, 12), ReadWord(request, 16), ReadWord(request, 60)}),
            (std::vector<uint32_t>{64, 768, 1024, 32, 3, 0}));

  AdjustmentValues values;
  values.Slots[0] = -1;
  values.Slots[24] = 7;
  std::vector<uint8_t> adjustments(104);
  Encode(values, adjustments);
  EXPECT_EQ(ReadWord(adjustments, 0), 104u);
  EXPECT_EQ(ReadWord(adjustments, 4), 0xFFFFFFFFu);
  EXPECT_EQ(ReadWord(adjustments, 100), 7u);
}

TEST(EscapeRecords, ShortRepliesDecodeToNothingWhateverTheirSizeWord) {
  std::vector<uint8_t> reply = SizedReply(ControllerConfig::kSize);
  WriteWord(reply, 8, 1024);
  EXPECT_TRUE(DecodeControllerConfig(reply));
  EXPECT_FALSE(DecodeControllerConfig(std::span<const uint8_t>(reply).first(75)));
  // A driver that overwrites the Size word still answered with the record.
  WriteWord(reply, 0, 0);
  ASSERT_TRUE(DecodeControllerConfig(reply));
  EXPECT_EQ(DecodeControllerConfig(reply)->Width, 1024u);
  EXPECT_FALSE(DecodeBiosInfo(SizedReply(ControllerConfig::kSize)));
  EXPECT_FALSE(DecodeModeEntry({}));

  std::vector<uint8_t> blob = SizedReply(DriverSettingBlob::kSize);
  blob[4] = 'A';
  WriteWord(blob, 260, 1024);
  ASSERT_TRUE(DecodeDriverSettingBlob(blob));
  WriteWord(blob, 260, 1025);
  EXPECT_FALSE(DecodeDriverSettingBlob(blob));
}

TEST(EscapeRecords, TextsStopAtTheirFieldEvenWithoutATerminatingZero) {
  std::vector<uint8_t> reply(BiosInfo::kSize, 'x');
  WriteWord(reply, 0, BiosInfo::kSize);
  std::optional<BiosInfo> info = DecodeBiosInfo(reply);
  ASSERT_TRUE(info);
  EXPECT_EQ(ArrayText(info->Version), std::string(24, 'x'));
  EXPECT_EQ(ArrayText(info->Date), std::string(92, 'x'));
}

// Random replies of every length around the records' sizes, with and without a fitting
// Size word: nothing reads outside the buffer (the sanitizers watch) and what decodes
// keeps its bounds.
TEST(EscapeRecords, RandomRepliesNeverReadPastTheBuffer) {
  std::mt19937 random(1234);
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> reply(random() % 1400);
    for (uint8_t& byte : reply) byte = static_cast<uint8_t>(random());
    if (random() % 2) WriteWord(reply, 0, static_cast<uint32_t>(reply.size()));
    DecodeControllerConfig(reply);
    DecodeAdjustmentValues(reply);
    DecodeAdjustmentCaps(reply);
    DecodeTheaterMode(reply);
    DecodeDisplayLimits(reply);
    DecodeModeEntry(reply);
    DecodePreferredMode(reply);
    DecodeOverlayRange(reply);
    if (std::optional<BiosInfo> info = DecodeBiosInfo(reply)) {
      EXPECT_LE(ArrayText(info->PartNumber).size(), 64u);
    }
    if (std::optional<DriverSettingBlob> blob = DecodeDriverSettingBlob(reply)) {
      EXPECT_LE(blob->DataLength, DriverSettingBlob::kMaxData);
    }
  }
}

}  // namespace
}  // namespace corvane::display
