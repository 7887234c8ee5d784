#include "platform/sim/window_messages_sim.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <utility>

namespace corvane::platform {
namespace {

constexpr uint32_t kFirstRegisteredId = 0xC000;
constexpr uint32_t kLastRegisteredId = 0xFFFF;
constexpr size_t kMaxNameLength = 255;  // an atom's limit

// Atom names fold all of Unicode; ours are ASCII, so folding ASCII is enough here.
std::wstring Folded(const std::wstring& name) {
  std::wstring folded = name;
  for (wchar_t& c : folded)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return folded;
}

}  // namespace

struct SimDesktop::Queue {
  std::deque<Posted> posted;
  // What a sent message does in that process: its subscribers run at once.
  std::function<void(const Posted&)> deliverNow;
};

struct SimWindowMessages::Subscriber {
  uint32_t message;
  MessageHandler handler;
  bool active = true;
};

class SimWindowMessages::Subscription final : public MessageSubscription {
 public:
  using List = std::vector<std::shared_ptr<Subscriber>>;
  Subscription(std::weak_ptr<List> list, std::shared_ptr<Subscriber> subscriber)
      : list_(std::move(list)), subscriber_(std::move(subscriber)) {}
  ~Subscription() override {
    // Marked first, so a delivery already under way skips it.
    subscriber_->active = false;
    if (auto list = list_.lock()) std::erase(*list, subscriber_);
  }

 private:
  std::weak_ptr<List> list_;
  std::shared_ptr<Subscriber> subscriber_;
};

SimDesktop::SimDesktop() : nextId_(kFirstRegisteredId) {}

SimDesktop::~SimDesktop() = default;

uint32_t SimDesktop::Register(const std::wstring& name) {
  if (name.empty() || name.size() > kMaxNameLength) return 0;
  std::lock_guard lock(mutex_);
  auto [it, added] = ids_.try_emplace(Folded(name), nextId_);
  if (added) {
    if (nextId_ > kLastRegisteredId) {
      ids_.erase(it);
      return 0;
    }
    ++nextId_;
  }
  return it->second;
}

bool SimDesktop::IsRegistered(uint32_t message) const {
  std::lock_guard lock(mutex_);
  return message >= kFirstRegisteredId && message < nextId_;
}

SimWindowMessages::SimWindowMessages() : SimWindowMessages(std::make_unique<SimDesktop>()) {}

SimWindowMessages::SimWindowMessages(std::unique_ptr<SimDesktop> ownDesktop)
    : ownDesktop_(std::move(ownDesktop)), desktop_(*ownDesktop_) {
  JoinDesktop();
}

SimWindowMessages::SimWindowMessages(SimDesktop& desktop) : desktop_(desktop) { JoinDesktop(); }

void SimWindowMessages::JoinDesktop() {
  queue_ = std::make_shared<SimDesktop::Queue>();
  queue_->deliverNow = [this](const SimDesktop::Posted& posted) { Deliver(posted); };
  subscribers_ = std::make_shared<std::vector<std::shared_ptr<Subscriber>>>();
  std::lock_guard lock(desktop_.mutex_);
  desktop_.queues_.push_back(queue_);
}

SimWindowMessages::~SimWindowMessages() {
  std::lock_guard lock(desktop_.mutex_);
  std::erase_if(desktop_.queues_, [&](const auto& q) { return q.lock() == queue_; });
}

uint32_t SimWindowMessages::RegisterMessage(const std::wstring& name) { return desktop_.Register(name); }

bool SimWindowMessages::Broadcast(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (!desktop_.IsRegistered(message)) return false;
  std::lock_guard lock(desktop_.mutex_);
  for (const auto& weak : desktop_.queues_)
    if (auto queue = weak.lock()) queue->posted.push_back({message, wParam, lParam});
  return true;
}

bool SimWindowMessages::SendBroadcast(uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t) {
  if (!desktop_.IsRegistered(message)) return false;
  std::vector<std::shared_ptr<SimDesktop::Queue>> receivers;
  {
    std::lock_guard lock(desktop_.mutex_);
    for (const auto& weak : desktop_.queues_)
      if (auto queue = weak.lock()) receivers.push_back(std::move(queue));
  }
  for (const auto& queue : receivers) queue->deliverNow({message, wParam, lParam});
  return true;
}

std::unique_ptr<MessageSubscription> SimWindowMessages::Subscribe(uint32_t message, MessageHandler handler) {
  auto subscriber = std::make_shared<Subscriber>(Subscriber{message, std::move(handler)});
  subscribers_->push_back(subscriber);
  return std::make_unique<Subscription>(subscribers_, std::move(subscriber));
}

size_t SimWindowMessages::Pump() {
  size_t taken = 0;
  for (;;) {
    SimDesktop::Posted posted;
    {
      std::lock_guard lock(desktop_.mutex_);
      if (queue_->posted.empty()) break;
      posted = queue_->posted.front();
      queue_->posted.pop_front();
    }
    ++taken;
    Deliver(posted);
  }
  return taken;
}

void SimWindowMessages::Deliver(const SimDesktop::Posted& posted) {
  // A handler may subscribe or unsubscribe, so deliver from a copy and skip whoever
  // left meanwhile; newcomers wait for the next message, as with a window procedure.
  const auto subscribers = *subscribers_;
  for (const auto& s : subscribers)
    if (s->active && s->message == posted.message) s->handler(posted.wParam, posted.lParam);
}

size_t SimWindowMessages::Pending() const {
  std::lock_guard lock(desktop_.mutex_);
  return queue_->posted.size();
}

}  // namespace corvane::platform
