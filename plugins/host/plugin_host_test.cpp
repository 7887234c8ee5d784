#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "plugins/host/host_service_entry.h"
#include "plugins/host/menu_plugins.h"
#include "plugins/host/plugin_host_test_support.h"
#include "plugins/host/rpl_list.h"

namespace corvane::plugins {
namespace {

using platform::PluginExport;
using platform::SimPlugin;
using testing::PluginRig;

std::vector<std::wstring> MenuNames(const MenuPlugins& menu) {
  std::vector<std::wstring> names;
  for (const MenuPluginEntry& entry : menu.Entries()) names.push_back(entry.name);
  return names;
}

std::vector<std::wstring> RunTimeFiles(const TRPLList& list) {
  std::vector<std::wstring> files;
  for (size_t i = 0; i < list.Count(); ++i) files.push_back(list[i].FileName());
  return files;
}

// A folder with good plug-ins of both kinds and every way a library can be unusable.
TEST(PluginScan, EachKindGoesOnlyToItsOwnListAndUnusableLibrariesAreSkipped) {
  PluginRig rig;
  rig.Add(L"busview.dll", "PCI 信息", CORVANE_PLUGIN_MENU);
  rig.Add(L"aardvark.dll", "aardvark", CORVANE_PLUGIN_MENU);
  rig.Add(L"drivetherm.dll", "磁盘温度", CORVANE_PLUGIN_RUNTIME);
  rig.Add(L"BusConf.DLL", "PCI 设置插件", CORVANE_PLUGIN_RUNTIME);
  rig.Add(L"twin.dll", "PCI 信息", CORVANE_PLUGIN_MENU);  // same name: the first found stays

  SimPlugin wrongMagic;
  wrongMagic.getPlugInfo = [](PluginInfo& info) {
    SimPlugin::Record("magic", CORVANE_PLUGIN_MENU)(info);
    info.magic = 0x4C585251;  // the bytes the other way round
  };
  rig.Put(L"magic.dll", wrongMagic);
  rig.Add(L"kind2.dll", "kind 2", 2);
  SimPlugin unterminated;
  unterminated.getPlugInfo = [](PluginInfo& info) {
    SimPlugin::Record("", CORVANE_PLUGIN_MENU)(info);
    std::memset(info.name, 'A', sizeof info.name);
  };
  rig.Put(L"unterminated.dll", unterminated);
  SimPlugin raises;
  raises.getPlugInfo = [](PluginInfo&) { throw std::runtime_error("access violation"); };
  raises.execPlugin = [](platform::WindowHandle, HostService) {};
  rig.Put(L"raises.dll", raises);
  SimPlugin noInfo;
  noInfo.execPlugin = [](platform::WindowHandle, HostService) {};
  rig.Put(L"noinfo.dll", noInfo);
  SimPlugin broken = rig.Add(L"broken.dll", "broken", CORVANE_PLUGIN_RUNTIME);
  broken.loads = false;
  rig.Put(L"broken.dll", broken);
  rig.modules.Register(L"C:\\Corvane\\elsewhere.dll", rig.plugins[L"busview.dll"]);
  rig.modules.Register(L"C:\\Corvane\\plugins\\readme.txt", rig.plugins[L"busview.dll"]);

  TRPLList runTime(rig.context);
  MenuPlugins menu(rig.context, rig.user);
  menu.Scan();

  EXPECT_EQ(MenuNames(menu), (std::vector<std::wstring>{L"aardvark", L"PCI 信息"}));
  EXPECT_EQ(menu.Entries()[1].path, L"C:\\Corvane\\plugins\\busview.dll");
  EXPECT_EQ(RunTimeFiles(runTime), (std::vector<std::wstring>{L"BusConf.DLL", L"drivetherm.dll"}));
  EXPECT_EQ(runTime[1].Name(), L"磁盘温度");
  // Only the run-time plug-ins stay loaded; every probe was unloaded again.
  EXPECT_EQ(rig.modules.LoadedNow(), 2u);
  EXPECT_TRUE(rig.user.History().empty());
}

TEST(PluginScan, AnEmptyOrMissingFolderGivesEmptyLists) {
  PluginRig rig;
  TRPLList runTime(rig.context);
  MenuPlugins menu(rig.context, rig.user);
  menu.Scan();
  ui::TMenuItem plugins1;
  menu.AddMenuItems(plugins1);
  EXPECT_EQ(runTime.Count(), 0u);
  EXPECT_EQ(plugins1.Count(), 0u);
}

TEST(MenuPlugin, RunsWithTheOwnerAndServiceOneAtATimeAndIsUnloadedAfterwards) {
  PluginRig rig;
  MenuPlugins* menuPtr = nullptr;
  std::vector<std::pair<platform::WindowHandle, HostService>> runs;
  size_t loadedDuringRun = 0;
  SimPlugin& viewer = rig.Add(L"busview.dll", "PCI 信息", CORVANE_PLUGIN_MENU);
  viewer.execPlugin = [&](platform::WindowHandle owner, HostService service) {
    runs.emplace_back(owner, service);
    loadedDuringRun = rig.modules.LoadedNow();
    // Picked again while its window is open: nothing happens.
    menuPtr->Run(0);
    throw std::runtime_error("the plug-in fails on its way out");
  };
  rig.Update(L"busview.dll");
  SimPlugin noExec;
  noExec.getPlugInfo = SimPlugin::Record("没有功能", CORVANE_PLUGIN_MENU);
  rig.Put(L"noexec.dll", noExec);

  MenuPlugins menu(rig.context, rig.user);
  menuPtr = &menu;
  menu.Scan();
  ui::TMenuItem plugins1;
  menu.AddMenuItems(plugins1);
  ASSERT_EQ(plugins1.Count(), 2u);
  EXPECT_EQ(plugins1[0].Caption, L"PCI 信息");
  EXPECT_EQ(plugins1[1].Tag, 1);

  plugins1[0].Click();
  plugins1[0].Click();  // the raised exception left the host ready for the next run
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].first, testing::kOwner);
  EXPECT_EQ(runs[0].second, &testing::NoService);
  EXPECT_EQ(loadedDuringRun, 1u);
  EXPECT_EQ(rig.modules.LoadedNow(), 0u);
  EXPECT_FALSE(menu.Running());
  EXPECT_TRUE(rig.user.History().empty());

