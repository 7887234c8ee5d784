// A profile to a file and back through the real registry and a real file (Wine's under
// test): every value returns with its type and bytes.
#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "platform/registry_values.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/test_probes.h"
#include "platform/win32/whole_file_win32.h"
#include "settings/profile_transfer.h"

namespace corvane::settings {
namespace {

const std::wstring kRoot = L"\\SOFTWARE\\CorvaneTest\\ProfileFiles\\";

// The file choosers answer with one path; message boxes with their default.
class ChosenFile final : public platform::UserInteraction {
 public:
  explicit ChosenFile(std::wstring path) : path_(std::move(path)) {}
  platform::MessageAnswer ShowMessage(const platform::MessageBoxRequest&) override {
    ++messages;
    return platform::MessageAnswer::Ok;
  }
  std::optional<std::wstring> ChooseOpenFile(const platform::OpenFileRequest&) override { return path_; }
  std::optional<std::wstring> ChooseSaveFile(const platform::OpenFileRequest&) override { return path_; }
  int messages = 0;

 private:
  std::wstring path_;
};

TEST(ProfileFileWin32, ExportedAndReimportedProfilesEqualTheOriginalValueByValue) {
  platform::Win32Registry registry;
  const std::wstring path = platform::testing::TempFolder() + L"corvane-profile-test.cvp";
  ChosenFile user(path);
  const ProfileTransferContext ctx{registry, user, kRoot,
                                   [](const std::wstring& at) { return std::make_unique<platform::Win32WholeFile>(at); }};
  registry.DeleteKey(platform::RegistryRoot::CurrentUser, kRoot);

  for (StoredProfileKind kind : {StoredProfileKind::Direct3D, StoredProfileKind::Overclocking, StoredProfileKind::Color,
                                 StoredProfileKind::Game}) {
    SCOPED_TRACE(StoredProfileKindName(kind));
    const std::wstring name = L"配置 1";
    if (kind == StoredProfileKind::Color) {
      auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, kRoot + L"colors", true);
      ASSERT_TRUE(key);
      const std::vector<uint8_t> settings(36, 3);
      platform::WriteRegBinary(*key, name, settings);
    } else {
      auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser,
                                  kRoot + StoredProfileKindName(kind) + L"\\" + name, true);
      ASSERT_TRUE(key);
      platform::WriteRegString(*key, L"AntiAliasSamples", L"4");
      platform::WriteRegDword(*key, L"UseD3D", 1);
      platform::WriteRegDouble(*key, L"vpu", 412.5);
    }
    const std::optional<ProfileFile> original = ReadStoredProfile(registry, kRoot, kind, name);
    ASSERT_TRUE(original);

    ASSERT_TRUE(ExportProfile(ctx, kind, name));
    if (kind == StoredProfileKind::Color)
      registry.OpenKey(platform::RegistryRoot::CurrentUser, kRoot + L"colors", false)->DeleteValue(name);
    else
      registry.DeleteKey(platform::RegistryRoot::CurrentUser, kRoot + StoredProfileKindName(kind) + L"\\" + name);
    ASSERT_FALSE(StoredProfileExists(registry, kRoot, kind, name));

    EXPECT_EQ(ImportProfile(ctx, kind), name);
    EXPECT_EQ(ReadStoredProfile(registry, kRoot, kind, name), original);
  }
  EXPECT_EQ(user.messages, 0);
  DeleteFileW(path.c_str());
  registry.DeleteKey(platform::RegistryRoot::CurrentUser, kRoot);
}

}  // namespace
}  // namespace corvane::settings
