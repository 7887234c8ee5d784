#include "platform/sim/registry_sim.h"

#include <gtest/gtest.h>

#include "platform/registry_contract_test.h"
#include "platform/registry_values.h"

namespace corvane::platform {
namespace {

struct SimEnv {
  SimRegistry registry;
  std::wstring base = L"Software\\CorvaneTest\\Contract";
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Sim, RegistryContract, SimEnv);

namespace {

constexpr auto kUser = RegistryRoot::CurrentUser;

TEST(SimRegistry, EnumeratesInCreationOrder) {
  SimRegistry registry;
  for (const wchar_t* name : {L"b", L"A", L"c"})
    ASSERT_NE(registry.OpenKey(kUser, std::wstring(L"K\\") + name, true), nullptr);
  auto key = registry.OpenKey(kUser, L"K", false);
  ASSERT_NE(key, nullptr);
  for (const wchar_t* name : {L"z", L"y", L"x"}) ASSERT_TRUE(WriteRegDword(*key, name, 1));

  EXPECT_EQ(key->SubKeyNames(), (std::vector<std::wstring>{L"b", L"A", L"c"}));
  // Overwriting keeps a value's place; deleting and writing again moves it to the end.
  ASSERT_TRUE(WriteRegDword(*key, L"Z", 2));
  EXPECT_EQ(key->ValueNames(), (std::vector<std::wstring>{L"z", L"y", L"x"}));
  ASSERT_TRUE(key->DeleteValue(L"y"));
  ASSERT_TRUE(WriteRegDword(*key, L"Y", 3));
  EXPECT_EQ(key->ValueNames(), (std::vector<std::wstring>{L"z", L"x", L"Y"}));
}

TEST(SimRegistry, FailsOnDemandWithoutChangingAnything) {
  SimRegistry registry;
  auto key = registry.OpenKey(kUser, L"Software\\Corvane\\Child", true);
  ASSERT_TRUE(key && WriteRegDword(*key, L"Kept", 1));

  // Only that key fails, under any spelling; a failed create leaves nothing behind.
  registry.FailOpen(kUser, L"Software\\Corvane");
  registry.FailOpen(kUser, L"New\\Key");
  EXPECT_EQ(registry.OpenKey(kUser, L"\\SOFTWARE\\corvane\\", false), nullptr);
  EXPECT_EQ(registry.OpenKey(kUser, L"New\\Key", true), nullptr);
  EXPECT_FALSE(registry.Exists(kUser, L"New"));
  EXPECT_NE(registry.OpenKey(kUser, L"Software\\Corvane\\Child", false), nullptr);

  registry.FailWrites(true);
  EXPECT_FALSE(WriteRegDword(*key, L"Kept", 2));
  EXPECT_FALSE(key->DeleteValue(L"Kept"));
  EXPECT_FALSE(registry.DeleteKey(kUser, L"Software\\Corvane\\Child"));
  EXPECT_EQ(ReadRegDword(*key, L"Kept"), 1u);

  registry.ClearFailures();
  EXPECT_NE(registry.OpenKey(kUser, L"Software\\Corvane", false), nullptr);
  EXPECT_TRUE(registry.DeleteKey(kUser, L"Software\\Corvane"));
}

TEST(SimRegistry, OpenKeyOutlivesTheRegistry) {
  std::unique_ptr<RegistryKey> key;
  {
    SimRegistry registry;
    key = registry.OpenKey(kUser, L"Software\\Corvane", true);
    ASSERT_NE(key, nullptr);
  }
  EXPECT_TRUE(WriteRegDword(*key, L"v", 5));
  EXPECT_EQ(ReadRegDword(*key, L"v"), 5u);
}

}  // namespace
}  // namespace corvane::platform
