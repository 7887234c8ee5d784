#include "ui/form.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/sim/sim_platform.h"
#include "ui/form_renderer_sim.h"

namespace corvane::ui {
namespace {

using K = ComponentKind;
using platform::MessageAnswer;

const ComponentDecl kClocksForm[] = {
    {K::Form, L"frmClocks", L"超频", L"", 0, 0, 300, 220},
    {K::PageControl, L"pcMain", L"", L"", 4, 4, 292, 170},
    {K::TabSheet, L"tsClocks", L"时钟", L"pcMain"},
    {K::TabSheet, L"tsProfiles", L"配置", L"pcMain"},
    {.kind = K::TrackBar, .name = L"tbCore", .parent = L"tsClocks", .left = 8, .top = 8, .width = 200, .height = 30,
     .min = 100, .max = 500, .position = 300},
    {K::Label, L"lbCore", L"", L"tsClocks", 210, 12, 60, 13},
    {.kind = K::CheckBox, .name = L"cbAtStart", .caption = L"启动时应用", .parent = L"tsClocks", .left = 8,
     .top = 50, .width = 150, .height = 17},
    {.kind = K::RadioButton, .name = L"rb2D", .caption = L"2D", .parent = L"tsClocks", .left = 8, .top = 80,
     .width = 60, .height = 17, .checked = true},
    {.kind = K::RadioButton, .name = L"rb3D", .caption = L"3D", .parent = L"tsClocks", .left = 80, .top = 80,
     .width = 60, .height = 17},
    {.kind = K::ComboBox, .name = L"cbProfile", .parent = L"tsProfiles", .left = 8, .top = 8, .width = 150,
     .height = 21, .items = {L"安静", L"游戏"}},
    {.kind = K::Timer, .name = L"tmRefresh", .interval = 500},
    {.kind = K::Button, .name = L"btApply", .caption = L"应用", .left = 130, .top = 185, .width = 75, .height = 25,
     .modalResult = TModalResult::Ok, .isDefault = true},
    {.kind = K::Button, .name = L"btCancel", .caption = L"取消", .left = 215, .top = 185, .width = 75,
     .height = 25, .modalResult = TModalResult::Cancel, .isCancel = true},
};

// A small overclocking-like dialog: the label follows the track bar, Apply asks first.
class TfrmClocks final : public TForm {
 public:
  TfrmClocks(const FormContext& context, platform::UserInteraction& user) : TForm(context, kClocksForm), user_(user) {
    HandleChange(L"tbCore", &TfrmClocks::tbCoreChange);
    HandleClick(L"btApply", &TfrmClocks::btApplyClick);
    HandleTimer(L"tmRefresh", &TfrmClocks::tmRefreshTimer);
  }
  int applied = 0;
  int refreshes = 0;
  bool shownBeforeLoop = false;

 protected:
  void FormShow() override {
    shownBeforeLoop = true;
    (*this)[L"lbCore"].SetCaption(std::to_wstring((*this)[L"tbCore"].Position()) + L" MHz");
  }

 private:
  void tbCoreChange(TComponent& sender) { (*this)[L"lbCore"].SetCaption(std::to_wstring(sender.Position()) + L" MHz"); }
  void btApplyClick(TComponent&) {
    const auto answer = user_.ShowMessage({L"确认", L"应用新的时钟?", platform::MessageIcon::Question,
                                           platform::MessageButtons::YesNo});
    if (answer != MessageAnswer::Yes) return SetModalResult(TModalResult::None);
    ++applied;
  }
  void tmRefreshTimer(TComponent&) { ++refreshes; }

