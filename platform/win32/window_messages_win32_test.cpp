#include "platform/win32/window_messages_win32.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/message_window_test.h"

namespace corvane::platform {
namespace {

using testing::PumpUntil;
using testing::Signalled;
using Handle = std::unique_ptr<void, decltype(&CloseHandle)>;

// How the test tells its child process what to listen for.
constexpr wchar_t kNameVariable[] = L"CORVANE_TEST_BROADCAST_NAME";
constexpr wchar_t kIdVariable[] = L"CORVANE_TEST_BROADCAST_ID";
constexpr wchar_t kReadyVariable[] = L"CORVANE_TEST_BROADCAST_READY";
constexpr uintptr_t kWParam = 0x5A5A;
constexpr intptr_t kLParam = 42;  // the child's exit code when all went well
constexpr DWORD kChildOtherId = 2, kChildWrongPayload = 3, kChildNothingCame = 4, kChildNoEvent = 5;

std::wstring Variable(const wchar_t* name) {
  wchar_t value[256];
  const DWORD n = GetEnvironmentVariableW(name, value, 256);
  return n < 256 ? std::wstring(value, n) : std::wstring();
}

// The other process of the test below, which starts it.
TEST(WindowMessagesWin32, DISABLED_ChildAnswersTheBroadcast) {
  const std::wstring name = Variable(kNameVariable);
  if (name.empty()) GTEST_SKIP() << "started only by BroadcastReachesThisProcessAndAnother";
  MessageWindow window;
  Win32WindowMessages messages(window);
  const uint32_t id = messages.RegisterMessage(name);
  if (std::to_wstring(id) != Variable(kIdVariable)) ExitProcess(kChildOtherId);
  bool received = false;
  DWORD exitCode = kChildWrongPayload;
  auto subscription = messages.Subscribe(id, [&](uintptr_t w, intptr_t l) {
    received = true;
    if (w == kWParam) exitCode = static_cast<DWORD>(l);
  });
  Handle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, Variable(kReadyVariable).c_str()), &CloseHandle);
  if (!ready) ExitProcess(kChildNoEvent);
  SetEvent(ready.get());
  ExitProcess(PumpUntil([&] { return received; }, 20000) ? exitCode : kChildNothingCame);
}

TEST(WindowMessagesWin32, ASentBroadcastIsHandledBeforeTheCallReturns) {
  MessageWindow window;
  Win32WindowMessages messages(window);
  const uint32_t id = messages.RegisterMessage(L"Corvane.Test.Sent." + std::to_wstring(GetCurrentProcessId()));
  std::vector<std::pair<uintptr_t, intptr_t>> here;
  auto subscription = messages.Subscribe(id, [&](uintptr_t w, intptr_t l) { here.emplace_back(w, l); });
  ASSERT_TRUE(messages.SendBroadcast(id, kWParam, kLParam, 5000));
  EXPECT_EQ(here, (std::vector<std::pair<uintptr_t, intptr_t>>{{kWParam, kLParam}}));
}

TEST(WindowMessagesWin32, BroadcastReachesThisProcessAndAnother) {
  MessageWindow window;
  Win32WindowMessages messages(window);
  const std::wstring unique = std::to_wstring(GetCurrentProcessId());
  const std::wstring name = L"Corvane.Test.Broadcast." + unique;
  const uint32_t id = messages.RegisterMessage(name);
  EXPECT_GE(id, 0xC000u);
  EXPECT_EQ(messages.RegisterMessage(L"CORVANE.TEST.BROADCAST." + unique), id);
  EXPECT_EQ(messages.RegisterMessage(L""), 0u);
  std::vector<std::pair<uintptr_t, intptr_t>> here;
  auto subscription = messages.Subscribe(id, [&](uintptr_t w, intptr_t l) { here.emplace_back(w, l); });

  const std::wstring readyName = L"Corvane.Test.Ready." + unique;
  Handle ready(CreateEventW(nullptr, TRUE, FALSE, readyName.c_str()), &CloseHandle);
  ASSERT_TRUE(ready);
  // The child inherits these; without a report file of its own it cannot overwrite ours.
  SetEnvironmentVariableW(kNameVariable, name.c_str());
  SetEnvironmentVariableW(kIdVariable, std::to_wstring(id).c_str());
  SetEnvironmentVariableW(kReadyVariable, readyName.c_str());
  SetEnvironmentVariableW(L"GTEST_OUTPUT", nullptr);
  wchar_t exe[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
  std::wstring commandLine = std::wstring(L"\"") + exe + L"\" --gtest_also_run_disabled_tests" +
                             L" --gtest_filter=WindowMessagesWin32.DISABLED_ChildAnswersTheBroadcast";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
  Handle process(info.hProcess, &CloseHandle), thread(info.hThread, &CloseHandle);

  // This thread keeps pumping meanwhile: its own window must not stall the broadcast.
  ASSERT_TRUE(PumpUntil([&] { return Signalled(ready.get()) || Signalled(process.get()); }, 20000));
  ASSERT_TRUE(Signalled(ready.get())) << "the child ended before it subscribed";
  ASSERT_TRUE(messages.Broadcast(id, kWParam, kLParam));
  ASSERT_TRUE(PumpUntil([&] { return Signalled(process.get()) && !here.empty(); }, 20000));
  DWORD exitCode = 0;
  GetExitCodeProcess(process.get(), &exitCode);
  EXPECT_EQ(exitCode, static_cast<DWORD>(kLParam));
  EXPECT_EQ(here, (std::vector<std::pair<uintptr_t, intptr_t>>{{kWParam, kLParam}}));
}

}  // namespace
}  // namespace corvane::platform
