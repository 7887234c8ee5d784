// The artifact tester as real windows under Wine: the OpenGL scene from the install's
// "3d" folder on screen (a screenshot for people to look at), a scan of the frozen scene
// that finds nothing, and a search on the simulated card that ends at the clock the card
// takes.
#include <windows.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hardware/artifacts/render_form.h"
#include "hardware/overclocking/over_form.h"
#include "hardware/rvx.h"
#include "platform/sim/hardware/sim_machine.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/message_window.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/threading_win32.h"
#include "settings/program_settings.h"
#include "ui/win32/form_renderer_win32.h"
#include "ui/win32/gl_frame_source.h"
#include "ui/win32/ui_test_support.h"

namespace corvane::artifacts {
namespace {

// The win32 build's install folder, which holds "3d", through Wine's Z: drive.
std::wstring ProgramFolder() {
  std::wstring folder = L"Z:" + std::filesystem::path(CORVANE_DIST_DIR).wstring() + L"\\";
  for (wchar_t& c : folder)
    if (c == L'/') c = L'\\';
  return folder;
}

// Delivers messages (the tester's timer among them) until `done` or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return true;
}

// Messages are recorded, not shown: nothing modal gets in the way of the timer.
class RecordedMessages final : public platform::UserInteraction {
 public:
  platform::MessageAnswer ShowMessage(const platform::MessageBoxRequest& request) override {
    texts.push_back(request.text);
    return platform::MessageAnswer::Ok;
  }
  std::vector<std::wstring> texts;
};

class ArtifactsWin32 : public ::testing::Test {
 protected:
  FrameSourceFactory Frames(FaultCheck faults = {}) {
    return ui::win32::GlFrameSources({renderer, threading, user, ProgramFolder(), std::move(faults)});
  }

  platform::MessageWindow messageWindow;
  platform::Win32Clock clock{messageWindow};
  platform::Win32Threading threading;
  RecordedMessages user;
  ui::win32::Win32FormRenderer renderer;
};

TEST_F(ArtifactsWin32, TheWindowDrawsTheModel) {
  Tfrm3DRender tester({{renderer, clock}, threading, user, Frames()});
  ASSERT_TRUE(tester.Rendering()) << (user.texts.empty() ? "" : "a message was shown");
  const HWND window = renderer.WindowOf(tester);
  ASSERT_TRUE(window);
  PumpUntil([] { return false; }, 1500);

  // The model covers the middle of the window; the clear colour is a dark blue.
  RECT client{};
  GetClientRect(window, &client);
  POINT middle{client.right / 2, client.bottom / 2};
  ClientToScreen(window, &middle);
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, middle.x, middle.y);
  ReleaseDC(nullptr, screen);
  EXPECT_NE(colour, RGB(0, 0, 64));
  EXPECT_NE(colour, RGB(0, 0, 0));
  ui::win32::testing::SaveScreen(ui::win32::testing::ScreenshotPath(L"artifacts.bmp"));
}

TEST_F(ArtifactsWin32, AScanOfTheFrozenSceneFindsNoArtifacts) {
  Tfrm3DRender tester({{renderer, clock}, threading, user, Frames()});
  ASSERT_TRUE(tester.Rendering());
  tester.StartScan();
  bool dirty = false;
  PumpUntil(
      [&] {
        dirty = dirty || tester.Caption().empty();
        return tester.Caption().rfind(L"无 Artifacts 4.", 0) == 0;
      },
      20000);
  EXPECT_FALSE(dirty) << "a frame of the frozen scene differed";
  EXPECT_EQ(tester.Caption().rfind(L"无 Artifacts 4.", 0), 0u) << "caption: " << tester.Caption().size();
  tester.Stop();
}

TEST_F(ArtifactsWin32, ASearchEndsAtTheClockTheSimulatedCardTakes) {
  platform::sim::SimMachine machine;
  hardware::TRVX rvx{machine.Kernel(), machine.Registers(), L"C:\\Corvane\\", false, 0, 0};
  platform::Win32Registry registry;
  std::unique_ptr<settings::TRegValues> reg1 = settings::CreateProgramSettings(registry);
  reg1->AutoSave = false;  // the program's own settings are not the test's to change
  const double limit = machine.Card().CoreClockMhz() + 1.5;

  overclocking::OverDialogContext context{{renderer, clock}, registry, user, *reg1, rvx};
  context.threading = &threading;
  context.artifactFrames = Frames([&] { return machine.Card().CoreClockMhz() > limit; });
  overclocking::TfrmOver dialog(context);
  ui::win32::testing::RunLater(300, [&] {
    dialog[L"btRender"].Click();
    ASSERT_NE(dialog.Renderer(), nullptr);
    dialog[L"btMaxGpu"].Click();
    PumpUntil([&] { return !dialog.Renderer()->Searching(); }, 240000);
    dialog[L"btCancel"].Click();
  });
  dialog.ShowModal();

  ASSERT_FALSE(user.texts.empty());
  EXPECT_EQ(user.texts.back(), L"发现最大 GPU 时钟");
  EXPECT_LE(machine.Card().CoreClockMhz(), limit);
  EXPECT_GT(machine.Card().CoreClockMhz(), limit - 3.0);
}

}  // namespace
}  // namespace corvane::artifacts