  plugins1[1].Click();
  ASSERT_EQ(rig.user.History().size(), 1u);
  EXPECT_EQ(rig.user.History()[0].request.text, L"运行插件出错! 未发现插件功能!");
  EXPECT_EQ(rig.user.History()[0].request.caption, L"错误");
  EXPECT_EQ(plugins1.Count(), 2u);
}

TEST(RunTimePlugin, StartsAtLoadOnlyWhenEnabledAndIsStoppedAndUnloadedWithTheList) {
  PluginRig rig;
  rig.Add(L"a.dll", "a", CORVANE_PLUGIN_RUNTIME);
  rig.Add(L"b.dll", "b", CORVANE_PLUGIN_RUNTIME);
  rig.Add(L"c.dll", "c", CORVANE_PLUGIN_RUNTIME);
  rig.SetEnabled(L"a.dll", 1);
  rig.SetEnabled(L"b.dll", 2);  // only 1 is enabled
  {
    auto key = rig.registry.OpenKey(platform::RegistryRoot::CurrentUser, global::ProfilesRoot + L"rtpl\\c.dll", true);
    platform::WriteRegString(*key, L"enabled", L"1");  // not an integer: disabled
  }
  {
    TRPLList list(rig.context);
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_TRUE(list[0].Running());
    EXPECT_FALSE(list[1].Running());
    EXPECT_FALSE(list[2].Running());
    EXPECT_EQ(rig.Calls(L"a.dll", PluginExport::ExecPlugin), 1u);
    EXPECT_EQ(rig.Calls(L"b.dll", PluginExport::ExecPlugin), 0u);

    list.SuspendRestoreAll();
    EXPECT_EQ(rig.Calls(L"b.dll", PluginExport::SuspendRestore), 1u);
    EXPECT_EQ(list.Find(L"A.DLL"), &list[0]);
    EXPECT_EQ(list.Find(L"d.dll"), nullptr);
  }
  // Only the running one was told to end; all were unloaded.
  EXPECT_EQ(rig.Calls(L"a.dll", PluginExport::DonePlugin), 1u);
  EXPECT_EQ(rig.Calls(L"b.dll", PluginExport::DonePlugin), 0u);
  EXPECT_EQ(rig.modules.LoadedNow(), 0u);
}

