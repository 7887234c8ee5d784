// TfrmOver played through the component model on a simulated card.

#include "hardware/overclocking/over_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "hardware/overclocking/clock_rounding.h"
#include "hardware/overclocking/overclocking_test_support.h"
#include "platform/sim/clock_sim.h"
#include "ui/form_renderer_sim.h"

namespace corvane::overclocking {
namespace {

using platform::MessageAnswer;
using testing::OverRig;
using ui::TModalResult;

constexpr uint8_t kDividers = hardware::Pll::X_MPLL_REF_FB_DIV;

struct FormRig : OverRig {
  using OverRig::OverRig;

  // A new dialog on the card and settings as they are now.
  TfrmOver& Open() {
    form.reset();
    form = std::make_unique<TfrmOver>(OverDialogContext{
        {renderer, clock}, registry, user, *reg1, *rvx, hideTimings, [this] { tipCores.push_back(rvx->CoreClock); }});
    Card().ClearCounters();
    return *form;
  }
  ui::TComponent& operator[](const wchar_t* name) { return (*form)[name]; }
  void Page(const wchar_t* sheet) { (*form)[L"pcMain"].SetActivePage(sheet); }
  void Timings(int page) { Page((L"tsTiming" + std::to_wstring(page)).c_str()); }
  // Saves through the name dialog.
  void Save(const std::wstring& name) {
    Page(L"tsProfiles");
    renderer.OnModal([name](ui::TForm& dialog) {
      dialog[L"edName"].UserSetText(name);
      dialog[L"btOk"].Click();
    });
    (*form)[L"btSave"].Click();
  }
  std::wstring LastMessage() const { return user.History().empty() ? L"" : user.History().back().request.text; }

