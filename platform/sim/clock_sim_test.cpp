#include "platform/sim/clock_sim.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace corvane::platform {
namespace {

using Log = std::vector<std::pair<std::string, uint32_t>>;  // which timer fired, and when

TEST(SimClock, TimersFireInTimeOrderOnlyWhileTimeMoves) {
  SimClock clock(1000);
  Log log;
  auto note = [&](std::string name) { return [&, name] { log.emplace_back(name, clock.TickCount()); }; };
  auto periodic = clock.StartTimer(20, true, note("p"));
  auto once = clock.StartTimer(30, false, note("a"));
  auto tieFirst = clock.StartTimer(50, false, note("b"));
  auto tieSecond = clock.StartTimer(50, false, note("c"));
  auto tooShort = clock.StartTimer(0, false, note("min"));  // SetTimer's 10 ms floor

  clock.Advance(9);
  EXPECT_TRUE(log.empty());
  clock.Advance(51);
  EXPECT_EQ(log, (Log{{"min", 1010}, {"p", 1020}, {"a", 1030}, {"p", 1040}, {"b", 1050}, {"c", 1050}, {"p", 1060}}));
  log.clear();
  clock.Advance(45);  // the one-shots are spent; the periodic one keeps its beat
  EXPECT_EQ(log, (Log{{"p", 1080}, {"p", 1100}}));
  EXPECT_EQ(clock.TickCount(), 1105u);
}

TEST(SimClock, CallbacksMayStopAndStartTimers) {
  SimClock clock;
  Log log;
  std::unique_ptr<Timer> self, victim, late;
  self = clock.StartTimer(10, true, [&] {
    log.emplace_back("self", clock.TickCount());
    if (log.size() == 2) self.reset();  // a periodic timer stopping itself mid-callback
  });
  auto killer = clock.StartTimer(30, false, [&] {
    log.emplace_back("killer", clock.TickCount());
    victim.reset();  // due at this very moment, yet must not fire
    late = clock.StartTimer(15, false, [&] { log.emplace_back("late", clock.TickCount()); });
  });
  victim = clock.StartTimer(30, false, [&] { log.emplace_back("victim", clock.TickCount()); });

  clock.Advance(100);
  EXPECT_EQ(log, (Log{{"self", 10}, {"self", 20}, {"killer", 30}, {"late", 45}}));
  EXPECT_EQ(clock.ActiveTimers(), 0u);
}

TEST(SimClock, TickCountWrapsLikeGetTickCount) {
  SimClock clock(0xFFFFFFF0u);
  const uint32_t start = clock.TickCount();
  uint32_t firedAt = 0;
  auto timer = clock.StartTimer(32, false, [&] { firedAt = clock.TickCount(); });
  clock.Advance(40);
  EXPECT_EQ(firedAt, 0x10u);
  EXPECT_EQ(static_cast<uint32_t>(clock.TickCount() - start), 40u);  // how callers measure spans
}

}  // namespace
}  // namespace corvane::platform
