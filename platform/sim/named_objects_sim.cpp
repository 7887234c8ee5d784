#include "platform/sim/named_objects_sim.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace corvane::platform {
namespace {

struct MutexObject {};

using MappingStorage = std::vector<uint8_t>;

class SimNamedMutex final : public NamedMutex {
 public:
  explicit SimNamedMutex(std::shared_ptr<void> object) : object_(std::move(object)) {}

 private:
  std::shared_ptr<void> object_;
};

class SimSharedMapping final : public SharedMapping {
 public:
  SimSharedMapping(std::shared_ptr<MappingStorage> storage, size_t size)
      : storage_(std::move(storage)), size_(size) {}

  std::span<uint8_t> Bytes() override { return {storage_->data(), size_}; }

 private:
  std::shared_ptr<MappingStorage> storage_;  // never resized, so the view stays valid
  size_t size_;
};

}  // namespace

SimNamedObjects::SimNamedObjects(SimThreading& threading) : threading_(threading) {}

SimNamedObjects::Lookup SimNamedObjects::Find(const std::wstring& name, Kind kind) {
  auto it = objects_.find(name);
  if (it == objects_.end()) return {};
  std::shared_ptr<void> object = it->second.object.lock();
  if (!object) {
    objects_.erase(it);
    return {};
  }
  if (it->second.kind != kind) return {nullptr, true};
  return {std::move(object), false};
}

// An empty name would make an unnamed, unshared object on Windows; nothing here may
// rely on that, so both adapters refuse it.
NamedMutexResult SimNamedObjects::CreateNamedMutex(const std::wstring& name) {
  if (name.empty()) return {};
  std::lock_guard lock(mutex_);
  Lookup found = Find(name, Kind::kMutex);
  if (found.otherKind) return {};
  if (found.object) return {std::make_unique<SimNamedMutex>(std::move(found.object)), true};
  auto object = std::make_shared<MutexObject>();
  objects_[name] = {Kind::kMutex, object};
  return {std::make_unique<SimNamedMutex>(std::move(object)), false};
}

std::unique_ptr<Event> SimNamedObjects::CreateNamedEvent(const std::wstring& name, bool manualReset,
                                                         bool initiallySet) {
  if (name.empty()) return nullptr;
  std::lock_guard lock(mutex_);
  Lookup found = Find(name, Kind::kEvent);
  if (found.otherKind) return nullptr;
  // Opening an existing event keeps its kind and state, as CreateEvent does.
  if (found.object) return threading_.EventOn(std::static_pointer_cast<SimEventState>(found.object));
  auto state = std::make_shared<SimEventState>(SimEventState{manualReset, initiallySet});
  objects_[name] = {Kind::kEvent, state};
  return threading_.EventOn(std::move(state));
}

std::unique_ptr<Event> SimNamedObjects::OpenNamedEvent(const std::wstring& name) {
  std::lock_guard lock(mutex_);
  Lookup found = Find(name, Kind::kEvent);
  if (!found.object) return nullptr;
  return threading_.EventOn(std::static_pointer_cast<SimEventState>(found.object));
}

std::unique_ptr<SharedMapping> SimNamedObjects::CreateNamedMapping(const std::wstring& name, size_t size) {
  if (name.empty() || size == 0) return nullptr;
  std::lock_guard lock(mutex_);
  Lookup found = Find(name, Kind::kMapping);
  if (found.otherKind) return nullptr;
  if (found.object) return MapView(std::move(found.object), size);
  auto storage = std::make_shared<MappingStorage>(size, uint8_t{0});
  objects_[name] = {Kind::kMapping, storage};
  return MapView(std::move(storage), size);
}

std::unique_ptr<SharedMapping> SimNamedObjects::OpenNamedMapping(const std::wstring& name, size_t size) {
  if (size == 0) return nullptr;
  std::lock_guard lock(mutex_);
  Lookup found = Find(name, Kind::kMapping);
  if (!found.object) return nullptr;
  return MapView(std::move(found.object), size);
}

std::unique_ptr<SharedMapping> SimNamedObjects::MapView(std::shared_ptr<void> object, size_t size) {
  auto storage = std::static_pointer_cast<MappingStorage>(object);
  if (size > storage->size()) return nullptr;
  return std::make_unique<SimSharedMapping>(std::move(storage), size);
}

}  // namespace corvane::platform
