#include "platform/sim/ini_file_sim.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/ini_text.h"
#include "platform/text_encoding.h"

namespace corvane::platform {
namespace {

TEST(IniText, ReadsStringsByTheProfileRules) {
  IniText ini(
      L"orphan=before any section\r\n"
      L"[Main]\r\n"
      L"  Name  =  Corvane  \r\n"
      L"; Hidden=yes\r\n"
      L"Twice=first\rtwice=second\n"
      L"Empty=\n"
      L"Bare\n"
      L"Inline=kept ; not a comment\n"
      L"Quoted=\"  spaced  \"\n"
      L"[ Main ]\n"
      L"Later=in a repeated section\n");
  EXPECT_EQ(ini.ReadString(L" MAIN ", L"name\t", L"-"), L"Corvane");
  EXPECT_EQ(ini.ReadString(L"Main", L"Hidden", L"-"), L"-");
  EXPECT_EQ(ini.ReadString(L"Main", L"twice", L"-"), L"first");
  EXPECT_EQ(ini.ReadString(L"Main", L"Later", L"-"), L"-") << "only the first [Main] is searched";
  EXPECT_EQ(ini.ReadString(L"Main", L"Empty", L"-"), L"") << "an empty value is still a value";
  EXPECT_EQ(ini.ReadString(L"Main", L"Bare", L"-"), L"-") << "a key without '=' has none";
  EXPECT_EQ(ini.ReadString(L"Main", L"Inline", L"-"), L"kept ; not a comment");
  EXPECT_EQ(ini.ReadString(L"Main", L"Quoted", L"-"), L"  spaced  ");
  EXPECT_EQ(ini.ReadString(L"", L"orphan", L"-"), L"before any section");
  EXPECT_EQ(ini.ReadString(L"Missing", L"Name", L"default  "), L"default");
}

TEST(IniText, ReadsIntegersAsGetPrivateProfileIntDoes) {
  IniText ini(
      L"[N]\nhex=0x10\nnegative=-5\ntrailing=12abc\nspaced= +7 \nbinary=0b101\nupperHex=0X10\n"
      L"letters=abc\nwraps=4294967297\nquoted=\"42\"\nquotedEmpty=\"\"\nempty=\n");
  const std::pair<const wchar_t*, int> cases[] = {
      {L"hex", 16},     {L"negative", -5}, {L"trailing", 12}, {L"spaced", 7},   {L"binary", 5},
      {L"upperHex", 0}, {L"letters", 0},   {L"wraps", 1},     {L"quoted", 42},  {L"quotedEmpty", 99},
      {L"empty", 99},   {L"missing", 99}};
  for (const auto& [key, expected] : cases) EXPECT_EQ(ini.ReadInteger(L"N", key, 99), expected) << ToUtf8(key);
  EXPECT_EQ(ParseProfileInteger(L"-0x1f"), -31);
  EXPECT_EQ(ParseProfileInteger(L"0o17"), 15);
  EXPECT_EQ(ParseProfileInteger(L"089"), 89) << "a leading zero alone is not octal";
}

class SimIniFilesTest : public testing::Test {
 protected:
  SimIniFilesTest() {
    directory_ = std::filesystem::temp_directory_path() /
                 ("corvane-ini-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(directory_);
  }
  ~SimIniFilesTest() override { std::filesystem::remove_all(directory_); }

  std::wstring Write(const char* name, const std::string& bytes) {
    std::ofstream(directory_ / name, std::ios::binary) << bytes;
    return FromUtf8((directory_ / name).string());
  }

  std::filesystem::path directory_;
  SimIniFiles files_;
};

TEST_F(SimIniFilesTest, ReadsUtf8AndMarkedUtf16AndAMissingFileAsEmpty) {
  const std::string text = "[界面]\r\n语言=简体中文\r\n";
  std::vector<uint8_t> wide = ToUtf16LeBytes(FromUtf8(text));
  wide.resize(wide.size() - 2);  // a file holds no terminating NUL
  for (const std::wstring& path : {Write("plain.ini", text), Write("marked.ini", "\xEF\xBB\xBF" + text),
                                   Write("utf16.ini", "\xFF\xFE" + std::string(wide.begin(), wide.end()))}) {
    EXPECT_EQ(files_.Open(path)->ReadString(L"界面", L"语言", L"-"), L"简体中文") << ToUtf8(path);
  }
  auto missing = files_.Open(FromUtf8((directory_ / "absent.ini").string()));
  EXPECT_EQ(missing->ReadInteger(L"Main", L"Count", 3), 3);
}

TEST_F(SimIniFilesTest, RegisteredTextStandsInForTheFileWhateverTheCase) {
  const std::wstring path = Write("corvane.ini", "[Main]\nSource=disk\n");
  auto before = files_.Open(path);
  files_.SetText(UpperAscii(path), L"[Main]\nSource=test\n");
  EXPECT_EQ(before->ReadString(L"Main", L"Source", L"-"), L"disk");
  EXPECT_EQ(files_.Open(path)->ReadString(L"Main", L"Source", L"-"), L"test");
}

}  // namespace
}  // namespace corvane::platform
