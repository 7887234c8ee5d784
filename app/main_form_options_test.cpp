#include <gtest/gtest.h>

#include "app/main_form.h"
#include "app/main_form_test_support.h"
#include "platform/registry_values.h"
#include "platform/sim/choosers_sim.h"
#include "settings/global.h"

namespace corvane {
namespace {

using namespace corvane::main_form_testing;
using platform::RegistryRoot;

TEST_F(MainFormTest, TheSkinnedMenuFollowsTheSettingAtStartUpAndTheOptionsOkAtOnce) {
  for (bool stored : {true, false}) {
    SCOPED_TRACE(stored);
    window.skinnedMenus.clear();
    auto key = SettingsKey(true);
    platform::WriteRegDword(*key, L"use_skinned_menu", stored ? 1 : 0);
    const ProgramEnvironment environment = Environment();
    TfrmMainQRX form(environment, window, false);
    ASSERT_TRUE(form.FormCreate());
    EXPECT_EQ(window.skinnedMenus, std::vector<bool>{stored});

    bool shownSkin = !stored;
    window.forms.OnModal([&](ui::TForm& options) {
      shownSkin = options[L"cbSkin"].Checked();
      options[L"cbSkin"].Click();
      options[L"btnOk"].Click();
    });
    const size_t hiddenBefore = window.trayCallsWhenHidden.size();
    form.TrayMenus()->pm1.Item(L"Options2").Click();
    ASSERT_EQ(window.forms.History().size(), 1u);
    EXPECT_EQ(window.forms.History()[0].form, L"frmGenOptions");
    EXPECT_EQ(shownSkin, stored);
    EXPECT_EQ(window.skinnedMenus, (std::vector<bool>{stored, !stored}));
    EXPECT_EQ(form.reg1().GetBool(L"use_skinned_menu"), !stored);
    EXPECT_EQ(window.trayCallsWhenHidden.size(), hiddenBefore + 1) << "the main window is hidden again";
    EXPECT_FALSE(form.DialogOpen);
    form.FormClose();
    window.forms = ui::SimFormRenderer();
  }
}

TEST_F(MainFormTest, TheOptionsBrowseWithTheProgramsChoosersAndStartWithWindowsFromItsOwnPath) {
  platform::SimChoosers choosers;
  ProgramEnvironment environment = Environment();
  environment.options.choosers = &choosers;
  TfrmMainQRX form(environment, window, false);
  ASSERT_TRUE(form.FormCreate());
  choosers.AnswerFolder(L"E:\\Shots");
  window.forms.OnModal([&](ui::TForm& options) {
    options[L"cbStart"].Click();
    options[L"pc1"].UserSelect(2);
    options[L"SpeedButton1"].Click();
    options[L"btnOk"].Click();
  });
  form.TrayMenus()->pm1.Item(L"Options2").Click();
  auto run = sim.registry.OpenKey(RegistryRoot::CurrentUser, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", false);
  ASSERT_NE(run, nullptr);
  EXPECT_EQ(platform::ReadRegString(*run, L"Corvane"), L"\"" + sim.shell.ProgramFilePath() + L"\"");
  EXPECT_EQ(form.reg1().GetString(L"SSFolder"), L"E:\\Shots");
  form.FormClose();
}

}  // namespace
}  // namespace corvane
