#include "platform/win32/clock_win32.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/win32/message_window_test.h"

namespace corvane::platform {
namespace {

using testing::PumpUntil;

TEST(ClockWin32, OneShotFiresOncePeriodicUntilStoppedStoppedNever) {
  MessageWindow window;
  Win32Clock clock(window);
  const uint32_t start = clock.TickCount();
  EXPECT_LE(static_cast<uint32_t>(GetTickCount() - start), 50u);  // the same clock
  int once = 0, periodic = 0, stopped = 0;
  uint32_t onceAt = 0;
  auto oneShot = clock.StartTimer(30, false, [&] {
    ++once;
    onceAt = clock.TickCount();
  });
  std::unique_ptr<Timer> repeating = clock.StartTimer(15, true, [&] {
    if (++periodic == 4) repeating.reset();  // from inside its own callback
  });
  clock.StartTimer(10, true, [&] { ++stopped; }).reset();

  ASSERT_TRUE(PumpUntil([&] { return periodic == 4 && once == 1; }, 5000));
  PumpUntil([] { return false; }, 150);
  EXPECT_EQ(once, 1);
  EXPECT_EQ(periodic, 4);
  EXPECT_EQ(stopped, 0);
  EXPECT_GE(static_cast<uint32_t>(onceAt - start), 15u);  // GetTickCount may step 10-16 ms
}

}  // namespace
}  // namespace corvane::platform