TEST(RunTimePlugin, ACallThatRaisesLeavesTheStateAsItWasAndMissingExportsAreNotCalled) {
  PluginRig rig;
  bool failStart = true;
  bool failStop = true;
  SimPlugin& flaky = rig.Add(L"flaky.dll", "flaky", CORVANE_PLUGIN_RUNTIME);
  flaky.execPlugin = [&](platform::WindowHandle, HostService) {
    if (failStart) throw std::runtime_error("start");
  };
  flaky.donePlugin = [&] {
    if (failStop) throw 42;
  };
  flaky.configPlugin = nullptr;
  flaky.suspendRestore = [] { throw std::logic_error("resume"); };
  rig.Update(L"flaky.dll");
  rig.SetEnabled(L"flaky.dll", 1);

  TRPLList list(rig.context);
  TRunTimePlugin& plugin = list[0];
  EXPECT_FALSE(plugin.Running());
  failStart = false;
  plugin.Start();
  EXPECT_TRUE(plugin.Running());
  plugin.Stop();
  EXPECT_TRUE(plugin.Running());
  plugin.Configure();
  list.SuspendRestoreAll();
  EXPECT_EQ(rig.Calls(L"flaky.dll", PluginExport::ConfigPlugin), 0u);
  failStop = false;
  plugin.Stop();
  EXPECT_FALSE(plugin.Running());
}

TEST(RunTimePlugin, ALibraryThatDoesNotLoadStaysUnloadedAndNeverStarts) {
  PluginRig rig;
  rig.Add(L"gone.dll", "gone", CORVANE_PLUGIN_RUNTIME).loads = false;
  rig.Update(L"gone.dll");
  rig.SetEnabled(L"gone.dll", 1);
  TRunTimePlugin plugin(rig.context, testing::kFolder + L"gone.dll");
  plugin.Start();
  plugin.Configure();
  plugin.SuspendRestore();
  EXPECT_FALSE(plugin.Loaded());
  EXPECT_FALSE(plugin.Running());
  EXPECT_EQ(plugin.FileName(), L"gone.dll");
  EXPECT_TRUE(rig.modules.Calls().empty());
}

void CORVANE_PLUGIN_CALL Unused(uint32_t, const void*, void*) {}

TEST(HostServiceEntry, ServesItsContextWhileItLivesAndNothingAfterwards) {
  HostService service = HostServiceEntry::Pointer();
  uint32_t version = 0xEEEEEEEE;
  {
    HostServiceContext context;
    context.hostVersion = 0x00000001;
    HostServiceEntry entry(context);
    EXPECT_THROW(HostServiceEntry second(context), std::logic_error);
    service(CORVANE_HS_HOST_VERSION, nullptr, &version);
    EXPECT_EQ(version, 1u);
  }
  version = 0xEEEEEEEE;
  service(CORVANE_HS_HOST_VERSION, nullptr, &version);
  EXPECT_EQ(version, 0xEEEEEEEEu);
  EXPECT_NE(service, &Unused);
}

}  // namespace
}  // namespace corvane::plugins
