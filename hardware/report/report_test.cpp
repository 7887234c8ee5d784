#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "hardware/report/hardware_form.h"
#include "hardware/report/hardware_report.h"
#include "hardware/report/rad_info_form.h"
#include "hardware/rvx.h"
#include "hardware/rvx_test_support.h"
#include "platform/sim/clock_sim.h"
#include "platform/sim/hardware/sim_ati_driver.h"
#include "platform/sim/hardware/sim_machine.h"
#include "platform/sim/registry_sim.h"
#include "platform/sim/user_interaction_sim.h"
#include "platform/text_encoding.h"
#include "settings/program_settings.h"
#include "ui/form_renderer_sim.h"

namespace corvane::hardware {
namespace {

namespace sim = platform::sim;

const std::wstring kDriverKey =
    L"System\\CurrentControlSet\\Control\\Video\\{8D2B5F3A-61C4-4E0B-9A7D-3C5E21F04B96}\\0000";

struct CardRig {
  explicit CardRig(std::string_view preset = "9800 PRO") : machine(preset) {}

  HardwareReportSources Sources() { return {*rvx, driver, L"\\\\.\\DISPLAY1", kDriverKey, 32, {}}; }

  sim::SimMachine machine;
  std::unique_ptr<TRVX> rvx = testing::MakeRvx(machine);
  sim::SimAtiDriver driver;
  platform::SimRegistry registry;
  platform::SimUserInteraction user;
  ui::SimFormRenderer forms;
  platform::SimClock clock;
  std::unique_ptr<settings::TRegValues> reg1 = settings::CreateProgramSettings(registry);
};

std::vector<std::wstring> GoldenLines() {
  std::ifstream file(CORVANE_REPORT_GOLDEN, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  std::vector<std::wstring> lines;
  std::string line;
  while (std::getline(bytes, line)) lines.push_back(platform::FromUtf8(line));
  return lines;
}

TEST(HardwareReport, TheSimulated9800ProReadsAsWrittenDownFromItsRegisters) {
  CardRig rig;
  const std::vector<std::wstring> golden = GoldenLines();
  ASSERT_FALSE(golden.empty());
  const std::vector<std::wstring> report = HardwareReportLines(rig.Sources());
  for (size_t i = 0; i < std::max(golden.size(), report.size()); ++i) {
    const std::wstring expected = i < golden.size() ? golden[i] : L"<none>";
    const std::wstring actual = i < report.size() ? report[i] : L"<none>";
    EXPECT_EQ(platform::ToUtf8(actual), platform::ToUtf8(expected)) << "line " << i + 1;
  }
}

TEST(HardwareReport, LeavesOutTheBiosWithoutTheDriversAnswerAndShowsUnconnectedControllers) {
  CardRig rig;
  sim::SimAtiDriver silent(sim::SimAtiDriverKind::NoPrivateEscapes);
  HardwareReportSources sources = rig.Sources();
  HardwareReportSources withoutBios{sources.rvx, silent, sources.deviceName, sources.driverKeyPath, 32, {}};
  const std::vector<std::wstring> report = HardwareReportLines(withoutBios);
  for (const std::wstring& line : report) EXPECT_EQ(line.find(L"视频 BIOS 信息"), std::wstring::npos);
  size_t unconnected = 0;
  for (const std::wstring& line : report) unconnected += line.rfind(L"   未连接", 0) == 0;
  EXPECT_EQ(unconnected, 2u);
}

TEST(HardwareReport, NamesTheAdapterFromTheChipTable) {
  const struct {
    uint32_t deviceId;
    const wchar_t* name;
  } cases[] = {
      {0x4E48, L"Radeon 9800 (4e48)"},
      {0x1234, L"未知 1234"},
      {0x4A50, L"Radeon X800 XT PE (4a50)"},
      {0x4E50, L"Radeon  9600 (M10 /M11 ) (4e50)"},
      {0x0ABC, L"未知  abc"},
  };
  for (const auto& c : cases) EXPECT_EQ(AdapterName(c.deviceId), c.name);
}

// Keeps what is written to it beyond its own life; fails when told.
struct KeptFile final : platform::WholeFile {
  KeptFile(std::string& bytes, bool fail) : bytes(bytes), fail(fail) {}
  std::optional<std::string> Read(size_t) override { return std::nullopt; }
  bool Replace(std::string_view data) override {
    if (!fail) bytes = std::string(data);
    return !fail;
  }
  std::string& bytes;
  bool fail;
};

TEST(RadInfoDialog, SavesTheReportItShowsWhereTheUserSaidAndSaysWhenItCannot) {
  CardRig rig;
  std::string bytes;
  bool failWrites = false;
  std::vector<std::wstring> opened;
  RadInfoContext context{{rig.forms, rig.clock}, rig.user, rig.Sources(), [&](const std::wstring& path) {
                           opened.push_back(path);
                           return std::make_unique<KeptFile>(bytes, failWrites);
                         }};
  TfrmRadInfo dialog(context);
  const std::wstring shown = dialog[L"mmReport"].Text();
  EXPECT_EQ(shown, JoinReportLines(HardwareReportLines(rig.Sources())));

  rig.user.ChooseFile(std::nullopt);  // cancelled
  dialog[L"btSave"].Click();
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(rig.user.FileChoices().at(0).request.filter, L"文本文件 (*.txt)|*.txt");

  rig.user.ChooseFile(L"C:\\report.txt");
  dialog[L"btSave"].Click();
  EXPECT_EQ(opened, std::vector<std::wstring>{L"C:\\report.txt"});
  EXPECT_EQ(bytes, "\xEF\xBB\xBF" + platform::ToUtf8(shown));
  EXPECT_TRUE(rig.user.History().empty());

  failWrites = true;
  rig.user.ChooseFile(L"C:\\full.txt");
  dialog[L"btSave"].Click();
  ASSERT_EQ(rig.user.History().size(), 1u);
  EXPECT_EQ(rig.user.History()[0].request.caption, L"错误");
}

TEST(HardwareDialog, StoresTheLatencyWithinItsRangeAndWritesItToTheCard) {
  const struct {
    const char* what;
    bool apply;
    int typed;
    int expected;
  } cases[] = {
      {"a latency in range", true, 64, 64},
      {"above 255 is held at 255", true, 300, 255},
      {"below 16 is held at 16", false, 3, 16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CardRig rig;
    TfrmHardware dialog({{rig.forms, rig.clock}, *rig.reg1, *rig.rvx});
    EXPECT_EQ(dialog[L"udLatency"].Position(), 0x20);  // what the card holds
    EXPECT_FALSE(dialog[L"cbRestore"].Enabled());
    if (c.apply) {
      dialog[L"cbApply"].Click();
      EXPECT_TRUE(dialog[L"cbRestore"].Enabled());
      dialog[L"cbRestore"].Click();
    }
    dialog[L"udLatency"].UserSetPosition(c.typed);
    dialog[L"btApply"].Click();
    EXPECT_EQ(rig.rvx->CardConfigRead8(kPciLatencyRegister), c.expected);
    EXPECT_EQ(rig.reg1->GetInteger(L"PCILatency"), c.expected);
    EXPECT_EQ(rig.reg1->GetBool(L"ApplyHardware"), c.apply);
    EXPECT_EQ(rig.reg1->GetBool(L"RestoreHardware"), c.apply);
  }
}

TEST(HardwareDialog, CancelChangesNothing) {
  CardRig rig;
  rig.forms.OnModal([](ui::TForm& form) {
    form[L"cbApply"].Click();
    form[L"udLatency"].UserSetPosition(200);
    form[L"btCancel"].Click();
  });
  TfrmHardware dialog({{rig.forms, rig.clock}, *rig.reg1, *rig.rvx});
  EXPECT_EQ(dialog.ShowModal(), ui::TModalResult::Cancel);
  EXPECT_EQ(rig.rvx->CardConfigRead8(kPciLatencyRegister), 0x20);
  EXPECT_FALSE(rig.reg1->GetBool(L"ApplyHardware"));
}

}  // namespace
}  // namespace corvane::hardware
