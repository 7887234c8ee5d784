#include "app/program.h"

#include <gtest/gtest.h>

#include "app/global.h"
#include "platform/registry_values.h"
#include "platform/sim/sim_platform.h"

namespace corvane {
namespace {

using platform::RegistryRoot;

TEST(Program, FirstInstanceLoadsAndSavesTheSettingsWithItsProcessId) {
  platform::SimPlatform sim;
  ProgramEnvironment environment{sim.ports, L"c:\\corvane\\", CommandLine(), 4242};
  EXPECT_EQ(RunProgram(environment), 0);

  auto key = sim.registry.OpenKey(RegistryRoot::CurrentUser, global::ProgramKey, false);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(platform::ReadRegDword(*key, L"Proc_ID"), 4242u);
  EXPECT_EQ(platform::ReadRegDword(*key, L"use_skinned_menu"), 1u);
}

TEST(Program, SecondInstanceEndsWithoutTouchingTheSettings) {
  platform::SimPlatform sim;
  auto firstInstance = sim.namedObjects.CreateNamedMutex(L"corvane");
  ProgramEnvironment environment{sim.ports, L"c:\\corvane\\", CommandLine(), 4242};
  EXPECT_EQ(RunProgram(environment), 0);
  EXPECT_EQ(sim.registry.OpenKey(RegistryRoot::CurrentUser, global::ProgramKey, false), nullptr);
}

}  // namespace
}  // namespace corvane
