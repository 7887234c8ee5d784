#include "platform/sim/named_objects_sim.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/named_objects_contract_test.h"

namespace corvane::platform {
namespace {

struct SimPlatform {
  Threading& threading() { return simThreading; }
  NamedObjects& namedObjects() { return simNamed; }
  std::wstring Name(std::wstring_view base) { return std::wstring(base); }

  SimThreading simThreading;
  SimNamedObjects simNamed{simThreading};
};

// Stricter than Windows, which lets a view run to the end of the mapping's last page:
// a layout that disagrees with the creator's size fails here rather than reading zeros.
TEST(SimNamedObjects, ViewsMustFitTheSizeTheMappingWasCreatedWith) {
  SimThreading threading;
  SimNamedObjects named(threading);
  auto created = named.CreateNamedMapping(L"layout", 512);
  EXPECT_EQ(named.OpenNamedMapping(L"layout", 513), nullptr);
  EXPECT_EQ(named.CreateNamedMapping(L"layout", 513), nullptr);
  EXPECT_NE(named.OpenNamedMapping(L"layout", 512), nullptr);
}

}  // namespace
}  // namespace corvane::platform

namespace corvane::platform::contract {
INSTANTIATE_TYPED_TEST_SUITE_P(Sim, NamedObjectsContract, SimPlatform);
}  // namespace corvane::platform::contract
