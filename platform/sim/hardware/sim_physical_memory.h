#pragma once
// The simulated machine's physical address space as the kernel driver sees it: regions
// (the card's register aperture, its video memory, the video BIOS) at physical
// addresses, and the windows the driver maps into the process at made-up user-mode
// addresses. A load or store lands wherever window + offset points, as it would through
// a real pointer; one that points outside every mapping is recorded as a fault instead
// of crashing the test (loads give 0, stores are dropped).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/io_bounds/io_bounds.h"

namespace corvane::platform::sim {

// Something that answers loads and stores inside a physical region. `width` is 1, 2
// or 4 and the access lies wholly inside the region; values are little-endian.
class PhysicalRegion {
 public:
  virtual ~PhysicalRegion() = default;
  virtual uint32_t Load(uint32_t offset, unsigned width) = 0;
  // False when the region ignores stores (a ROM); the store then counts as a fault.
  virtual bool Store(uint32_t offset, unsigned width, uint32_t value) = 0;
};

struct Mapping {
  uint32_t userAddress = 0;
  uint32_t physicalAddress = 0;
  uint32_t length = 0;
};

enum class FaultKind {
  NotMapped,  // no mapping holds the address (outside a window, or a window already unmapped)
  ReadOnly,   // a store into the video BIOS
};

struct MemoryFault {
  uint64_t address = 0;  // window + offset
  unsigned width = 0;
  bool store = false;
  FaultKind kind = FaultKind::NotMapped;
};

class SimPhysicalMemory {
 public:
  // Windows are handed out from here upwards, at least one unmapped byte apart and never
  // reused, so a stale or overrunning pointer never lands in another window.
  static constexpr uint32_t kFirstWindow = 0x20000000;
  static constexpr uint32_t kWindowGranularity = 0x01000000;

  SimPhysicalMemory() = default;
  SimPhysicalMemory(const SimPhysicalMemory&) = delete;
  SimPhysicalMemory& operator=(const SimPhysicalMemory&) = delete;

  // `region` must outlive this object. Regions must not overlap.
  void AddRegion(uint32_t physicalBase, uint32_t size, PhysicalRegion& region);
  // System RAM: nothing here answers for it, but the driver refuses to map over it.
  void AddSystemRam(uint64_t base, uint64_t length) { ram_.push_back({base, length}); }
  const std::vector<io_bounds::AddressRange>& SystemRam() const { return ram_; }

  // The user-mode address of a new window, or nothing when the range is empty or not
  // wholly inside one region (the driver would map garbage; the simulation refuses).
  std::optional<uint32_t> Map(uint32_t physicalAddress, uint32_t length);
  // False when `userAddress` is not the start of a live window.
  bool Unmap(uint32_t userAddress);

  uint32_t Load(uint64_t address, unsigned width);
  void Store(uint64_t address, unsigned width, uint32_t value);

  // What tests look at.
  const std::vector<Mapping>& Mappings() const { return mappings_; }  // live windows
  size_t MapCount() const { return mapCount_; }                      // ever mapped
  const std::vector<MemoryFault>& Faults() const { return faults_; }
  size_t FaultCount() const { return faults_.size(); }
  void ClearFaults() { faults_.clear(); }

 private:
  struct Region {
    uint32_t base;
    uint32_t size;
    PhysicalRegion* region;
  };
  const Region* RegionHolding(uint64_t physical, uint64_t length) const;
  // The region and its offset for an access, or nullptr after recording a fault.
  PhysicalRegion* Resolve(uint64_t address, unsigned width, bool store, uint32_t& offset);

  std::vector<Region> regions_;
  std::vector<io_bounds::AddressRange> ram_;
  std::vector<Mapping> mappings_;
  std::vector<MemoryFault> faults_;
  uint64_t nextWindow_ = kFirstWindow;
  size_t mapCount_ = 0;
};

}  // namespace corvane::platform::sim
