#pragma once
// What every Threading adapter must do, instantiated by each test executable for its
// platform (the simulation natively, the Win32 adapter under Wine), so code proven on
// the simulation waits and wakes the same way on Windows.
// The type parameter is default-constructible and has `Threading& threading()`.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "platform/threading.h"

namespace corvane::platform::contract {

template <typename Platform>
class ThreadingContract : public testing::Test {
 protected:
  Platform platform_;
};

TYPED_TEST_SUITE_P(ThreadingContract);

TYPED_TEST_P(ThreadingContract, EventsResetByKindAndWaitsTimeOut) {
  Threading& t = this->platform_.threading();
  auto autoReset = t.NewEvent(false, true);
  auto manual = t.NewEvent(true, true);
  EXPECT_TRUE(autoReset->Wait(0));
  EXPECT_FALSE(autoReset->Wait(0)) << "a satisfied wait resets an auto-reset event";
  EXPECT_TRUE(manual->Wait(0));
  EXPECT_TRUE(manual->Wait(0)) << "a manual-reset event stays set";
  manual->Reset();

  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(manual->Wait(40));
  Event* list[] = {autoReset.get(), manual.get()};
  EXPECT_EQ(t.WaitAny(list, 40), std::nullopt);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(70));
}

TYPED_TEST_P(ThreadingContract, WaitAnyTakesTheLowestSignalledAndResetsOnlyThatOne) {
  Threading& t = this->platform_.threading();
  auto first = t.NewEvent(false, false);
  auto second = t.NewEvent(false, false);
  auto manual = t.NewEvent(true, false);
  auto last = t.NewEvent(false, false);
  Event* list[] = {first.get(), second.get(), manual.get(), last.get()};

  last->Set();
  manual->Set();
  second->Set();
  EXPECT_EQ(t.WaitAny(list, 0), 1u);
  EXPECT_EQ(t.WaitAny(list, 0), 2u);
  EXPECT_EQ(t.WaitAny(list, 0), 2u) << "the manual-reset event stays set";
  manual->Reset();
  EXPECT_EQ(t.WaitAny(list, 0), 3u) << "waits that returned an earlier event left this one set";
  EXPECT_EQ(t.WaitAny(list, 0), std::nullopt);

  class ForeignEvent final : public Event {
    void Set() override {}
    void Reset() override {}
    bool Wait(uint32_t) override { return true; }
  } foreign;
  Event* mixed[] = {first.get(), &foreign};
  EXPECT_THROW(t.WaitAny(mixed, 0), std::invalid_argument);
  EXPECT_THROW(t.WaitAny({}, 0), std::invalid_argument);
}

TYPED_TEST_P(ThreadingContract, WaitsWakeWhenAnotherThreadSignals) {
  Threading& t = this->platform_.threading();
  auto idle = t.NewEvent(false, false);
  auto wake = t.NewEvent(false, false);
  auto reply = t.NewEvent(false, false);
  auto thread = t.StartThread([&] {
    t.Sleep(30);
    wake->Set();
    if (reply->Wait(kWaitForever)) wake->Set();
  });
  ASSERT_NE(thread, nullptr);
  Event* list[] = {idle.get(), wake.get()};
  EXPECT_EQ(t.WaitAny(list, kWaitForever), 1u);
  reply->Set();
  EXPECT_TRUE(wake->Wait(kWaitForever));
}

TYPED_TEST_P(ThreadingContract, LockExcludesOtherThreadsAndLetsItsOwnerReenter) {
  Threading& t = this->platform_.threading();
  auto lock = t.NewLock();
  int counter = 0;  // plain on purpose: only the lock keeps the increments whole
  std::vector<std::unique_ptr<Thread>> threads;
  for (int i = 0; i < 4; ++i) {
    threads.push_back(t.StartThread([&] {
      for (int round = 0; round < 20000; ++round) {
        LockGuard outer(*lock);
        LockGuard inner(*lock);
        const int seen = counter;
        if (round % 1000 == 0) t.Sleep(0);  // invite another thread into the gap
        counter = seen + 1;
      }
    }));
  }
  threads.clear();
  EXPECT_EQ(counter, 4 * 20000);
}

TYPED_TEST_P(ThreadingContract, DroppingAThreadWaitsForItUnlessItIsTheCaller) {
  Threading& t = this->platform_.threading();
  std::atomic<bool> finished{false};
  auto thread = t.StartThread([&] {
    t.Sleep(50);
    finished = true;
  });
  thread.reset();
  EXPECT_TRUE(finished);

  // A worker that owns its own Thread must be able to join and drop it.
  auto handedOver = t.NewEvent(true, false);
  auto done = t.NewEvent(true, false);
  thread = t.StartThread([&] {
    handedOver->Wait(kWaitForever);
    thread->Join();
    thread.reset();
    done->Set();
  });
  handedOver->Set();
  ASSERT_TRUE(done->Wait(10000)) << "the thread deadlocked on itself";
  EXPECT_EQ(thread, nullptr);
}

REGISTER_TYPED_TEST_SUITE_P(ThreadingContract, EventsResetByKindAndWaitsTimeOut,
                            WaitAnyTakesTheLowestSignalledAndResetsOnlyThatOne, WaitsWakeWhenAnotherThreadSignals,
                            LockExcludesOtherThreadsAndLetsItsOwnerReenter,
                            DroppingAThreadWaitsForItUnlessItIsTheCaller);

}  // namespace corvane::platform::contract
