#include "platform/counting_registry.h"

#include <gtest/gtest.h>

#include "platform/registry_values.h"
#include "platform/sim/registry_sim.h"

namespace corvane::platform {
namespace {

TEST(CountingRegistry, CountsEachCallAndPassesResultsThrough) {
  SimRegistry sim;
  CountingRegistry registry(sim);

  EXPECT_EQ(registry.OpenKey(RegistryRoot::CurrentUser, L"Missing", false), nullptr);
  {
    auto key = registry.OpenKey(RegistryRoot::CurrentUser, L"A\\B", true);
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(WriteRegString(*key, L"v", L"text"));
    EXPECT_EQ(ReadRegString(*key, L"v"), L"text");
    EXPECT_FALSE(key->QueryValue(L"none").has_value());
    EXPECT_TRUE(key->DeleteValue(L"v"));
    EXPECT_TRUE(key->ValueNames().empty());
  }
  auto parent = registry.OpenKey(RegistryRoot::CurrentUser, L"A", false);
  ASSERT_NE(parent, nullptr);
  EXPECT_EQ(parent->SubKeyNames(), std::vector<std::wstring>{L"B"});
  EXPECT_TRUE(registry.DeleteKey(RegistryRoot::CurrentUser, L"A"));

  const RegistryCallCounts& counts = registry.Counts();
  EXPECT_EQ(counts.openKey, 3u);  // a failed open still reached the registry
  EXPECT_EQ(counts.writeValue, 1u);
  EXPECT_EQ(counts.readValue, 1u);
  EXPECT_EQ(counts.queryValue, 1u);
  EXPECT_EQ(counts.deleteValue, 1u);
  EXPECT_EQ(counts.enumValues, 1u);
  EXPECT_EQ(counts.enumSubKeys, 1u);
  EXPECT_EQ(counts.deleteKey, 1u);
  EXPECT_EQ(counts.Total(), 10u);

  // A key kept after the decorator is gone still counts into the shared counters safely.
  std::unique_ptr<RegistryKey> survivor;
  {
    CountingRegistry shortLived(sim);
    survivor = shortLived.OpenKey(RegistryRoot::CurrentUser, L"C", true);
  }
  EXPECT_FALSE(survivor->QueryValue(L"x").has_value());

  registry.Reset();
  EXPECT_EQ(registry.Counts().Total(), 0u);
}

}  // namespace
}  // namespace corvane::platform
