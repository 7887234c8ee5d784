#pragma once
// Named kernel objects as in-process tables. One SimNamedObjects is the whole machine's
// namespace: two simulated "processes" in a test share the same instance. As on Windows,
// an object lives while any handle to it does, names are case-sensitive, and mutexes,
// events and mappings share one namespace.

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/named_objects.h"
#include "platform/sim/threading_sim.h"

namespace corvane::platform {

class SimNamedObjects final : public NamedObjects {
 public:
  // Named events are events of `threading`, so its WaitAny takes them alongside its own.
  explicit SimNamedObjects(SimThreading& threading);
  SimNamedObjects(const SimNamedObjects&) = delete;
  SimNamedObjects& operator=(const SimNamedObjects&) = delete;

  NamedMutexResult CreateNamedMutex(const std::wstring& name) override;
  std::unique_ptr<Event> CreateNamedEvent(const std::wstring& name, bool manualReset, bool initiallySet) override;
  std::unique_ptr<Event> OpenNamedEvent(const std::wstring& name) override;
  // The view must fit in the mapping as created. Windows only enforces that to the
  // 4 KiB page (a view of 1024 bytes of a 512-byte mapping works there); the simulation
  // holds to the exact size so a layout mismatch shows up in tests.
  std::unique_ptr<SharedMapping> CreateNamedMapping(const std::wstring& name, size_t size) override;
  std::unique_ptr<SharedMapping> OpenNamedMapping(const std::wstring& name, size_t size) override;

 private:
  enum class Kind { kMutex, kEvent, kMapping };
  struct Entry {
    Kind kind;
    std::weak_ptr<void> object;  // expires with the last handle
  };
  struct Lookup {
    std::shared_ptr<void> object;  // null when the name is free
    bool otherKind = false;        // the name belongs to an object of another kind
  };

  Lookup Find(const std::wstring& name, Kind kind);
  std::unique_ptr<SharedMapping> MapView(std::shared_ptr<void> storage, size_t size);

  SimThreading& threading_;
  std::mutex mutex_;
  std::map<std::wstring, Entry> objects_;
};

}  // namespace corvane::platform