  platform::UserInteraction& user_;
};

class FormTest : public ::testing::Test {
 protected:
  platform::SimPlatform platform;
  SimFormRenderer renderer;
  FormContext context{renderer, platform.clock};
};

TEST_F(FormTest, UserDrivesTheDialogThroughTheModel) {
  TfrmClocks form(context, platform.user);
  platform.user.Answer(MessageAnswer::No);
  platform.user.Answer(MessageAnswer::Yes);
  renderer.OnModal([&](TForm& shown) {
    EXPECT_TRUE(form.shownBeforeLoop);
    EXPECT_EQ(shown[L"lbCore"].Caption(), L"300 MHz");
    shown[L"tbCore"].UserSetPosition(450);
    EXPECT_EQ(shown[L"lbCore"].Caption(), L"450 MHz");
    shown[L"btApply"].Click();  // answered No: the dialog stays
    EXPECT_EQ(shown.ModalResult(), TModalResult::None);
    shown[L"btApply"].Click();
  });

  EXPECT_EQ(form.ShowModal(), TModalResult::Ok);
  EXPECT_EQ(form.applied, 1);
  EXPECT_EQ(form[L"tbCore"].Position(), 450);
  ASSERT_EQ(platform.user.History().size(), 2u);
  EXPECT_EQ(platform.user.History()[0].request.caption, L"确认");
  EXPECT_FALSE(form.Showing());
  EXPECT_GT(renderer.ChangesSeen(), 0u);
  ASSERT_EQ(renderer.History().size(), 1u);
  EXPECT_EQ(renderer.History()[0].form, L"frmClocks");
}

TEST_F(FormTest, ClosingWithoutAChoiceIsCancelAndAnUnexpectedDialogIsAnError) {
  TfrmClocks form(context, platform.user);
  renderer.OnModal([](TForm&) {});
  EXPECT_EQ(form.ShowModal(), TModalResult::Cancel);
  renderer.OnModal([](TForm& shown) { shown[L"btCancel"].Click(); });
  EXPECT_EQ(form.ShowModal(), TModalResult::Cancel);
  EXPECT_THROW(form.ShowModal(), std::logic_error);
  EXPECT_FALSE(form.Showing()) << "a failed show leaves the form closed";
}

TEST_F(FormTest, ValuesStayWithinTheirLimits) {
  TfrmClocks form(context, platform.user);
  TComponent& core = form[L"tbCore"];
  int changes = 0;
  core.OnChange = [&](TComponent&) { ++changes; };
  core.UserSetPosition(9999);
  EXPECT_EQ(core.Position(), 500);
  core.UserSetPosition(500);
  EXPECT_EQ(changes, 1) << "no change event when the thumb did not move";
  core.SetPosition(50);
  EXPECT_EQ(core.Position(), 100);
  EXPECT_EQ(changes, 1) << "setting from code runs no handler";
  core.SetRange(200, 250);
  EXPECT_EQ(core.Position(), 200);
  core.SetRange(300, 100);
  EXPECT_EQ(core.Min(), 300);
  EXPECT_EQ(core.Max(), 300);

  TComponent& profile = form[L"cbProfile"];
  EXPECT_EQ(profile.ItemIndex(), -1);
  EXPECT_EQ(profile.Text(), L"");
  profile.SetText(L"游戏");
  EXPECT_EQ(profile.ItemIndex(), 1);
  profile.SetItems({L"安静"});
  EXPECT_EQ(profile.ItemIndex(), -1) << "index past the new items";
  profile.SetItemIndex(5);
  EXPECT_EQ(profile.ItemIndex(), -1);
}

TEST_F(FormTest, RadioGroupsCheckBoxesAndDisabledControls) {
  TfrmClocks form(context, platform.user);
  form[L"rb3D"].Click();
  EXPECT_TRUE(form[L"rb3D"].Checked());
  EXPECT_FALSE(form[L"rb2D"].Checked());
  form[L"rb2D"].SetChecked(true);
  EXPECT_FALSE(form[L"rb3D"].Checked());

  TComponent& atStart = form[L"cbAtStart"];
  int clicks = 0;
  atStart.OnClick = [&](TComponent& sender) {
    ++clicks;
    EXPECT_TRUE(sender.Checked()) << "the handler sees the new state";
  };
  atStart.Click();
  atStart.SetEnabled(false);
  atStart.Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(atStart.Checked());
}

TEST_F(FormTest, OnlyTheActivePageTakesInput) {
  TfrmClocks form(context, platform.user);
  TComponent& pages = form[L"pcMain"];
  EXPECT_EQ(pages.ActivePage(), &form[L"tsClocks"]) << "the first page unless declared";
  EXPECT_TRUE(form[L"tbCore"].Showing());
  EXPECT_FALSE(form[L"cbProfile"].Showing());
  form[L"cbProfile"].UserSelect(1);
  EXPECT_EQ(form[L"cbProfile"].ItemIndex(), -1);

  int pageChanges = 0;
  pages.OnChange = [&](TComponent&) { ++pageChanges; };
  pages.UserSelect(1);
  EXPECT_EQ(pageChanges, 1);
  EXPECT_FALSE(form[L"tbCore"].Showing());
  form[L"cbProfile"].UserSelect(1);
  EXPECT_EQ(form[L"cbProfile"].Text(), L"游戏");
  EXPECT_THROW(pages.SetActivePage(L"tsMissing"), std::out_of_range);
}

TEST_F(FormTest, FocusGoesOnlyWhereTheUserCouldPutItAndBeepsReachTheRenderer) {
  TfrmClocks form(context, platform.user);
  EXPECT_EQ(form.ActiveControl(), nullptr);
  form[L"cbProfile"].SetFocus();  // on the page behind
  EXPECT_EQ(form.ActiveControl(), nullptr);
  form[L"pcMain"].SetActivePage(L"tsProfiles");
  form[L"cbProfile"].SetFocus();
  EXPECT_EQ(form.ActiveControl(), &form[L"cbProfile"]);
  form[L"btApply"].SetEnabled(false);
  form[L"btApply"].SetFocus();
  EXPECT_EQ(form.ActiveControl(), &form[L"cbProfile"]);
  form.Beep();
  form.Beep();
  EXPECT_EQ(renderer.Beeps(), 2u);
}

TEST_F(FormTest, TimerRunsWhileEnabledAndStopsWithTheForm) {
  {
    TfrmClocks form(context, platform.user);
    platform.clock.Advance(1200);
    EXPECT_EQ(form.refreshes, 2);
    form[L"tmRefresh"].SetEnabled(false);
    platform.clock.Advance(1000);
    EXPECT_EQ(form.refreshes, 2);
    form[L"tmRefresh"].SetInterval(100);
    form[L"tmRefresh"].SetEnabled(true);
    platform.clock.Advance(250);
    EXPECT_EQ(form.refreshes, 4);
  }
  EXPECT_EQ(platform.clock.ActiveTimers(), 0u);
}

TEST_F(FormTest, BrokenTablesAreRefused) {
  const ComponentDecl noForm[] = {{K::Button, L"btOk"}};
  const ComponentDecl twice[] = {{K::Form, L"frmX"}, {K::Label, L"lbA"}, {K::Label, L"lbA"}};
  const ComponentDecl orphan[] = {{K::Form, L"frmX"}, {K::Label, L"lbA", L"", L"gbLater"},
                                  {K::GroupBox, L"gbLater"}};
  EXPECT_THROW(TForm(context, noForm), std::logic_error);
  EXPECT_THROW(TForm(context, twice), std::logic_error);
  EXPECT_THROW(TForm(context, orphan), std::logic_error);
  const ComponentDecl good[] = {{K::Form, L"frmX"}};
  TForm form(context, good);
  EXPECT_THROW(form[L"lbA"], std::out_of_range);
}

}  // namespace
}  // namespace corvane::ui

