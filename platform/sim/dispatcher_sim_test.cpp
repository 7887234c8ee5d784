#include "platform/sim/dispatcher_sim.h"

#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <thread>
#include <vector>

namespace corvane::platform {
namespace {

using namespace std::chrono_literals;

TEST(SimDispatcher, WorkersWaitForThePumpAndTheirWorkRunsOnTheUiThread) {
  SimDispatcher dispatcher;
  bool ranAtOnce = false;
  dispatcher.Synchronize([&] { ranAtOnce = true; });
  EXPECT_TRUE(ranAtOnce);

  constexpr int kWorkers = 4, kCallsEach = 25;
  const auto uiThread = std::this_thread::get_id();
  int total = 0;  // unsynchronised on purpose: only the UI thread may touch it
  bool allOnUiThread = true;
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w)
    workers.emplace_back([&] {
      for (int i = 0; i < kCallsEach; ++i)
        dispatcher.Synchronize([&] {
          ++total;
          allOnUiThread &= std::this_thread::get_id() == uiThread;
        });
    });
  ASSERT_TRUE(dispatcher.WaitForPending(kWorkers, 5s));
  EXPECT_EQ(total, 0);  // every worker is parked in its first call

  for (int pumped = 0; pumped < kWorkers * kCallsEach; dispatcher.WaitForPending(1, 10ms))
    pumped += static_cast<int>(dispatcher.PumpAll());
  for (auto& t : workers) t.join();
  EXPECT_EQ(total, kWorkers * kCallsEach);
  EXPECT_TRUE(allOnUiThread);
}

TEST(SimDispatcher, ExceptionsReachTheCallerWhereverItWaits) {
  auto dispatcher = std::make_unique<SimDispatcher>();
  EXPECT_THROW(dispatcher->Synchronize([] { throw std::out_of_range("x"); }), std::out_of_range);

  auto failing = std::async(std::launch::async, [&] {
    dispatcher->Synchronize([] { throw std::runtime_error("card not found"); });
  });
  ASSERT_TRUE(dispatcher->WaitForPending(1, 5s));
  dispatcher->PumpAll();
  try {
    failing.get();
    ADD_FAILURE() << "no exception reached the worker";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "card not found");
  }

  // Work never pumped is abandoned, not left waiting for ever.
  auto abandoned = std::async(std::launch::async, [&] { dispatcher->Synchronize([] {}); });
  ASSERT_TRUE(dispatcher->WaitForPending(1, 5s));
  dispatcher.reset();
  EXPECT_THROW(abandoned.get(), std::future_error);
}

}  // namespace
}  // namespace corvane::platform
