#include "ui/select_dialog.h"

#include <gtest/gtest.h>

#include "platform/sim/clock_sim.h"
#include "ui/form_renderer_sim.h"

namespace corvane::ui {
namespace {

class SelectDialogTest : public ::testing::Test {
 protected:
  platform::SimClock clock;
  SimFormRenderer renderer;
  FormContext context{renderer, clock};
};

// The model rules of an editable combo box, which the renderers follow.
TEST_F(SelectDialogTest, EditableComboTakesTypedTextAndPicks) {
  const ComponentDecl table[] = {
      {ComponentKind::Form, L"frmX"},
      {.kind = ComponentKind::ComboBox, .name = L"cbName", .items = {L"游戏", L"安静"}, .itemIndex = 1,
       .editable = true},
  };
  TForm form(context, table);
  TComponent& name = form[L"cbName"];
  EXPECT_EQ(name.Text(), L"安静") << "a declared selection is the starting text";
  int changes = 0;
  name.OnChange = [&](TComponent&) { ++changes; };

  name.UserSetText(L"夜间");
  EXPECT_EQ(name.ItemIndex(), -1) << "typed text that is no item selects nothing";
  name.UserSetText(L"夜间");
  name.UserSetText(L"游戏");
  EXPECT_EQ(name.ItemIndex(), 0) << "typing an item's text selects it";
  name.UserSelect(1);
  EXPECT_EQ(name.Text(), L"安静") << "a pick replaces the typed text";
  EXPECT_EQ(changes, 3);

  name.SetItems({L"甲", L"安静"});
  EXPECT_EQ(name.ItemIndex(), 1) << "the selected item still reads the same";
  name.SetItems({L"甲", L"乙"});
  EXPECT_EQ(name.Text(), L"安静") << "new items leave the text";
  EXPECT_EQ(name.ItemIndex(), -1) << "and select nothing that reads otherwise";

  name.SetEditable(false);
  EXPECT_EQ(name.Text(), L"") << "a drop-down list's text is its selection";
  name.SetText(L"夜间");
  EXPECT_EQ(name.Text(), L"");
  name.SetText(L"乙");
  name.SetEditable(true);
  EXPECT_EQ(name.Text(), L"乙");
}

TEST_F(SelectDialogTest, CloseCheckRefusesEmptyVisibleInputOnlyWhenValidating) {
  TfrmSelDP dialog(context);
  dialog.SetPrompt(L"创建配置文件", L"新的配置文件名");
  EXPECT_EQ(dialog[L"lbSelect"].Caption(), L"新的配置文件名");
  dialog.ShowNameBox(true, L"  ");
  dialog.ShowList(false);

  renderer.OnModal([](TForm& shown) { shown[L"btOk"].Click(); });
  EXPECT_EQ(dialog.ShowModal(), TModalResult::Ok) << "without validation a blank name is taken";

  dialog.ValidateInput = true;
  renderer.OnModal([](TForm& shown) {
    shown[L"btOk"].Click();
    EXPECT_EQ(shown.ModalResult(), TModalResult::None) << "a blank name keeps the dialog open";
    shown[L"edName"].UserSetText(L"  夜间 ");
    shown[L"btOk"].Click();
  });
  EXPECT_EQ(dialog.ShowModal(), TModalResult::Ok);
  EXPECT_EQ(dialog.Chosen(), L"夜间") << "the name box's text, trimmed";

  // Cancel and the close box always leave.
  dialog.ShowNameBox(true);
  renderer.OnModal([](TForm& shown) { shown[L"btCancel"].Click(); });
  renderer.OnModal([](TForm& shown) { shown.Close(); });
  EXPECT_EQ(dialog.ShowModal(), TModalResult::Cancel);
  EXPECT_EQ(dialog.ShowModal(), TModalResult::Cancel);

  // The hidden name box no longer counts; the visible list's selection does.
  dialog.ShowNameBox(false);
  dialog.ShowList(true);
  dialog.SetChoices({L"60", L"75", L"85"}, L"100");
  renderer.OnModal([](TForm& shown) {
    shown[L"btOk"].Click();
    EXPECT_EQ(shown.ModalResult(), TModalResult::None) << "nothing selected";
    shown[L"cbSelect"].UserSelect(1);
    shown[L"btOk"].Click();
  });
  EXPECT_EQ(dialog.ShowModal(), TModalResult::Ok);
  EXPECT_EQ(dialog.Chosen(), L"75");

  // Editable, the typed text counts.
  dialog.ShowList(true, true);
  dialog.SetChoices({L"游戏"}, L"游戏");
  renderer.OnModal([](TForm& shown) {
    shown[L"cbSelect"].UserSetText(L"   ");
    shown[L"btOk"].Click();
    EXPECT_EQ(shown.ModalResult(), TModalResult::None);
    shown[L"cbSelect"].UserSetText(L"新配置");
    shown[L"btOk"].Click();
  });
  EXPECT_EQ(dialog.ShowModal(), TModalResult::Ok);
  EXPECT_EQ(dialog.Chosen(), L"新配置");
}

}  // namespace
}  // namespace corvane::ui
