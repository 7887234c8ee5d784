#include "plugins/drivetherm/drive_therm.h"

namespace corvane::drivetherm {

void DriveTherm::Exec(platform::WindowHandle window) {
  if (running_) return;
  window_ = window;
  running_ = true;
  OpenDrives();
  ReadAttributes();
  for (int slot = 0; slot < kSlots; ++slot)
    if (Present(slot)) ShowIcon(slot, true);
  timer_ = ctx_.clock.StartTimer(kRefreshMs, true, [this] { Refresh(); });
}

void DriveTherm::Done() {
  if (!running_) return;
  timer_.reset();
  for (int slot = 0; slot < kSlots; ++slot)
    if (Present(slot)) ctx_.tray.Delete(window_, kFirstIconId + static_cast<uint32_t>(slot));
  for (Slot& slot : slots_) slot = Slot{};
  running_ = false;
}

void DriveTherm::Refresh() {
  if (!running_) return;
  ReadAttributes();
  for (int slot = 0; slot < kSlots; ++slot) {
    Slot& s = slots_[static_cast<size_t>(slot)];
    if (s.drive && Temperature(s.attributes) != s.shown) ShowIcon(slot, false);
  }
}

void DriveTherm::OpenDrives() {
  for (int i = 0; i < kSlots; ++i) {
    Slot& slot = slots_[static_cast<size_t>(i)];
    slot = Slot{};
    std::unique_ptr<platform::SmartDrive> drive = ctx_.disks.Open(i);
    if (!drive || !drive->SupportsSmart()) continue;
    drive->EnableOperations();
    if (std::optional<platform::SmartSector> identify = drive->Identify()) slot.identity = ReadIdentity(*identify);
    // Read as the drive expects at start, though nothing shows them.
    drive->ReadThresholds();
    slot.drive = std::move(drive);
  }
}

void DriveTherm::ReadAttributes() {
  for (Slot& slot : slots_) {
    if (!slot.drive) continue;
    // A failed read leaves a zeroed page: the drive then has no temperature.
    slot.attributes = slot.drive->ReadAttributes().value_or(platform::SmartSector{});
  }
}

void DriveTherm::ShowIcon(int slot, bool add) {
  Slot& s = slots_[static_cast<size_t>(slot)];
  s.shown = Temperature(s.attributes);
  std::unique_ptr<platform::IconImage> icon = ctx_.icons.Draw(TemperatureText(s.shown));
  platform::NotifyIconData data;
  data.window = window_;
  data.id = kFirstIconId + static_cast<uint32_t>(slot);
  data.icon = icon ? icon->Handle() : 0;
  if (add) {
    data.flags = platform::NotifyIconFlag::Icon | platform::NotifyIconFlag::Tip;
    data.tip = DriveTip(slot, s.identity);
    ctx_.tray.Add(data);
  } else {
    data.flags = platform::NotifyIconFlag::Icon;
    ctx_.tray.Modify(data);
  }
  // The shell keeps its own copy of the icon.
}

}  // namespace corvane::drivetherm
