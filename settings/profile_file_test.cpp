#include <gtest/gtest.h>

#include <memory>

#include "platform/registry_values.h"
#include "platform/text_encoding.h"
#include "platform/sim/registry_sim.h"
#include "platform/sim/user_interaction_sim.h"
#include "platform/sim/whole_file_sim.h"
#include "settings/global.h"
#include "settings/profile_file.h"
#include "settings/profile_transfer.h"

namespace corvane::settings {
namespace {

namespace RegType = platform::RegType;

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> bytes) { return bytes; }
std::vector<uint8_t> Text(const std::wstring& text) {
  return platform::ToUtf16LeBytes(text);
}

TEST(ProfileFile, WritesTextAPersonCanReadAndReadsItBackExactly) {
  const ProfileFile profile{L"d3d",
                            L"画质\t高",
                            {{L"AntiAlias", RegType::String, Text(L"2")},
                             {L"ForceRefreshRate", RegType::Dword, Bytes({85, 0, 0, 0})},
                             {L"vpu", RegType::Binary, Bytes({0, 0xC0, 0x72, 0x40})},
                             {L"odd\\name", RegType::String, Text(L"a\nb")},
                             {L"bell\x07", RegType::ExpandString, Text(L"\x04\x02f0")},
                             {L"short", RegType::Dword, Bytes({1, 2})},
                             {L"inner", RegType::String, Bytes({'a', 0, 0, 0, 'b', 0, 0, 0})},
                             {L"list", RegType::MultiString, Bytes({'a', 0, 0, 0, 0, 0})},
                             {L"", 11, Bytes({7})}}};
  const std::string text = WriteProfileFile(profile);
  EXPECT_EQ(text.substr(0, text.find("REG_BINARY")),
            "Corvane profile 1\nkind\td3d\nname\t画质\\t高\nREG_SZ\tAntiAlias\t2\n"
            "REG_DWORD\tForceRefreshRate\t85\n");
  EXPECT_NE(text.find("REG_DWORD:hex\tshort\t0102\n"), std::string::npos);
  EXPECT_NE(text.find("REG_SZ:hex\tinner\t"), std::string::npos);
  EXPECT_NE(text.find("11\t\t07\n"), std::string::npos);
  EXPECT_NE(text.find("REG_EXPAND_SZ\tbell\\x07\t\\x04\u02f0\n"), std::string::npos);
  EXPECT_EQ(ReadProfileFile(text), profile);

  // As an editor may save it: a byte-order mark, CR LF line ends, upper-case hex.
  const std::optional<ProfileFile> edited =
      ReadProfileFile("\xEF\xBB\xBF" "Corvane profile 1\r\nkind\tover\r\nname\tx\r\nREG_BINARY\tmem\tC0FF\r\n\r\n");
  ASSERT_TRUE(edited);
  EXPECT_EQ(edited->values, (std::vector<ProfileFileValue>{{L"mem", RegType::Binary, Bytes({0xC0, 0xFF})}}));
}

TEST(ProfileFile, RefusesEverythingThatIsNotAWholeWellFormedFile) {
  const std::string head = "Corvane profile 1\nkind\td3d\nname\tx\n";
  const std::string tooMany = [&] {
    std::string text = head;
    for (size_t i = 0; i <= kMaxProfileFileValues; ++i) text += "REG_DWORD\tv" + std::to_string(i) + "\t1\n";
    return text;
  }();
  const std::string cases[] = {
      "",
      "Corvane profile 2\nkind\td3d\nname\tx\n",
      "Corvane profile 1\nname\tx\n",
      "Corvane profile 1\nkind\td3d\n",
      "Corvane profile 1\nkind\t\nname\tx\n",
      head + "kind\togl\n",
      head + "REG_SZ\ta\t1\nname\ty\n",
      head + "REG_SZ\ta\n",
      head + "REG_SZ\ta\t1\textra\n",
      head + "REG_DWORD\ta\t4294967296\n",
      head + "REG_DWORD\ta\t-1\n",
      head + "REG_DWORD\ta\t0x10\n",
      head + "REG_BINARY\ta\t0g\n",
      head + "REG_BINARY\ta\t012\n",
      head + "REG_SZ\ta\tbad\\escape\n",
      head + "REG_SZ\ta\ttrailing\\\n",
      head + "REG_NONSENSE\ta\t00\n",
      head + "REG_SZ\ta\t1\nREG_SZ\tA\t2\n",
      head + "REG_SZ\ta\t\xC3\x28\n",
      head + "REG_SZ\ta\tbell\a\n",
      head + "\nREG_SZ\ta\t1\n",
      tooMany,
      head + "REG_SZ\ta\t" + std::string(kMaxProfileFileBytes, 'x') + "\n",
  };
  for (const std::string& bytes : cases) EXPECT_FALSE(ReadProfileFile(bytes)) << bytes.substr(0, 120);
}

class ProfileTransferTest : public ::testing::Test {
 protected:
  platform::SimRegistry registry;
  platform::SimUserInteraction user;
  platform::SimFiles files;
  ProfileTransferContext ctx{registry, user, global::ProfilesRoot,
                             [this](const std::wstring& path) { return files.Open(path); }};

