// TfrmOver as real windows under Wine: every page's controls are made and lie inside
// the dialog, and the timing pages can be left out of the tabs; a screenshot of each page
// for people to look at.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "settings/program_settings.h"
#include "hardware/overclocking/over_form.h"
#include "hardware/rvx.h"
#include "platform/sim/hardware/sim_machine.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/message_window.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/user_interaction_win32.h"
#include "ui/win32/form_renderer_win32.h"
#include "ui/win32/ui_test_support.h"

namespace corvane::overclocking {
namespace {

using ui::win32::testing::RunLater;

class OverFormWin32 : public ::testing::Test {
 protected:
  OverFormWin32() { reg1->AutoSave = false; }  // the program's own settings are not the test's to change

  platform::MessageWindow messageWindow;
  platform::Win32Clock clock{messageWindow};
  platform::Win32Registry registry;
  platform::Win32UserInteraction user;
  ui::win32::Win32FormRenderer renderer;
  platform::sim::SimMachine machine;
  hardware::TRVX rvx{machine.Kernel(), machine.Registers(), L"C:\\Corvane\\", false, 0, 0};
  std::unique_ptr<settings::TRegValues> reg1 = settings::CreateProgramSettings(registry);
};

TEST_F(OverFormWin32, EveryPageShowsItsControlsInsideTheDialog) {
  TfrmOver dialog({{renderer, clock}, registry, user, *reg1, rvx, false});
  const struct {
    const wchar_t* page;
    const wchar_t* shot;
  } pages[] = {{L"tsClocks", L"over-clocks.bmp"},     {L"tsTiming1", L"over-timings-1.bmp"},
               {L"tsTiming2", L"over-timings-2.bmp"}, {L"tsTiming3", L"over-timings-3.bmp"},
               {L"tsProfiles", L"over-profiles.bmp"}, {L"ts2d3d", L"over-2d3d.bmp"}};
  RunLater(300, [&] {
    const HWND window = renderer.WindowOf(dialog);
    ASSERT_TRUE(window);
    EXPECT_EQ(ui::win32::testing::TextOf(window), L"超频");
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (const auto& page : pages) {
      dialog[L"pcMain"].SetActivePage(page.page);
      for (const auto& component : dialog.Components()) {
        if (!component->Showing() || component->Kind() == ui::ComponentKind::Form ||
            component->Kind() == ui::ComponentKind::TabSheet)
          continue;
        const HWND control = renderer.ControlOf(*component);
        const std::string name(component->Name().begin(), component->Name().end());
        ASSERT_TRUE(control) << name;
        EXPECT_TRUE(IsWindowVisible(control)) << name;
        RECT bounds{};
        GetWindowRect(control, &bounds);
        EXPECT_TRUE(bounds.left >= client.left && bounds.top >= client.top && bounds.right <= client.right &&
                    bounds.bottom <= client.bottom)
            << name;
      }
      ui::win32::testing::SaveScreen(ui::win32::testing::ScreenshotPath(page.shot));
    }
    dialog[L"btCancel"].Click();
  });
  RunLater(10000, [&] { dialog.SetModalResult(ui::TModalResult::Abort); });  // never hang
  EXPECT_EQ(dialog.ShowModal(), ui::TModalResult::Cancel);
}

// corvane.ini hide_timings=1: the three timing sheets have no tab, and the tabs left
// lead to their own sheets.
TEST_F(OverFormWin32, HiddenTimingPagesHaveNoTabs) {
  TfrmOver dialog({{renderer, clock}, registry, user, *reg1, rvx, /*hideTimings=*/true});
  RunLater(300, [&] {
    const HWND tabs = renderer.ControlOf(dialog[L"pcMain"]);
    ASSERT_TRUE(tabs);
    EXPECT_EQ(ui::win32::testing::TabCaptions(tabs), (std::vector<std::wstring>{L"时钟", L"配置", L"自动 2D/3D"}));

    ui::win32::testing::ClickTab(tabs, 1);
    EXPECT_EQ(dialog[L"pcMain"].ActivePage(), &dialog[L"tsProfiles"]);
    EXPECT_TRUE(IsWindowVisible(renderer.ControlOf(dialog[L"lbxProfiles"])));
    EXPECT_FALSE(IsWindowVisible(renderer.ControlOf(dialog[L"tbm1"])));
    ui::win32::testing::SaveScreen(ui::win32::testing::ScreenshotPath(L"over-no-timings.bmp"));
    dialog[L"btCancel"].Click();
  });
  RunLater(10000, [&] { dialog.SetModalResult(ui::TModalResult::Abort); });  // never hang
  EXPECT_EQ(dialog.ShowModal(), ui::TModalResult::Cancel);
}

}  // namespace
}  // namespace corvane::overclocking
