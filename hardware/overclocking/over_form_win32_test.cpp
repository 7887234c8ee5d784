// TfrmOver as real windows under Wine: every page's controls are made and lie inside
// the dialog; a screenshot of each page for people to look at.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/settings/program_settings.h"
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

TEST(OverFormWin32, EveryPageShowsItsControlsInsideTheDialog) {
  platform::MessageWindow messageWindow;
  platform::Win32Clock clock{messageWindow};
  platform::Win32Registry registry;
  platform::Win32UserInteraction user;
  ui::win32::Win32FormRenderer renderer;
  platform::sim::SimMachine machine;
  hardware::TRVX rvx(machine.Kernel(), machine.Registers(), L"C:\\Corvane\\", false, 0, 0);
  auto reg1 = settings::CreateProgramSettings(registry);
  reg1->AutoSave = false;  // the program's own settings are not the test's to change

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

}  // namespace
}  // namespace corvane::overclocking
