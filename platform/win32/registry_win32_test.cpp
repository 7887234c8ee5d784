#include "platform/win32/registry_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <type_traits>

#include "platform/registry_contract_test.h"
#include "platform/registry_values.h"
#include "platform/text_encoding.h"

namespace corvane::platform {
namespace {

struct Win32Env {
  Win32Registry registry;
  // A key per process and test: test executables share the Wine prefix.
  std::wstring base = L"Software\\CorvaneTest\\registry-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                      FromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name());

  ~Win32Env() {
    registry.DeleteKey(RegistryRoot::CurrentUser, base);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\CorvaneTest");  // only once nobody else uses it
  }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract, Win32Env);

namespace {

using RawKey = std::unique_ptr<std::remove_pointer_t<HKEY>, decltype(&RegCloseKey)>;

RawKey OpenRaw(HKEY parent, const std::wstring& path, REGSAM access, LONG* status = nullptr) {
  HKEY key = nullptr;
  LONG result = RegOpenKeyExW(parent, path.c_str(), 0, access, &key);
  if (status) *status = result;
  return RawKey(result == ERROR_SUCCESS ? key : nullptr, &RegCloseKey);
}

TEST(Win32Registry, RootsAreThePredefinedKeys) {
  const std::pair<RegistryRoot, HKEY> roots[] = {
      {RegistryRoot::CurrentUser, HKEY_CURRENT_USER},
      {RegistryRoot::ClassesRoot, HKEY_CLASSES_ROOT},
      {RegistryRoot::LocalMachine, HKEY_LOCAL_MACHINE},
      {RegistryRoot::Users, HKEY_USERS},
      {RegistryRoot::PerformanceData, HKEY_PERFORMANCE_DATA},
      {RegistryRoot::CurrentConfig, HKEY_CURRENT_CONFIG},
      {RegistryRoot::DynData, HKEY_DYN_DATA},
  };
  Win32Registry registry;
  for (const auto& [root, predefined] : roots) {
    SCOPED_TRACE(static_cast<int>(root));
    auto top = registry.OpenKey(root, L"", false);
    RawKey raw = OpenRaw(predefined, L"", KEY_READ);
    ASSERT_EQ(top != nullptr, raw != nullptr);
    if (!top) continue;
    std::vector<std::wstring> rawNames;
    wchar_t name[256];
    DWORD length = 256;
    for (DWORD i = 0; RegEnumKeyExW(raw.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = 256) {
      rawNames.emplace_back(name, length);
    }
    EXPECT_EQ(top->SubKeyNames(), rawNames);
  }
}

// Everyone may read and delete the key, nobody may write to it.
bool MakeReadOnly(HKEY key) {
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) return false;
  alignas(DWORD) uint8_t aclBuffer[256];
  auto* acl = reinterpret_cast<PACL>(aclBuffer);
  SECURITY_DESCRIPTOR descriptor;
  bool done = InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION) &&
              AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ | DELETE, everyone) &&
              InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
              SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) &&
              RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
  FreeSid(everyone);
  return done;
}

TEST(Win32Registry, OpensReadOnlyWhenWritingIsDenied) {
  Win32Env env;
  const std::wstring path = env.base + L"\\Locked";
  auto created = env.registry.OpenKey(RegistryRoot::CurrentUser, path, true);
  ASSERT_TRUE(created && WriteRegDword(*created, L"v", 42));
  ASSERT_TRUE(MakeReadOnly(OpenRaw(HKEY_CURRENT_USER, path, WRITE_DAC).get()));
  LONG status = 0;
  OpenRaw(HKEY_CURRENT_USER, path, KEY_READ | KEY_WRITE, &status);
  ASSERT_EQ(status, ERROR_ACCESS_DENIED);

  for (bool create : {false, true}) {
    auto key = env.registry.OpenKey(RegistryRoot::CurrentUser, path, create);
    ASSERT_NE(key, nullptr) << create;
    EXPECT_EQ(ReadRegDword(*key, L"v"), 42u);
    EXPECT_FALSE(WriteRegDword(*key, L"v", 1));
  }
  EXPECT_TRUE(env.registry.DeleteKey(RegistryRoot::CurrentUser, path));
}

}  // namespace
}  // namespace corvane::platform
