#pragma once
// Registered messages between simulated processes. Every SimWindowMessages is one process;
// those built over the same SimDesktop see each other's broadcasts. A broadcast is posted:
// it waits in each process's queue until the test pumps that process.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/window_messages.h"

namespace corvane::platform {

// What the processes of one session share: the names of registered messages and a way
// to reach every process's queue. Must outlive the SimWindowMessages built over it.
class SimDesktop {
 public:
  SimDesktop();
  ~SimDesktop();
  SimDesktop(const SimDesktop&) = delete;
  SimDesktop& operator=(const SimDesktop&) = delete;

  // As RegisterWindowMessage: names compare without case, ids lie in 0xC000..0xFFFF, and
  // 0 means failure (an empty or over-long name, or no ids left).
  uint32_t Register(const std::wstring& name);
  bool IsRegistered(uint32_t message) const;

 private:
  friend class SimWindowMessages;
  struct Posted {
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
  };
  struct Queue;

  // Guards everything below and every queue's contents: Broadcast may come from any thread.
  mutable std::mutex mutex_;
  std::map<std::wstring, uint32_t> ids_;  // by upper-cased name
  uint32_t nextId_;
  std::vector<std::weak_ptr<Queue>> queues_;
};

class SimWindowMessages final : public WindowMessages {
 public:
  // A process alone on its own desktop.
  SimWindowMessages();
  explicit SimWindowMessages(SimDesktop& desktop);
  ~SimWindowMessages() override;
  SimWindowMessages(const SimWindowMessages&) = delete;
  SimWindowMessages& operator=(const SimWindowMessages&) = delete;

  uint32_t RegisterMessage(const std::wstring& name) override;
  // False for an id nobody registered: the real call would post it anyway, but here it
  // is a mistake worth seeing.
  bool Broadcast(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  // Every process's subscribers run before it returns, on the calling thread.
  bool SendBroadcast(uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t timeoutMs) override;
  std::unique_ptr<MessageSubscription> Subscribe(uint32_t message, MessageHandler handler) override;

  // The message loop of this process, run by the test on its UI thread: delivers queued
  // messages, including any posted meanwhile, until the queue is empty; returns how many
  // were taken off the queue (with or without a subscriber).
  size_t Pump();
  size_t Pending() const;

 private:
  class Subscription;
  struct Subscriber;

  explicit SimWindowMessages(std::unique_ptr<SimDesktop> ownDesktop);
  void JoinDesktop();
  void Deliver(const SimDesktop::Posted& posted);

  std::unique_ptr<SimDesktop> ownDesktop_;
  SimDesktop& desktop_;
  std::shared_ptr<SimDesktop::Queue> queue_;
  // Shared with the subscriptions, which may outlive this object.
  std::shared_ptr<std::vector<std::shared_ptr<Subscriber>>> subscribers_;
};

}  // namespace corvane::platform
