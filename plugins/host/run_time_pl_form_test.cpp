#include "plugins/host/run_time_pl_form.h"

#include <gtest/gtest.h>

#include "platform/sim/clock_sim.h"
#include "plugins/host/plugin_host_test_support.h"
#include "ui/form_renderer_sim.h"

namespace corvane::plugins {
namespace {

using platform::PluginExport;
using testing::PluginRig;

struct DialogRig : PluginRig {
  ui::SimFormRenderer renderer;
  platform::SimClock clock;

  // Shows the dialog once; `play` is what the user does in it.
  void Show(TRPLList& list, const std::function<void(ui::TForm&)>& play) {
    renderer.OnModal(play);
    TfrmRunTimePL dialog(ui::FormContext{renderer, clock}, list);
    dialog.ShowModal();
  }
};

std::vector<std::wstring> Row(ui::TForm& form, size_t index) {
  return ui::SplitCells(form[L"lvPlugins"].Items().at(index));
}

TEST(RunTimePluginsDialog, ANewPluginIsEnabledThenStartedThenDisabledWhichStopsItOnce) {
  DialogRig rig;
  rig.Add(L"busconf.dll", "PCI 设置插件", CORVANE_PLUGIN_RUNTIME);
  rig.Add(L"drivetherm.dll", "磁盘温度", CORVANE_PLUGIN_RUNTIME);
  TRPLList list(rig.context);

  rig.Show(list, [&](ui::TForm& form) {
    EXPECT_EQ(form.Caption(), L"Run Time 插件");
    EXPECT_EQ(Row(form, 1), (std::vector<std::wstring>{L"否", L"否", L"磁盘温度", L"drivetherm.dll"}));
    EXPECT_FALSE(form[L"btEnable"].Enabled());
    form[L"lvPlugins"].UserSelect(1);
    EXPECT_FALSE(form[L"btStart"].Enabled());
    EXPECT_EQ(form[L"btEnable"].Caption(), L"开启(&E)");

    form[L"btEnable"].Click();
    EXPECT_EQ(Row(form, 1)[0], L"是");
    EXPECT_EQ(Row(form, 1)[1], L"否") << "enabling does not start it";
    EXPECT_EQ(form[L"btEnable"].Caption(), L"关闭(&D)");
    form[L"btStart"].Click();
    form[L"btStart"].Click();  // already running
    EXPECT_EQ(Row(form, 1)[1], L"是");

    form[L"btEnable"].Click();
    EXPECT_EQ(Row(form, 1), (std::vector<std::wstring>{L"否", L"否", L"磁盘温度", L"drivetherm.dll"}));
    EXPECT_FALSE(form[L"btStop"].Enabled());
    EXPECT_EQ(form[L"lvPlugins"].ItemIndex(), 1);
    form[L"btClose"].Click();
  });
  EXPECT_EQ(rig.Calls(L"drivetherm.dll", PluginExport::ExecPlugin), 1u);
  EXPECT_EQ(rig.Calls(L"drivetherm.dll", PluginExport::DonePlugin), 1u);
  EXPECT_EQ(rig.Enabled(L"drivetherm.dll"), 0u);
  EXPECT_EQ(rig.Calls(L"busconf.dll", PluginExport::ExecPlugin), 0u);
  EXPECT_EQ(rig.renderer.History().at(0).result, ui::TModalResult::Cancel);
}

// The plug-in's own configuration window keeps the message loop running: the dialog's
// buttons and close box meanwhile do nothing.
TEST(RunTimePluginsDialog, WhileAPluginConfiguresTheOtherButtonsAndClosingDoNothing) {
  DialogRig rig;
  rig.Add(L"busconf.dll", "PCI 设置插件", CORVANE_PLUGIN_RUNTIME);
  rig.SetEnabled(L"busconf.dll", 1);
  ui::TForm* shown = nullptr;
  rig.plugins[L"busconf.dll"].configPlugin = [&] {
    (*shown)[L"btStop"].Click();
    (*shown)[L"btEnable"].Click();
    (*shown)[L"btClose"].Click();
    shown->Close();
    EXPECT_EQ(shown->ModalResult(), ui::TModalResult::None);
  };
  rig.Update(L"busconf.dll");
  TRPLList list(rig.context);

  rig.Show(list, [&](ui::TForm& form) {
    shown = &form;
    form[L"lvPlugins"].UserDoubleClick(0);
    EXPECT_EQ(Row(form, 0)[1], L"是");
    form.Close();
  });
  EXPECT_EQ(rig.Calls(L"busconf.dll", PluginExport::ConfigPlugin), 1u);
  EXPECT_EQ(rig.renderer.BroughtToFront(), std::vector<std::wstring>{L"frmRunTimePL"});
  EXPECT_EQ(rig.Calls(L"busconf.dll", PluginExport::DonePlugin), 0u);
  EXPECT_EQ(rig.Enabled(L"busconf.dll"), 1u);
}

}  // namespace
}  // namespace corvane::plugins
