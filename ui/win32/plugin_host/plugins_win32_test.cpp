// The plug-ins as shipped, under Wine: the three libraries load from the install folder's
// plugins\ and give their records; busview lists the simulated bus and drivetherm shows the
// simulated disks when the program runs simulated; a broken plug-in leaves the host running;
// screenshots of the busview dialog and the run-time plug-ins dialog for people to look at.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "hardware/rvx.h"
#include "platform/sim/hardware/sim_machine.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/message_window.h"
#include "platform/win32/plugin_modules_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/seh_guard.h"
#include "platform/win32/user_interaction_win32.h"
#include "platform/registry_values.h"
#include "plugins/host/host_service_entry.h"
#include "plugins/host/menu_plugins.h"
#include "plugins/host/plugin_record.h"
#include "plugins/host/rpl_list.h"
#include "plugins/host/run_time_pl_form.h"
#include "settings/global.h"
#include "ui/win32/form_renderer_win32.h"
#include "ui/win32/ui_test_support.h"

namespace corvane::plugins {
namespace {

using ui::win32::testing::RunLater;

// Folders as Windows paths: the install folder's plugins\ and the broken test plug-ins'.
std::wstring DosFolder(const char* unixFolder) {
  std::wstring path = L"Z:";
  for (const char* c = unixFolder; *c; ++c) path.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(*c));
  return path + L"\\";
}

const std::wstring kInstalled = DosFolder(CORVANE_PLUGIN_DIR);
const std::wstring kBroken = DosFolder(CORVANE_BROKEN_PLUGIN_DIR);

// The host service over a simulated machine, as corvane.exe /simulate has it.
struct SimulatedHost {
  platform::sim::SimMachine machine;
  hardware::TRVX rvx{machine.Kernel(), machine.Registers(), L"C:\\Corvane\\", false, 0, 0};
  HostServiceEntry entry{HostServiceContext{&rvx, nullptr, 0x00000001, ""}};
};

HWND FormWindow(const wchar_t* caption) { return FindWindowW(L"CorvaneForm", caption); }

TEST(PluginsWin32, TheThreeLibrariesLoadFromThePluginsFolderWithTheirRecords) {
  platform::Win32PluginModules modules;
  const struct {
    const wchar_t* file;
    const wchar_t* name;
    uint8_t kind;
  } shipped[] = {{L"busview.dll", L"PCI 信息", CORVANE_PLUGIN_MENU},
                 {L"busconf.dll", L"PCI 设置插件", CORVANE_PLUGIN_RUNTIME},
                 {L"drivetherm.dll", L"磁盘温度", CORVANE_PLUGIN_RUNTIME}};
  EXPECT_EQ(modules.FindLibraries(kInstalled).size(), 3u);
  for (const auto& plugin : shipped) {
    std::optional<PluginRecord> record = ProbePlugin(modules, kInstalled + plugin.file);
    ASSERT_TRUE(record) << plugin.file;
    EXPECT_EQ(record->name, plugin.name);
    EXPECT_EQ(record->kind, plugin.kind);
    std::unique_ptr<platform::PluginModule> module = modules.Load(kInstalled + plugin.file);
    EXPECT_EQ(module->Has(platform::PluginExport::DonePlugin), plugin.kind == CORVANE_PLUGIN_RUNTIME);
  }
}

TEST(PluginsWin32, ABrokenPluginFaultsInsideItsGuardAndTheHostCarriesOn) {
  platform::Win32PluginModules modules;
  platform::Win32Registry registry;
  const std::wstring state = global::ProfilesRoot + L"rtpl\\broken.dll";
  {
    auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, state, true);
    ASSERT_TRUE(key);
    platform::WriteRegDword(*key, L"enabled", 1);
  }
  platform::Win32UserInteraction user;
  const PluginHostContext context{modules, registry, 0, HostServiceEntry::Pointer(), kBroken};
  {
    TRPLList list(context);
    ASSERT_EQ(list.Count(), 1u) << "the unterminated record is skipped";
    TRunTimePlugin& broken = list[0];
    EXPECT_FALSE(broken.Running()) << "exec_plugin faulted";
    broken.Configure();  // missing: not called
    list.SuspendRestoreAll();
    MenuPlugins menu(context, user);
    menu.Scan();
    EXPECT_TRUE(menu.Entries().empty());
  }
  registry.DeleteKey(platform::RegistryRoot::CurrentUser, state);

