#include "platform/sim/threading_sim.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/threading_contract_test.h"

namespace corvane::platform {
namespace {

struct SimPlatform {
  Threading& threading() { return sim; }
  SimThreading sim;
};

// Each SimThreading guards its events with its own mutex: waiting here on another's
// event would sleep through its Set.
TEST(SimThreading, WaitAnyRefusesAnotherInstancesEvents) {
  SimThreading one;
  SimThreading other;
  auto mine = one.NewEvent(true, false);
  auto theirs = other.NewEvent(true, true);
  Event* list[] = {mine.get(), theirs.get()};
  EXPECT_THROW(one.WaitAny(list, 0), std::invalid_argument);
}

}  // namespace
}  // namespace corvane::platform

namespace corvane::platform::contract {
INSTANTIATE_TYPED_TEST_SUITE_P(Sim, ThreadingContract, SimPlatform);
}  // namespace corvane::platform::contract
