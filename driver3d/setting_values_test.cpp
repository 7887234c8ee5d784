// The driver's settings in both storages, their created defaults, and what becomes of
// data the program did not write.
#include "driver3d/setting_values.h"

#include <random>

#include "driver3d/settings_table.h"
#include "driver3d/test_driver_key.h"

namespace corvane::driver3d::testing {
namespace {

class SettingValuesTest : public DriverKeyTest {
 protected:
  DriverRegistry& Driver(bool aceMode) {
    Put(L"ACE", RegType::String, Utf16(aceMode ? L"1" : L"0"));
    driver_ = StartUp();
    EXPECT_TRUE(driver_->OpenDriverKey());
    return *driver_;
  }
  std::unique_ptr<DriverRegistry> driver_;
};

TEST_F(SettingValuesTest, TextsFollowTheModesStorageAndReadBackFromEitherTrimmed) {
  DriverRegistry& ace = Driver(true);
  WriteSetting(ace, driver_key::AntiAlias, L"2");
  EXPECT_EQ(Stored(L"AntiAlias")->type, RegType::Binary);
  EXPECT_EQ(Stored(L"AntiAlias")->data, (Bytes{0x32, 0x00}));
  WriteSetting(ace, driver_key::TemporalAAMultiplier, L"3");
  EXPECT_EQ(Stored(L"TemporalAAMultiplier")->type, RegType::String);
  WriteSettingText(ace, L"PixelCenter", L"", true);
  EXPECT_EQ(Stored(L"PixelCenter")->data, Bytes{});

  Put(L"AntiAliasSamples", RegType::String, Utf16(L" 4\t"));
  Put(L"TextureOpt", RegType::Binary, Join(Utf16(L"3 "), {0, 0, 0, 0}));  // a terminator and padding
  for (bool aceMode : {true, false}) {
    DriverRegistry& driver = Driver(aceMode);
    EXPECT_EQ(ReadSetting(driver, driver_key::AntiAlias), L"2");
    EXPECT_EQ(ReadSetting(driver, driver_key::AntiAliasSamples), L"4");
    EXPECT_EQ(ReadSetting(driver, driver_key::TextureOpt), L"3");
    EXPECT_EQ(ReadSetting(driver, driver_key::PixelCenter), L"");
  }
}

TEST_F(SettingValuesTest, AbsentValuesAreCreatedInTheirStorageOnlyWhereTheMenuDoes) {
  EXPECT_EQ(ReadSetting(Driver(false), driver_key::TruformMode), L"0");
  EXPECT_EQ(Stored(L"TruformMode")->type, RegType::String);
  EXPECT_EQ(ReadSetting(*driver_, driver_key::CatalystAI), L"1");
  EXPECT_FALSE(Stored(L"CatalystAI"));

  EXPECT_EQ(ReadSetting(Driver(true), driver_key::ExportCompressedTex), L"1");
  EXPECT_EQ(Stored(L"ExportCompressedTex")->data, Utf16(L"1"));
  EXPECT_EQ(ReadSetting(*driver_, driver_key::DisableSmartSave), 0);
  EXPECT_EQ(Stored(L"DisableSmartSave")->type, RegType::Binary);
  EXPECT_EQ(Stored(L"DisableSmartSave")->data, (Bytes{0, 0, 0, 0}));
  Put(L"DisableSmartSave", RegType::Dword, {1, 0, 0, 0});
  EXPECT_EQ(ReadSetting(*driver_, driver_key::DisableSmartSave), 1);

  ASSERT_TRUE(driver_->OpenOpenGLKey());
  EXPECT_EQ(ReadSetting(*driver_, opengl_key::OGLTextureOpt), 3);
  EXPECT_EQ(platform::ReadRegDword(*Key(kDriverKey), L"OGLTextureOpt"), 3u);
}

// What the driver, an older version or another tool may leave behind gives the caller's
// default, and the stored value is left alone.
TEST_F(SettingValuesTest, DataThatIsNotTheSettingGivesTheDefault) {
  const std::pair<uint32_t, Bytes> texts[] = {
      {RegType::Dword, {2, 0, 0, 0}},
      {RegType::Binary, {0x32, 0x00, 0x34}},                        // not UTF-16
      {RegType::Binary, Join(Utf16(L"2"), Join({0, 0}, Utf16(L"4")))},  // two texts
      {RegType::String, Join(Utf16(L"2"), {0, 0, '4', 0})},
      {RegType::Binary, Utf16(std::wstring(128, L'2'))},
      {RegType::String, Utf16(std::wstring(300, L'2'))},
  };
  DriverRegistry& driver = Driver(true);
  for (const auto& [type, data] : texts) {
    Put(L"AntiAliasSamples", type, data);
    EXPECT_EQ(ReadSettingText(driver, L"AntiAliasSamples", true, L"0"), L"0") << data.size() << " bytes";
    EXPECT_EQ(Stored(L"AntiAliasSamples")->data, data);
  }
  for (const Bytes& data : {Bytes{3, 0}, Bytes{3, 0, 0, 0, 0, 0, 0, 0}}) {
    Put(L"OGLTextureOpt", RegType::Dword, data);
    EXPECT_EQ(ReadSettingDword(driver, L"OGLTextureOpt", true, 7), 7);
  }
  Put(L"OGLTextureOpt", RegType::Binary, {3, 0, 0, 0});
  EXPECT_EQ(ReadSettingDword(driver, L"OGLTextureOpt", true, 7), 7);
  for (const Bytes& data : {Bytes{}, Bytes{1, 0, 0, 0, 0}}) {
    Put(L"DisableSmartSave", RegType::Binary, data);
    EXPECT_EQ(ReadBinaryFlag(driver, L"DisableSmartSave", 9, true), 9);
  }
}

TEST_F(SettingValuesTest, RandomBytesGiveTheDefaultOrOneCleanText) {
  DriverRegistry& driver = Driver(false);
  std::mt19937 random(20261207);
  const uint32_t types[] = {RegType::Binary, RegType::String, RegType::ExpandString, RegType::None};
  for (int round = 0; round < 4000; ++round) {
    Bytes data(random() % (round % 10 == 0 ? 1200 : 40));
    // Mostly digits, blanks and zeros, so that some decode.
    for (uint8_t& b : data) b = static_cast<uint8_t>(random() % 3 == 0 ? random() : "0123 \t\0"[random() % 7]);
    Put(L"AntiAlias", types[round % 4], data);
    const std::wstring text = ReadSettingText(driver, L"AntiAlias", true, L"?");
    if (text == L"?") continue;
    EXPECT_TRUE(data.size() % 2 == 0 && data.size() <= 512);
    EXPECT_EQ(text.find(L'\0'), std::wstring::npos);
    EXPECT_TRUE(text.empty() || (text.front() > L' ' && text.back() > L' '));
  }
}

}  // namespace
}  // namespace corvane::driver3d::testing
