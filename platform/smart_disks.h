#pragma once
// Hard disks through their S.M.A.R.T. interface: the drive's identify data and its
// attribute and threshold pages, 512 bytes each, as the drive returns them.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace corvane::platform {

using SmartSector = std::array<uint8_t, 512>;

// One opened drive; closed when destroyed.
class SmartDrive {
 public:
  virtual ~SmartDrive() = default;
  // The driver reports the S.M.A.R.T. command set for this drive.
  virtual bool SupportsSmart() = 0;
  virtual bool EnableOperations() = 0;
  // IDENTIFY DEVICE, READ THRESHOLDS and READ ATTRIBUTE VALUES; nothing when they fail.
  virtual std::optional<SmartSector> Identify() = 0;
  virtual std::optional<SmartSector> ReadThresholds() = 0;
  virtual std::optional<SmartSector> ReadAttributes() = 0;
};

class SmartDisks {
 public:
  virtual ~SmartDisks() = default;
  // Drive 0-3; null when it cannot be opened.
  virtual std::unique_ptr<SmartDrive> Open(int slot) = 0;
};

}  // namespace corvane::platform
