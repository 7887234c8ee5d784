#include "platform/sim/hardware/sim_machine.h"

#include <stdexcept>
#include <string>

namespace corvane::platform::sim {
namespace {

CardSetup PresetOrThrow(std::string_view name) {
  if (auto setup = FindCardPreset(name)) return *setup;
  throw std::invalid_argument("no simulated card called \"" + std::string(name) + "\"");
}

constexpr uint64_t kSystemRamTop = 0x20000000;

}  // namespace

SimMachine::SimMachine(std::string_view preset, const MachineOptions& options)
    : SimMachine(PresetOrThrow(preset), options) {}

SimMachine::SimMachine(const CardSetup& card, const MachineOptions& options)
    : card_(card),
      services_(options.scenario),
      kernel_(services_, bus_, memory_),
      registers_(memory_) {
  if (options.scenario == ServiceScenario::NonNtPlatform) kernel_.SetPlatformId(1);

  AddChipset(bus_);
  // 512 MB of RAM below the 640 KB hole and above 1 MB, as the memory manager reports it.
  memory_.AddSystemRam(0x1000, 0x9F000 - 0x1000);
  memory_.AddSystemRam(0x100000, kSystemRamTop - 0x100000);
  // The shadowed video BIOS is there whether or not a Radeon is.
  memory_.AddRegion(kBiosPhysicalAddress, kBiosImageSize, card_.Bios());
  if (!options.cardPresent) return;
  bus_.Add(kCardLocation, card_.PrimaryFunction());
  if (card.secondaryDeviceId) bus_.Add(kCardSecondaryLocation, card_.SecondaryFunction());
  memory_.AddRegion(card_.RegisterAperturePhysical(), RadeonRegisters::kApertureSize, card_.Registers());
  memory_.AddRegion(card_.VideoMemoryPhysical(), card_.VideoMemorySize(), card_.VideoMemory());
}

}  // namespace corvane::platform::sim
