#include "platform/sim/shell_sim.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/threading.h"

namespace corvane::platform {
namespace {

TEST(SimShell, RecordsEveryKindOfStart) {
  SimShell shell;
  EXPECT_TRUE(shell.Execute({0, L"open", L"C:\\Games\\game.exe", L"-window", L"C:\\Games", ShowCommand::Show}));
  EXPECT_TRUE(shell.RunCommand(L"atiprbxx.exe /a", ShowCommand::Show));
  auto tool = shell.StartProcess(L"regedit /ea \"x.reg\"", ShowCommand::Hide);
  ASSERT_NE(tool, nullptr);

  auto starts = shell.Starts();
  ASSERT_EQ(starts.size(), 3u);
  EXPECT_EQ(starts[0].kind, StartKind::ShellExecute);
  EXPECT_EQ(starts[0].parameters, L"-window");
  EXPECT_EQ(starts[0].directory, L"C:\\Games");
  EXPECT_EQ(starts[1].kind, StartKind::WinExec);
  EXPECT_EQ(starts[1].file, L"atiprbxx.exe /a");
  EXPECT_EQ(starts[2].show, ShowCommand::Hide);
  EXPECT_EQ(starts[2].processId, tool->Id());
  EXPECT_NE(starts[0].processId, starts[1].processId);

  shell.FailStarts(true);
  EXPECT_FALSE(shell.Execute({0, L"open", L"missing.exe", L"", L"", ShowCommand::Show}));
  EXPECT_EQ(shell.StartProcess(L"missing.exe", ShowCommand::Show), nullptr);
  EXPECT_EQ(shell.Starts().back().processId, 0u);
}

// A worker waits for a game without a time limit; the test ends the game.
TEST(SimShell, WaitersWakeWhenTheTestEndsTheProcess) {
  SimShell shell;
  const uint32_t game = shell.AddRunningProcess();
  auto handle = shell.OpenProcess(game);
  ASSERT_NE(handle, nullptr);
  EXPECT_FALSE(handle->Wait(0));
  EXPECT_FALSE(handle->ExitCode());

  std::thread worker([&] { EXPECT_TRUE(handle->Wait(kWaitForever)); });
  EXPECT_TRUE(shell.EndProcess(game, 3));
  worker.join();
  EXPECT_EQ(handle->ExitCode(), 3u);
  EXPECT_FALSE(shell.EndProcess(game));        // only once
  EXPECT_EQ(shell.OpenProcess(game), nullptr);  // gone
  EXPECT_EQ(shell.OpenProcess(12345), nullptr);
}

TEST(SimShell, ToolsThatEndAtOnceAndHandlesThatOutliveTheShell) {
  std::unique_ptr<Process> tool;
  {
    SimShell shell;
    shell.EndStartsAtOnce(true, 1);
    tool = shell.StartProcess(L"regedit /ea", ShowCommand::Hide);
    ASSERT_NE(tool, nullptr);
  }
  EXPECT_TRUE(tool->Wait(kWaitForever));
  EXPECT_EQ(tool->ExitCode(), 1u);
}

TEST(SimShell, WindowClassesCompareWithoutCase) {
  SimShell shell;
  EXPECT_FALSE(shell.WindowClassExists(L"wcAppianDesktop"));
  shell.AddWindowClass(L"wcAppianDesktop");
  EXPECT_TRUE(shell.WindowClassExists(L"WCAPPIANDESKTOP"));
  shell.RemoveWindowClass(L"wcappiandesktop");
  EXPECT_FALSE(shell.WindowClassExists(L"wcAppianDesktop"));
}

}  // namespace
}  // namespace corvane::platform
