#pragma once
// Simulated hard disks for the drive-temperature plug-in: identify data and an attribute
// page with the temperature (attribute 194) that a test may change; a disk may lack
// S.M.A.R.T. altogether or fail its reads.

#include <map>
#include <string>

#include "platform/smart_disks.h"

namespace corvane::platform::sim {

struct SimDisk {
  std::string model;
  std::string firmware = "SIM1.0";
  std::string serial = "SIM0001";
  uint16_t cacheKb = 2048;
  uint32_t sectors = 156301488;
  uint8_t temperature = 40;  // raw value of attribute 194
  bool hasTemperature = true;
  bool smart = true;
  bool readsFail = false;
};

class SimSmartDisks final : public SmartDisks {
 public:
  // The machine /simulate shows: two disks with temperatures and a third without S.M.A.R.T.
  static SimSmartDisks Default();

  void Put(int slot, SimDisk disk) { disks_[slot] = std::move(disk); }
  SimDisk& Disk(int slot) { return disks_.at(slot); }
  std::unique_ptr<SmartDrive> Open(int slot) override;
  // Drives open now.
  int OpenDrives() const { return open_; }

 private:
  class Drive;
  std::map<int, SimDisk> disks_;
  int open_ = 0;
};

// The identify data of a disk as a drive returns it: ATA strings with each word's bytes
// swapped, cache size (word 21, in 512-byte units) and capacity (words 60-61).
SmartSector MakeIdentifyData(const SimDisk& disk);

}  // namespace corvane::platform::sim