  std::unique_ptr<platform::RegistryKey> Key(const std::wstring& path, bool create = true) {
    return registry.OpenKey(platform::RegistryRoot::CurrentUser, global::ProfilesRoot + path, create);
  }
};

TEST_F(ProfileTransferTest, ImportingOverAnExistingProfileAsksAsSavingDoes) {
  platform::WriteRegDouble(*Key(L"over\\Quiet"), L"vpu", 300);
  files[L"q.cvp"].contents = "Corvane profile 1\nkind\tover\nname\tQuiet\nREG_BINARY\tmem\t0000000000006940\n";

  user.ChooseFile(L"q.cvp");
  user.Answer(platform::MessageAnswer::Cancel);
  EXPECT_EQ(ImportProfile(ctx, StoredProfileKind::Overclocking), std::nullopt);
  ASSERT_EQ(user.History().size(), 1u);
  EXPECT_EQ(user.History()[0].request.text, L"覆盖配置文件 Quiet ?");
  EXPECT_EQ(user.History()[0].request.caption, L"警告!");
  EXPECT_TRUE(Key(L"over\\Quiet")->QueryValue(L"vpu")) << "kept after Cancel";

  user.ChooseFile(L"q.cvp");
  user.Answer(platform::MessageAnswer::Ok);
  EXPECT_EQ(ImportProfile(ctx, StoredProfileKind::Overclocking), L"Quiet");
  EXPECT_EQ(Key(L"over\\Quiet")->ValueNames(), std::vector<std::wstring>{L"mem"})
      << "the file's profile replaces the old one whole";
}

TEST_F(ProfileTransferTest, DamagedForeignOrMissingFilesAreRefusedWithNothingWritten) {
  struct Case {
    std::optional<std::string> contents;
    StoredProfileKind into;
    std::wstring message;
  };
  const std::string d3d = "Corvane profile 1\nkind\td3d\nname\tA\nREG_SZ\tAntiAlias\t2\n";
  const Case cases[] = {
      {d3d, StoredProfileKind::OpenGL, L"文件中的配置文件类型不符: d3d"},
      {d3d.substr(0, d3d.size() - 8), StoredProfileKind::Direct3D, L"文件已损坏, 不是有效的配置文件!"},
      {"Corvane profile 1\nkind\td3d\nname\t$$\nREG_SZ\tVSync\t1\n", StoredProfileKind::Direct3D,
       L"文件已损坏, 不是有效的配置文件!"},
      {"Corvane profile 1\nkind\tcolors\nname\tN\n", StoredProfileKind::Color, L"文件已损坏, 不是有效的配置文件!"},
      {"\x89PNG\r\n", StoredProfileKind::Game, L"文件已损坏, 不是有效的配置文件!"},
      {std::nullopt, StoredProfileKind::Display, L"无法读取文件 in.cvp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    files[L"in.cvp"].contents = c.contents;
    user.ChooseFile(L"in.cvp");
    const size_t shown = user.History().size();
    EXPECT_EQ(ImportProfile(ctx, c.into), std::nullopt);
    ASSERT_EQ(user.History().size(), shown + 1);
    EXPECT_EQ(user.History().back().request.text, c.message);
    EXPECT_EQ(user.History().back().request.caption, L"错误");
  }
  for (const wchar_t* kind : {L"d3d", L"ogl", L"over", L"colors", L"Display", L"Games"}) {
    auto key = Key(kind, false);
    EXPECT_TRUE(!key || (key->SubKeyNames().empty() && key->ValueNames().empty())) << kind;
  }
}

TEST_F(ProfileTransferTest, AFileThatCannotBeWrittenIsReported) {
  platform::WriteRegDword(*Key(L"Display\\TV"), L"Layout", 2);
  files[L"ro.cvp"].failReplace = true;
  user.ChooseFile(L"ro.cvp");
  EXPECT_FALSE(ExportProfile(ctx, StoredProfileKind::Display, L"TV"));
  ASSERT_EQ(user.History().size(), 1u);
  EXPECT_EQ(user.History()[0].request.text, L"无法写入文件 ro.cvp");
  EXPECT_FALSE(ExportProfile(ctx, StoredProfileKind::Display, L"Missing")) << "no chooser for a missing profile";
  EXPECT_EQ(user.FileChoices().size(), 1u);
}

}  // namespace
}  // namespace corvane::settings
