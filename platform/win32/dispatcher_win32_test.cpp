#include "platform/win32/dispatcher_win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/message_window_test.h"

namespace corvane::platform {
namespace {

using testing::WorkerThread;

TEST(DispatcherWin32, WorkersWaitForTheUiThreadAndTheirWorkRunsThere) {
  MessageWindow window;
  Win32Dispatcher dispatcher(window);
  bool ranAtOnce = false;
  dispatcher.Synchronize([&] { ranAtOnce = true; });  // on the UI thread: no loop needed
  EXPECT_TRUE(ranAtOnce);

  constexpr int kWorkers = 3, kCallsEach = 20;
  int total = 0;  // unsynchronised on purpose: only the UI thread may touch it
  bool allOnUiThread = true;
  std::atomic<int> started{0};
  std::vector<std::unique_ptr<WorkerThread>> workers;
  for (int w = 0; w < kWorkers; ++w)
    workers.push_back(std::make_unique<WorkerThread>([&] {
      ++started;
      for (int i = 0; i < kCallsEach; ++i)
        dispatcher.Synchronize([&] {
          ++total;
          allOnUiThread &= GetCurrentThreadId() == window.ThreadId();
        });
    }));
  while (started < kWorkers) Sleep(1);
  Sleep(50);
  EXPECT_EQ(total, 0) << "nothing runs while the UI thread does not pump";

  workers.clear();  // pumps until every worker is through
  EXPECT_EQ(total, kWorkers * kCallsEach);
  EXPECT_TRUE(allOnUiThread);
}

TEST(DispatcherWin32, WorkerGetsTheExceptionOrHearsThatTheWindowIsGone) {
  auto window = std::make_unique<MessageWindow>();
  Win32Dispatcher dispatcher(*window);
  std::string caught;
  {
    WorkerThread worker([&] {
      try {
        dispatcher.Synchronize([] { throw std::runtime_error("card not found"); });
      } catch (const std::runtime_error& e) {
        caught = e.what();
      }
    });
  }
  EXPECT_EQ(caught, "card not found");

  window.reset();
  bool ran = false, refused = false;
  {
    WorkerThread worker([&] {
      try {
        dispatcher.Synchronize([&] { ran = true; });
      } catch (const std::runtime_error&) {
        refused = true;
      }
    });
  }
  EXPECT_TRUE(refused);
  EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace corvane::platform
