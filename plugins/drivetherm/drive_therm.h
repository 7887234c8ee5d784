#pragma once
// drivetherm's work while it runs: one tray icon per disk with S.M.A.R.T. (slots 0-3),
// showing its temperature, read again every 10 seconds; an icon is redrawn only when its
// temperature changed.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/notify_icon.h"
#include "platform/smart_disks.h"
#include "platform/window_handle.h"
#include "plugins/drivetherm/drive_info.h"

namespace corvane::drivetherm {

inline constexpr int kSlots = 4;
inline constexpr uint32_t kFirstIconId = 7564;
inline constexpr uint32_t kRefreshMs = 10000;

// Draws the icon text (red digits on white, 16 x 16); null when it cannot.
class TemperatureIcons {
 public:
  virtual ~TemperatureIcons() = default;
  virtual std::unique_ptr<platform::IconImage> Draw(const std::wstring& text) = 0;
};

struct DriveThermContext {
  platform::SmartDisks& disks;
  platform::NotifyIcon& tray;
  TemperatureIcons& icons;
  platform::Clock& clock;
};

class DriveTherm {
 public:
  explicit DriveTherm(const DriveThermContext& context) : ctx_(context) {}
  ~DriveTherm() { Done(); }
  DriveTherm(const DriveTherm&) = delete;
  DriveTherm& operator=(const DriveTherm&) = delete;

  // Opens the drives afresh and shows their icons on `window`; nothing when running.
  void Exec(platform::WindowHandle window);
  // Removes the icons and closes the drives; nothing when not running.
  void Done();
  bool Running() const { return running_; }
  // What the 10-second timer does.
  void Refresh();

  // Slot i's drive is open and has S.M.A.R.T.
  bool Present(int slot) const { return slots_.at(static_cast<size_t>(slot)).drive != nullptr; }
  const DriveIdentity& Identity(int slot) const { return slots_.at(static_cast<size_t>(slot)).identity; }

 private:
  struct Slot {
    std::unique_ptr<platform::SmartDrive> drive;
    DriveIdentity identity;
    platform::SmartSector attributes{};
    uint8_t shown = 0;
  };

  void OpenDrives();
  void ReadAttributes();
  void ShowIcon(int slot, bool add);

  DriveThermContext ctx_;
  std::array<Slot, kSlots> slots_;
  platform::WindowHandle window_ = 0;
  std::unique_ptr<platform::Timer> timer_;
  bool running_ = false;
};

}  // namespace corvane::drivetherm
