#include "platform/sim/window_messages_sim.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace corvane::platform {
namespace {

using Received = std::vector<std::pair<uintptr_t, intptr_t>>;

TEST(SimWindowMessages, NamesGiveOneIdOnTheDesktopWhateverTheCase) {
  SimDesktop desktop;
  SimWindowMessages first(desktop), second(desktop);
  const uint32_t id = first.RegisterMessage(L"Corvane.Restore");
  EXPECT_GE(id, 0xC000u);
  EXPECT_EQ(second.RegisterMessage(L"CORVANE.restore"), id);
  EXPECT_NE(second.RegisterMessage(L"Corvane.Quit"), id);
  EXPECT_EQ(first.RegisterMessage(L""), 0u);
  EXPECT_EQ(first.RegisterMessage(std::wstring(256, L'x')), 0u);
  EXPECT_FALSE(first.Broadcast(0xFFFF, 0, 0)) << "nobody registered it";
}

TEST(SimWindowMessages, BroadcastWaitsInEveryProcessQueueOfTheDesktop) {
  SimDesktop desktop;
  SimWindowMessages sender(desktop), receiver(desktop), elsewhere;
  const uint32_t id = sender.RegisterMessage(L"Corvane.Restore");
  Received atSender, atReceiver;
  auto s1 = sender.Subscribe(id, [&](uintptr_t w, intptr_t l) { atSender.emplace_back(w, l); });
  auto s2 = receiver.Subscribe(id, [&](uintptr_t w, intptr_t l) { atReceiver.emplace_back(w, l); });
  auto s3 = receiver.Subscribe(id + 1, [&](uintptr_t, intptr_t) { ADD_FAILURE() << "another message"; });

  ASSERT_TRUE(sender.Broadcast(id, 7, -42));
  EXPECT_TRUE(atReceiver.empty());
  EXPECT_EQ(receiver.Pump(), 1u);
  EXPECT_EQ(atReceiver, (Received{{7, -42}}));
  EXPECT_TRUE(atSender.empty()) << "its own copy waits for its own pump";
  sender.Pump();
  EXPECT_EQ(atSender, (Received{{7, -42}}));
  EXPECT_EQ(elsewhere.Pending(), 0u);
}

TEST(SimWindowMessages, SubscriptionsMayChangeDuringDelivery) {
  SimWindowMessages process;
  const uint32_t id = process.RegisterMessage(L"Corvane.Restore");
  int selfCalls = 0, victimCalls = 0, lateCalls = 0;
  std::unique_ptr<MessageSubscription> self, victim, late;
  self = process.Subscribe(id, [&](uintptr_t, intptr_t) {
    ++selfCalls;
    self.reset();
    victim.reset();  // next in line for this very message
    late = process.Subscribe(id, [&](uintptr_t, intptr_t) { ++lateCalls; });
  });
  victim = process.Subscribe(id, [&](uintptr_t, intptr_t) { ++victimCalls; });

  process.Broadcast(id, 0, 0);
  process.Broadcast(id, 0, 0);
  EXPECT_EQ(process.Pump(), 2u);
  EXPECT_EQ(selfCalls, 1);
  EXPECT_EQ(victimCalls, 0);
  EXPECT_EQ(lateCalls, 1);  // joined after the first message, in time for the second
}

}  // namespace
}  // namespace corvane::platform
