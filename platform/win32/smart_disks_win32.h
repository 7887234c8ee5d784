#pragma once
// Disks through the S.M.A.R.T. control codes of the disk driver: "\\.\PhysicalDriveN" on
// Windows NT (XP and every later version), "\\.\SMARTVSD" on Windows 95, 98 and Me.

#include "platform/smart_disks.h"

namespace corvane::platform {

class Win32SmartDisks final : public SmartDisks {
 public:
  std::unique_ptr<SmartDrive> Open(int slot) override;
};

}  // namespace corvane::platform