  ui::SimFormRenderer renderer;
  platform::SimClock clock;
  bool hideTimings = false;
  // The core clock each time the tooltip was asked to show the clocks again.
  std::vector<double> tipCores;
  std::unique_ptr<TfrmOver> form;
};

uint32_t DividersFor(bool fixed, double core, double mem) {
  OverRig twin;
  twin.rvx->SetClocks(fixed, core, mem);
  return twin.Card().Pll(kDividers);
}

// Every control inside its parent's client area and clear of its siblings. A tab sheet's
// area is its page control less the tabs and the border.
TEST(OverForm, LayoutKeepsEveryControlInsideItsParentAndApartFromItsSiblings) {
  using K = ui::ComponentKind;
  const std::span<const ui::ComponentDecl> table = TfrmOver::ComponentTable();
  auto find = [&](const std::wstring& name) -> const ui::ComponentDecl& {
    return *std::find_if(table.begin(), table.end(), [&](const ui::ComponentDecl& d) { return d.name == name; });
  };
  auto area = [&](const ui::ComponentDecl& d) -> std::pair<int, int> {
    if (d.parent.empty()) return {table[0].width, table[0].height};
    const ui::ComponentDecl& parent = find(d.parent);
    if (parent.kind != K::TabSheet) return {parent.width, parent.height};
    const ui::ComponentDecl& pages = find(parent.parent);
    return {pages.width - 8, pages.height - 30};
  };
  for (const ui::ComponentDecl& d : table.subspan(1)) {
    if (d.kind == K::TabSheet || d.kind == K::Timer) continue;
    const auto [width, height] = area(d);
    EXPECT_TRUE(d.left >= 0 && d.top >= 0 && d.left + d.width <= width && d.top + d.height <= height)
        << std::string(d.name.begin(), d.name.end());
    for (const ui::ComponentDecl& other : table.subspan(1)) {
      if (&other <= &d || other.parent != d.parent || other.kind == K::TabSheet) continue;
      const bool apart = d.left + d.width <= other.left || other.left + other.width <= d.left ||
                         d.top + d.height <= other.top || other.top + other.height <= d.top;
      EXPECT_TRUE(apart) << std::string(d.name.begin(), d.name.end()) << " / "
                         << std::string(other.name.begin(), other.name.end());
    }
  }
}

TEST(OverForm, OpensOnTheCardsClocksWithinTheLimits) {
  FormRig rig;
  rig.reg1->SetValue(L"ClockMode", int32_t{1});
  rig.Open();
  EXPECT_EQ(rig[L"cbMode"].ItemIndex(), 1);
  // BIOS 380 and 340 MHz, -20% .. +50%; the card runs 380.25 and 339.75 MHz.
  EXPECT_EQ(std::make_tuple(rig[L"tbCore"].Min(), rig[L"tbCore"].Max(), rig[L"tbCore"].Position()),
            std::make_tuple(304, 570, 380));
  EXPECT_EQ(std::make_tuple(rig[L"tbMem"].Min(), rig[L"tbMem"].Max(), rig[L"tbMem"].Position()),
            std::make_tuple(272, 510, 340));
  EXPECT_EQ(rig[L"lbCore"].Caption(), L"核心频率 : 380");
  EXPECT_EQ(rig[L"lbMem"].Caption(), L"显存频率 : 340");
  EXPECT_EQ(rig[L"lbBiosCore"].Caption() + L" " + rig[L"lbCurrentCore"].Caption(), L"380.00 380.25");
  EXPECT_EQ(rig[L"lbBiosMem"].Caption() + L" " + rig[L"lbCurrentMem"].Caption(), L"340.00 339.75");
  EXPECT_EQ(rig[L"tb2m4"].Position(), 13);  // MC_TIMING_CNTL 0x24B46A35
  EXPECT_EQ(rig[L"st2m4"].Caption(), L"19");
  EXPECT_FALSE(rig[L"btSet2"].Enabled());
  EXPECT_FALSE(rig[L"lbSync"].Visible());
  EXPECT_TRUE(rig[L"tsTiming2"].Visible());

  rig.hideTimings = true;
  rig.Open();
  for (const wchar_t* sheet : {L"tsTiming1", L"tsTiming2", L"tsTiming3"}) EXPECT_FALSE(rig[sheet].Visible());
}

TEST(OverForm, SliderBoundsFollowTheSettingsAndDdr) {
  FormRig rig(testing::CardWithBiosClocks(32500, 31000));
  rig.reg1->SetValue(L"ShowDDR", true);
  rig.Open();
  EXPECT_EQ(std::make_pair(rig[L"tbCore"].Min(), rig[L"tbCore"].Max()), std::make_pair(260, 487));
  EXPECT_EQ(std::make_pair(rig[L"tbMem"].Min(), rig[L"tbMem"].Max()), std::make_pair(496, 930));
  EXPECT_EQ(rig[L"lbBiosMem"].Caption(), L"620.00");

  rig.reg1->SetValue(L"use_limits", false);
  rig.Open();
  EXPECT_EQ(std::make_pair(rig[L"tbMem"].Min(), rig[L"tbMem"].Max()), std::make_pair(0, 1000));
}

TEST(OverForm, DdrDoublesAndHalvesTheMemorySlider) {
  FormRig rig;
  rig.Open();
  rig[L"cbDDR"].Click();
  EXPECT_TRUE(rig.reg1->GetBool(L"ShowDDR"));
  EXPECT_EQ(std::make_tuple(rig[L"tbMem"].Min(), rig[L"tbMem"].Position(), rig[L"tbMem"].Max()),
            std::make_tuple(544, 680, 1020));
  EXPECT_EQ(rig[L"lbCurrentMem"].Caption(), L"679.50");
  rig[L"btMemDown"].Click();
  rig[L"cbDDR"].Click();
  EXPECT_EQ(rig[L"tbMem"].Position(), 340);  // 679 / 2, to even
  EXPECT_EQ(rig[L"tbMem"].Max(), 510);
}

TEST(OverForm, SynchronousClocksLockTheMemorySliderToTheCore) {
  FormRig rig(*platform::sim::FindCardPreset("9600 SYNC"));
  rig.Open();
  EXPECT_FALSE(rig[L"tbMem"].Enabled());
  EXPECT_FALSE(rig[L"btMemUp"].Enabled());
  EXPECT_EQ(rig[L"lbSync"].Caption(), L"核心 & 显存 时钟已锁定");
  EXPECT_TRUE(rig[L"lbSync"].Visible());
  rig[L"tbCore"].UserSetPosition(450);
  EXPECT_EQ(rig[L"tbMem"].Position(), 450);
  rig[L"btCoreUp"].Click();
  EXPECT_EQ(rig[L"lbMem"].Caption(), L"显存频率 : 451");
}

TEST(OverForm, ApplyProgramsThePllOnlyForMovedSliders) {
  FormRig rig;
  rig.Open();
  rig[L"btApply"].Click();
  EXPECT_EQ(rig.Card().TotalPllWrites(), 0u);
  rig[L"cbDDR"].Click();  // 339.75 MHz shows as 680
  rig[L"btApply"].Click();
  EXPECT_EQ(rig.Card().TotalPllWrites(), 0u);

  rig[L"btMemDown"].Click();
  rig[L"btMemDown"].Click();  // 678: 339 MHz
  rig[L"btCoreUp"].Click();
  rig[L"btApply"].Click();
  EXPECT_EQ(rig.Card().TotalPllWrites(), 1u);
  EXPECT_EQ(rig.Card().Pll(kDividers), DividersFor(false, 381, 339));
  EXPECT_EQ(rig[L"tbCore"].Position(), RoundHalfEven(rig.rvx->CoreClock));
  ASSERT_FALSE(rig.tipCores.empty());
  EXPECT_EQ(RoundHalfEven(rig.tipCores.back()), 381) << "the tooltip shows the new clock";

  rig[L"cbMode"].UserSelect(1);
  rig[L"btReset"].Click();
  EXPECT_EQ(rig.Card().Pll(kDividers), DividersFor(true, 380, 340));
}

TEST(OverForm, CalculateShowsBothDividerChoices) {
  FormRig rig;
  rig.Open();
  rig[L"tbCore"].UserSetPosition(400);
  rig[L"cbDDR"].Click();
  rig[L"tbMem"].UserSetPosition(700);  // 350 MHz
  rig[L"btCalc"].Click();
  ASSERT_EQ(rig.user.History().size(), 1u);
  EXPECT_EQ(rig.user.History().back().request.caption, L"信息");
  EXPECT_NE(rig.LastMessage().find(L"\r\r\r第二种(安全)模式产生的时钟:\rGPU: 400.50 MEM: 351.00 参考分配器: 12"),
            std::wstring::npos);
  EXPECT_EQ(rig.LastMessage().rfind(L"第一种方式产生的时钟:\rGPU: ", 0), 0u);
  EXPECT_EQ(rig.Card().TotalPllWrites(), 0u);
}

TEST(OverForm, TimingPagesSetReadAndRestoreTheirRegisters) {
  FormRig rig;
  rig.reg1->SetValue(L"deft1", 889192754.0);  // 0x35000132, as the main form saved them
  rig.reg1->SetValue(L"deft2", 615803445.0);  // 0x24B46A35
  rig.reg1->SetValue(L"deft3", 61608.0);      // 0x0000F0A8
  rig.Open();
  rig.Timings(1);
  rig[L"tbm1"].UserSetPosition(5);
  rig[L"tbm2"].UserSetPosition(3);
  rig[L"tbm3"].UserSetPosition(1);
  rig[L"tbm4"].UserSetPosition(0);
  EXPECT_EQ(rig[L"stm1"].Caption(), L"2.5");
  ASSERT_TRUE(rig[L"btSet1"].Enabled());
  rig[L"btSet1"].Click();
  EXPECT_EQ(rig.Card().Register(0x158), 0xB4B50132u);
  EXPECT_FALSE(rig[L"btSet1"].Enabled());

  rig.Timings(2);
  rig[L"tb2m1"].UserSetPosition(6);
  rig[L"btRead2"].Click();  // back to what the card has
  EXPECT_EQ(rig[L"tb2m1"].Position(), 5);
  EXPECT_FALSE(rig[L"btSet2"].Enabled());
  rig[L"tb2m1"].UserSetPosition(6);
  rig[L"btSet2"].Click();
  EXPECT_EQ(rig.Card().Register(0x144), 0x24346A36u);  // the bits of no field are cleared

  rig.Timings(3);
  rig.Card().SetRegister(0x178, 0x1234F0A8);
  rig[L"tb3m1"].UserSetPosition(100);
  rig[L"tb3m2"].UserSetPosition(3);
  EXPECT_EQ(rig[L"st3m2"].Caption(), L"16");
  rig[L"btSet3"].Click();
  EXPECT_EQ(rig.Card().Register(0x178), 0x12343064u);

  for (const wchar_t* restore : {L"btRestore1", L"btRestore2", L"btRestore3"}) {
    rig.Timings(restore[9] - L'0');
    rig[restore].Click();
  }
  EXPECT_EQ(rig.Card().Register(0x158), 0xB5000132u);
  EXPECT_EQ(rig.Card().Register(0x144), 0x24B46A35u);
  EXPECT_EQ(rig.Card().Register(0x178), 0x0000F0A8u);
  EXPECT_EQ(rig[L"tb3m1"].Position(), 168);

  // Apply sets the pages whose sliders moved, and only those.
  rig.Card().ClearCounters();
  rig[L"tb3m2"].UserSetPosition(4);
  rig[L"btApply"].Click();
  EXPECT_EQ(rig.Card().Register(0x178), 0x000040A8u);
  EXPECT_EQ(rig.Card().StoreCount(0x158) + rig.Card().StoreCount(0x144), 0u);
}

TEST(OverForm, TheSwitchNeedsBothProfilesOrNothingIsApplied) {
  FormRig rig;
  rig.AddProfile(L"Game", 400, 350);
  rig.AddProfile(L"Desk", 300, 300);
  rig.Open();
  rig.Page(L"ts2d3d");
  EXPECT_FALSE(rig[L"cb3dProfile"].Enabled());
  rig[L"cbEnable2d3d"].Click();
  rig[L"cb3dProfile"].UserSelect(0);
  rig[L"tbCore"].SetPosition(390);
  rig.form->SetModalResult(TModalResult::None);
  rig[L"btOk"].Click();
  EXPECT_EQ(rig.LastMessage(), L"你必须同时选择 2D 和 3D 配置!");
  EXPECT_EQ(rig.form->ModalResult(), TModalResult::None) << "the dialog stays";
  EXPECT_FALSE(rig[L"cbEnable2d3d"].Checked());
  EXPECT_FALSE(rig.reg1->GetBool(L"Enable2d3d"));
  EXPECT_EQ(rig.Card().TotalPllWrites(), 0u);

  rig[L"cbEnable2d3d"].Click();
  rig[L"cb2dProfile"].UserSelect(1);
  rig[L"btOk"].Click();
  EXPECT_EQ(rig.form->ModalResult(), TModalResult::Ok);
  EXPECT_TRUE(rig.reg1->GetBool(L"Enable2d3d"));
  EXPECT_EQ(rig.reg1->GetString(L"3dprofile") + L"/" + rig.reg1->GetString(L"2dprofile"), L"Game/Desk");
  EXPECT_EQ(rig.Card().TotalPllWrites(), 1u);
}

TEST(OverForm, SavedProfilesCarryOnlyTheCheckedTimingPages) {
  FormRig rig;
  rig.Open();
  rig.Save(L"a/b");
  ASSERT_EQ(rig.renderer.History().size(), 1u);
  EXPECT_EQ(rig.renderer.History().back().form, L"frmSelDP");
  const std::optional<StoredOverProfile> saved = ReadOverProfile(rig.registry, L"a_b");
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(std::make_tuple(*saved->vpu, *saved->mem), std::make_tuple(380.25, 339.75));
  EXPECT_EQ(std::make_tuple(saved->t1, saved->t2, saved->t3), std::make_tuple(0u, 0u, 0u));
  EXPECT_EQ(rig[L"lbxProfiles"].Items(), std::vector<std::wstring>{L"a_b * 380:340   "});
  EXPECT_EQ(rig[L"lbxProfiles"].ItemIndex(), 0) << "the profile of the current clocks";

  auto ctx = rig.Context();
  rig.Card().ClearCounters();
  ApplyOverProfile(ctx, L"a_b");
  EXPECT_EQ(rig.Card().StoreCount(0x158) + rig.Card().StoreCount(0x144) + rig.Card().StoreCount(0x178), 0u);

  // Saving over it asks first.
  rig.Timings(2);
  rig[L"cbSave2"].Click();
  rig.user.Answer(MessageAnswer::Cancel);
  rig.Save(L"A_B");
  ASSERT_EQ(rig.user.History().size(), 1u);
  EXPECT_EQ(rig.user.History().back().request.text, L"覆盖配置文件 A_B ?");
  EXPECT_EQ(rig.user.History().back().request.caption, L"警告!");
  EXPECT_EQ(ReadOverProfile(rig.registry, L"a_b")->t2, 0u);
  rig.Save(L"a_b");  // the default answer is OK
  EXPECT_EQ(ReadOverProfile(rig.registry, L"a_b")->t2, 0x24346A35u);
}

TEST(OverForm, LoadingPutsAProfileOnTheSlidersForTheNextApply) {
  FormRig rig;
  rig.AddProfile(L"Stock", 380.25, 339.75);
  rig.AddProfile(L"Fast", 400, 350, 0, 0x24346A36, 0);
  rig.Open();
  rig.Page(L"tsProfiles");
  EXPECT_EQ(rig[L"lbxProfiles"].ItemIndex(), 0);
  rig[L"cbSave1"].SetChecked(true);
  rig[L"lbxProfiles"].UserSelect(1);
  rig[L"btLoad"].Click();
  EXPECT_EQ(std::make_pair(rig[L"tbCore"].Position(), rig[L"tbMem"].Position()), std::make_pair(400, 350));
  EXPECT_FALSE(rig[L"cbSave1"].Checked());
  EXPECT_TRUE(rig[L"cbSave2"].Checked());
  EXPECT_EQ(rig[L"tb2m1"].Position(), 6);
  EXPECT_EQ(rig.Card().TotalStores(), 0u) << "nothing reaches the card before apply";

  rig[L"btApply"].Click();
  EXPECT_EQ(rig.Card().Register(0x144), 0x24346A36u);
  EXPECT_EQ(rig.Card().Pll(kDividers), DividersFor(false, 400, 350));
}

TEST(OverForm, DeleteAsksAndStartUpProfileNeedsASelection) {
  FormRig rig;
  rig.AddProfile(L"Old", 300, 300);
  rig.Open();
  rig.Page(L"tsProfiles");
  rig[L"cbAutoLoad"].Click();
  EXPECT_EQ(rig.LastMessage(), L"未选择配置!");
  EXPECT_FALSE(rig[L"cbAutoLoad"].Checked());
  EXPECT_FALSE(rig[L"btDelete"].Enabled());

  rig[L"lbxProfiles"].UserSelect(0);
  rig[L"cbAutoLoad"].Click();
  EXPECT_EQ(rig[L"lbAutoProfile"].Caption(), L"Old");
  EXPECT_TRUE(rig[L"cbSuspendRestore"].Enabled());
  rig[L"cbSuspendRestore"].Click();
  rig[L"btApply"].Click();
  EXPECT_EQ(rig.reg1->GetString(L"AutoOverProfile"), L"Old");
  EXPECT_TRUE(rig.reg1->GetBool(L"AutoLoad") && rig.reg1->GetBool(L"SuspendRestore"));

  rig[L"btDelete"].Click();  // Cancel is the default
  ASSERT_EQ(rig.user.History().size(), 2u);
  const platform::MessageBoxRequest& question = rig.user.History().back().request;
  EXPECT_EQ(std::make_tuple(question.caption, question.text, question.defaultButton),
            std::make_tuple(std::wstring(L"确认"), std::wstring(L"删除选择的配置吗?"), 1));
  EXPECT_TRUE(ReadOverProfile(rig.registry, L"Old").has_value());
  rig.user.Answer(MessageAnswer::Ok);
  rig[L"btDelete"].Click();
  EXPECT_FALSE(ReadOverProfile(rig.registry, L"Old").has_value());
  EXPECT_TRUE(rig[L"lbxProfiles"].Items().empty());
  EXPECT_FALSE(rig[L"btLoad"].Enabled());
}

TEST(OverForm, ExcludedProgramsAndSoundsComeFromTheFileChooser) {
  FormRig rig;
  rig.Open();
  rig.Page(L"ts2d3d");
  rig.user.ChooseFile(L"C:\\Games\\Quake3\\quake3.exe");
  rig.user.ChooseFile(L"D:\\quake3.exe");
  rig.user.ChooseFile(std::nullopt);
  rig.user.ChooseFile(L"C:\\Windows\\Media\\ding.wav");
  for (int i = 0; i < 3; ++i) rig[L"btExAdd"].Click();
  rig[L"btPlay3d"].Click();
  EXPECT_EQ(rig.user.FileChoices()[0].request.filter, L"可执行文件 (*.exe)|*.exe");
  EXPECT_EQ(rig.user.FileChoices()[3].request.filter, L"Wave Files (*.wav)|*.wav");
  EXPECT_EQ(rig[L"lbxExFiles"].Items(), std::vector<std::wstring>{L"QUAKE3.EXE"});
  EXPECT_EQ(rig[L"edPlay3d"].Text(), L"C:\\Windows\\Media\\ding.wav");

  rig[L"btApply"].Click();
  EXPECT_EQ(ReadExcludedFiles(rig.registry), std::vector<std::wstring>{L"QUAKE3.EXE"});
  EXPECT_EQ(rig.reg1->GetString(L"play3df"), L"C:\\Windows\\Media\\ding.wav");
  rig.Open();
  rig.Page(L"ts2d3d");
  rig[L"lbxExFiles"].UserSelect(0);
  rig[L"btExRemove"].Click();
  rig[L"btApply"].Click();
  EXPECT_TRUE(ReadExcludedFiles(rig.registry).empty());
}

}  // namespace
}  // namespace corvane::overclocking