namespace corvane::ui {
namespace {

TEST(ListView, RowsKeepEmptyCellsAndSelectingARowIsAClick) {
  EXPECT_EQ(SplitCells(JoinCells({L"否", L"", L"磁盘温度", L""})),
            (std::vector<std::wstring>{L"否", L"", L"磁盘温度", L""}));
  EXPECT_EQ(SplitCells(L""), std::vector<std::wstring>{L""});

  platform::SimPlatform platform;
  SimFormRenderer renderer;
  const ComponentDecl table[] = {
      {K::Form, L"frmList", L"", L"", 0, 0, 200, 100},
      {.kind = K::ListView, .name = L"lvRows", .width = 200, .height = 100, .columns = {{L"A", 50}, {L"B", 50}}},
  };
  struct TfrmList final : TForm {
    using TForm::TForm;
  } form(FormContext{renderer, platform.clock}, table);
  TComponent& list = form[L"lvRows"];
  int clicks = 0;
  list.OnClick = [&](TComponent&) { ++clicks; };
  list.SetItems({JoinCells({L"1", L"a"}), JoinCells({L"2", L"b"})});
  list.UserSelect(1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(SplitCells(list.Text())[1], L"b");
  list.SetItems({JoinCells({L"1", L"a"})});
  EXPECT_EQ(list.ItemIndex(), -1) << "the selected row is gone";
}

TEST(Components, TreeNodesHotKeysAndUpDownsKeepTheirValuesInRange) {
  platform::SimPlatform platform;
  SimFormRenderer renderer;
  const ComponentDecl table[] = {
      {K::Form, L"frmMixed", L"", L"", 0, 0, 200, 100},
      {K::TreeView, L"tvTree", L"", L"", 0, 0, 100, 100},
      {K::HotKey, L"hkKey", L"", L"", 0, 0, 100, 20},
      {.kind = K::UpDown, .name = L"udValue", .min = 16, .max = 255, .position = 32},
  };
  struct TfrmMixed final : TForm {
    using TForm::TForm;
  } form(FormContext{renderer, platform.clock}, table);
  TComponent& tree = form[L"tvTree"];
  int changes = 0;
  tree.OnChange = [&](TComponent&) { ++changes; };
  tree.SetNodes({{L"颜色", 0, 14, -1}, {L"增加 Gamma", 1, 21, 4}});
  tree.UserSelect(1);
  tree.UserSelect(1);
  EXPECT_EQ(changes, 1) << "a change only when the selection moved";
  EXPECT_EQ(tree.Text(), L"增加 Gamma");
  EXPECT_EQ(tree.Nodes()[static_cast<size_t>(tree.ItemIndex())].data, 4);

  const struct {
    const wchar_t* component;
    int typed;
    int kept;
  } cases[] = {
      {L"hkKey", 0xC070, 0xC070}, {L"hkKey", 0x1FFFF, 0xFFFF}, {L"hkKey", -1, 0},
      {L"udValue", 300, 255},     {L"udValue", 3, 16},         {L"udValue", 64, 64},
  };
  for (const auto& c : cases) {
    form[c.component].UserSetPosition(c.typed);
    EXPECT_EQ(form[c.component].Position(), c.kept) << c.typed;
  }
}

}  // namespace
}  // namespace corvane::ui
