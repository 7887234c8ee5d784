#include <gtest/gtest.h>

#include "platform/sim/clock_sim.h"
#include "platform/sim/hardware/sim_disks.h"
#include "platform/sim/notify_icon_sim.h"
#include "plugins/drivetherm/drive_info.h"
#include "plugins/drivetherm/drive_therm.h"

namespace corvane::drivetherm {
namespace {

using platform::NotifyIconCall;
namespace sim = platform::sim;

constexpr platform::WindowHandle kWindow = 0x5A0;

// Icons carry their text in a table, so a test can read back what an icon shows.
class TextIcons final : public TemperatureIcons {
 public:
  struct Icon final : platform::IconImage {
    explicit Icon(uintptr_t handle) : handle(handle) {}
    uintptr_t Handle() const override { return handle; }
    uintptr_t handle;
  };
  std::unique_ptr<platform::IconImage> Draw(const std::wstring& text) override {
    texts.push_back(text);
    return std::make_unique<Icon>(texts.size());
  }
  const std::wstring& Text(uintptr_t handle) const { return texts.at(handle - 1); }
  std::vector<std::wstring> texts;
};

struct Rig {
  sim::SimSmartDisks disks = sim::SimSmartDisks::Default();
  platform::SimNotifyIcon tray;
  TextIcons icons;
  platform::SimClock clock;
  DriveTherm plugin{DriveThermContext{disks, tray, icons, clock}};

  std::wstring Shown(int slot) const {
    const platform::SimTrayIcon* icon = tray.Find(kWindow, kFirstIconId + static_cast<uint32_t>(slot));
    return icon ? icons.Text(icon->icon) : L"(none)";
  }
  size_t Modifies() const {
    size_t count = 0;
    for (const auto& call : tray.Calls()) count += call.call == NotifyIconCall::Modify;
    return count;
  }
};

TEST(DriveInfo, IdentifyStringsSizesAndTemperatures) {
  sim::SimDisk disk;
  disk.model = "Maxtor 6Y080P0";
  disk.serial = "  Y2ABCDEF";
  disk.cacheKb = 8192;
  disk.sectors = 0x0FFFFFFF;  // the 48-bit count then holds the size
  platform::SmartSector identify = sim::MakeIdentifyData(disk);
  identify[200] = 0x00;
  identify[201] = 0x10;  // word 100
  identify[202] = 0x02;  // word 101
  const DriveIdentity identity = ReadIdentity(identify);
  EXPECT_EQ(identity.model, "Maxtor 6Y080P0");
  EXPECT_EQ(identity.serial, "Y2ABCDEF");
  EXPECT_EQ(identity.firmware, "SIM1.0");
  EXPECT_EQ(identity.cacheKb, 8192u);
  EXPECT_EQ(identity.sectors, 0x21000u);

  const struct {
    uint8_t raw;
    const wchar_t* text;
  } temperatures[] = {{41, L"41"}, {1, L"1"}, {127, L"127"}, {0, L"--"}, {128, L"--"}, {255, L"--"}};
  for (const auto& t : temperatures) EXPECT_EQ(TemperatureText(t.raw), t.text) << int{t.raw};

  // A page whose IDs never end is read no further than the page.
  platform::SmartSector full;
  full.fill(0xC3);
  EXPECT_EQ(AttributeCount(full), 42u);
  EXPECT_EQ(Temperature(full), 0);
}

TEST(DriveTherm, OneIconPerSmartDiskRedrawnOnlyWhenItsTemperatureChanges) {
  Rig rig;
  rig.plugin.Exec(kWindow);
  EXPECT_EQ(rig.tray.IconCount(), 2u) << "the third disk has no S.M.A.R.T.";
  EXPECT_EQ(rig.Shown(0), L"41");
  EXPECT_EQ(rig.Shown(1), L"37");
  EXPECT_EQ(rig.tray.Find(kWindow, 7565)->tip, L"驱动器 (1) SIMULATED HDD 250GB 缓存 8192Kb");

  rig.clock.Advance(kRefreshMs);
  EXPECT_EQ(rig.Modifies(), 0u);
  rig.disks.Disk(0).temperature = 45;
  rig.disks.Disk(1).readsFail = true;
  rig.clock.Advance(kRefreshMs);
  EXPECT_EQ(rig.Modifies(), 2u);
  EXPECT_EQ(rig.Shown(0), L"45");
  EXPECT_EQ(rig.Shown(1), L"--");
  EXPECT_EQ(rig.tray.Calls().back().data.flags, platform::NotifyIconFlag::Icon);

  // Started again without being stopped: nothing is opened twice.
  rig.plugin.Exec(kWindow);
  EXPECT_EQ(rig.disks.OpenDrives(), 3 - 1);
  rig.plugin.Done();
  EXPECT_EQ(rig.tray.IconCount(), 0u);
  EXPECT_EQ(rig.disks.OpenDrives(), 0);
  const size_t calls = rig.tray.Calls().size();
  rig.clock.Advance(kRefreshMs);
  EXPECT_EQ(rig.tray.Calls().size(), calls) << "the timer went with the icons";

  rig.plugin.Exec(kWindow);
  EXPECT_EQ(rig.tray.IconCount(), 2u);
}

// The tip is ANSI text of at most 63 bytes: the Chinese words take two bytes each.
TEST(DriveTherm, ALongModelIsCutSoTheWholeTipHasSixtyThreeBytes) {
  Rig rig;
  rig.disks.Disk(0).model = std::string(40, 'M');
  rig.disks.Disk(0).cacheKb = 16384;
  rig.plugin.Exec(kWindow);
  const std::wstring tip = rig.tray.Find(kWindow, kFirstIconId)->tip;
  size_t bytes = 0;
  for (wchar_t c : tip) bytes += c < 0x80 ? 1 : 2;
  EXPECT_EQ(bytes, 63u);
  EXPECT_EQ(tip, L"驱动器 (0) " + std::wstring(40, L'M') + L" 缓存 16384K");
}

}  // namespace
}  // namespace corvane::drivetherm