  // What the guard reports of each kind of failure.
  const platform::GuardedCallResult fault = platform::CallGuarded(
      [](void*) {
        volatile int* nowhere = nullptr;
        *nowhere = 3;
      },
      nullptr);
  EXPECT_FALSE(fault.completed);
  EXPECT_EQ(fault.exceptionCode, static_cast<uint32_t>(EXCEPTION_ACCESS_VIOLATION));
  const platform::GuardedCallResult raised =
      platform::CallGuarded([](void*) { RaiseException(0xE06D7363, EXCEPTION_NONCONTINUABLE, 0, nullptr); }, nullptr);
  EXPECT_EQ(raised.exceptionCode, 0xE06D7363u);
  EXPECT_TRUE(platform::CallGuarded([](void*) {}, nullptr).completed);
}

TEST(PluginsWin32, BusViewListsTheSimulatedBus) {
  SimulatedHost host;
  platform::Win32PluginModules modules;
  std::unique_ptr<platform::PluginModule> busview = modules.Load(kInstalled + L"busview.dll");
  ASSERT_TRUE(busview);
  int rows = -1;
  RunLater(500, [&] {
    const HWND dialog = FormWindow(L"PCI 信息");
    if (!dialog) return;
    const HWND list = FindWindowExW(dialog, nullptr, WC_LISTVIEWW, nullptr);
    rows = list ? ListView_GetItemCount(list) : 0;
    ui::win32::testing::SaveScreen(ui::win32::testing::ScreenshotPath(L"busview.bmp"));
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  });
  EXPECT_TRUE(busview->ExecPlugin(0, HostServiceEntry::Pointer()));
  EXPECT_GE(rows, 2) << "the host bridge and the card at least";
}

TEST(PluginsWin32, DriveThermShowsAnIconPerSimulatedSmartDisk) {
  SetEnvironmentVariableW(CORVANE_SIMULATE_VARIABLE_W, L"1");
  platform::Win32PluginModules modules;
  std::unique_ptr<platform::PluginModule> drivetherm = modules.Load(kInstalled + L"drivetherm.dll");
  ASSERT_TRUE(drivetherm);
  ASSERT_TRUE(drivetherm->ExecPlugin(0, HostServiceEntry::Pointer()));
  const HWND window = FindWindowW(L"QRXPLGHDDT", nullptr);
  ASSERT_TRUE(window);
  // An icon exists exactly where the shell lets it be modified.
  auto hasIcon = [window](UINT id) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window;
    data.uID = id;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
  };
  EXPECT_TRUE(hasIcon(7564));
  EXPECT_TRUE(hasIcon(7565));
  EXPECT_FALSE(hasIcon(7566)) << "the third simulated disk has no S.M.A.R.T.";
  EXPECT_TRUE(drivetherm->ExecPlugin(0, HostServiceEntry::Pointer()));  // already running
  EXPECT_TRUE(drivetherm->Call(platform::PluginExport::DonePlugin));
  EXPECT_FALSE(IsWindow(window));
  SetEnvironmentVariableW(CORVANE_SIMULATE_VARIABLE_W, nullptr);
}

TEST(PluginsWin32, TheRunTimePluginsDialogListsTheInstalledOnes) {
  SimulatedHost host;
  platform::MessageWindow messageWindow;
  platform::Win32Clock clock{messageWindow};
  platform::Win32PluginModules modules;
  platform::Win32Registry registry;
  ui::win32::Win32FormRenderer renderer;
  const PluginHostContext context{modules, registry, 0, HostServiceEntry::Pointer(), kInstalled};
  TRPLList list(context);
  ASSERT_EQ(list.Count(), 2u);
  TfrmRunTimePL dialog(ui::FormContext{renderer, clock}, list);
  RunLater(300, [&] {
    dialog[L"lvPlugins"].UserSelect(0);
    ui::win32::testing::SaveScreen(ui::win32::testing::ScreenshotPath(L"plugins-runtime.bmp"));
    dialog[L"btClose"].Click();
  });
  EXPECT_EQ(dialog.ShowModal(), ui::TModalResult::Cancel);
}

}  // namespace
}  // namespace corvane::plugins
