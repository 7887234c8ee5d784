#include "platform/sim/hardware/sim_physical_memory.h"

#include <algorithm>

namespace corvane::platform::sim {

void SimPhysicalMemory::AddRegion(uint32_t physicalBase, uint32_t size, PhysicalRegion& region) {
  regions_.push_back({physicalBase, size, &region});
}

const SimPhysicalMemory::Region* SimPhysicalMemory::RegionHolding(uint64_t physical, uint64_t length) const {
  for (const Region& r : regions_)
    if (physical >= r.base && physical + length <= uint64_t{r.base} + r.size) return &r;
  return nullptr;
}

std::optional<uint32_t> SimPhysicalMemory::Map(uint32_t physicalAddress, uint32_t length) {
  if (length == 0 || !RegionHolding(physicalAddress, length)) return std::nullopt;
  // The user-mode address space of a 32-bit process ends at 2 GB.
  const uint64_t end = nextWindow_ + length;
  if (end > 0x80000000u) return std::nullopt;
  const auto address = static_cast<uint32_t>(nextWindow_);
  mappings_.push_back({address, physicalAddress, length});
  // The next window starts on a granule past a gap, so an overrun never reaches it.
  nextWindow_ = (end / kWindowGranularity + 1) * kWindowGranularity;
  ++mapCount_;
  return address;
}

bool SimPhysicalMemory::Unmap(uint32_t userAddress) {
  auto it = std::find_if(mappings_.begin(), mappings_.end(),
                         [&](const Mapping& m) { return m.userAddress == userAddress; });
  if (it == mappings_.end()) return false;
  mappings_.erase(it);
  return true;
}

PhysicalRegion* SimPhysicalMemory::Resolve(uint64_t address, unsigned width, bool store, uint32_t& offset) {
  for (const Mapping& m : mappings_) {
    if (address < m.userAddress || address + width > uint64_t{m.userAddress} + m.length) continue;
    const uint64_t physical = m.physicalAddress + (address - m.userAddress);
    // Map only accepts ranges inside one region, so this always finds it.
    if (const Region* r = RegionHolding(physical, width)) {
      offset = static_cast<uint32_t>(physical - r->base);
      return r->region;
    }
  }
  faults_.push_back({address, width, store, FaultKind::NotMapped});
  return nullptr;
}

uint32_t SimPhysicalMemory::Load(uint64_t address, unsigned width) {
  uint32_t offset = 0;
  PhysicalRegion* region = Resolve(address, width, false, offset);
  return region ? region->Load(offset, width) : 0;
}

void SimPhysicalMemory::Store(uint64_t address, unsigned width, uint32_t value) {
  uint32_t offset = 0;
  PhysicalRegion* region = Resolve(address, width, true, offset);
  if (region && !region->Store(offset, width, value))
    faults_.push_back({address, width, true, FaultKind::ReadOnly});
}

}  // namespace corvane::platform::sim
