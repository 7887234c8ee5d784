// The profile items of the tray menu are kept between popups: another program's edits
// (regedit, a restored backup) still show at the next popup, and a popup after no change
// opens no profile key.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "app/menus/menus_test_support.h"
#include "hardware/overclocking/profile_store.h"
#include "platform/counting_registry.h"

namespace corvane::menus {
namespace {

using platform::RegistryRoot;
using Names = std::vector<std::wstring>;

// Remembers the keys opened through it: nothing of a profile is read without opening a key.
class OpenedKeys final : public platform::Registry {
 public:
  explicit OpenedKeys(platform::Registry& inner) : inner_(inner) {}
  std::unique_ptr<platform::RegistryKey> OpenKey(RegistryRoot root, const std::wstring& path, bool create) override {
    paths.push_back(path);
    return inner_.OpenKey(root, path, create);
  }
  bool DeleteKey(RegistryRoot root, const std::wstring& path) override { return inner_.DeleteKey(root, path); }
  std::unique_ptr<platform::RegistryWatch> WatchKey(RegistryRoot root, const std::wstring& path) override {
    return inner_.WatchKey(root, path);
  }
  // The opened keys of the profiles the menu lists, their roots included, as
  // "KIND" or "KIND\NAME".
  Names ProfileKeys() const {
    Names out;
    for (const std::wstring& path : paths)
      if (path.starts_with(global::ProfilesRoot)) {
        std::wstring rest = path.substr(global::ProfilesRoot.size());
        for (const wchar_t* kind : {L"Games", L"over", L"Display", L"colors"})
          if (rest == kind || rest.starts_with(std::wstring(kind) + L"\\")) out.push_back(rest);
      }
    return out;
  }
  Names paths;

 private:
  platform::Registry& inner_;
};

struct WatchedRig : testing::MenuRig {
  WatchedRig() {
    rvx->ReadClocks();
    core = rvx->CoreClock;
    AddGame(L"Alpha", L"C:\\a.exe");
    AddGame(L"Beta", L"C:\\b.exe");
    AddOver(L"Fast", core + 50);
    AddOver(L"Stock", core);
    Profile(L"Display", L"Clone");
    Profile(L"Display", L"TV");
    platform::WriteRegString(*Colors(), L"Warm", L"1");
  }
  void AddGame(const std::wstring& name, const std::wstring& file) {
    platform::WriteRegString(*Profile(L"Games", name), L"File", file);
  }
  void AddOver(const std::wstring& name, double vpu) {
    auto key = Profile(L"over", name);
    platform::WriteRegDouble(*key, L"vpu", vpu);
    platform::WriteRegDouble(*key, L"mem", rvx->MemClock);
    for (const wchar_t* timing : {L"t1", L"t2", L"t3"}) platform::WriteRegDouble(*key, timing, 0);
  }
  std::unique_ptr<platform::RegistryKey> Colors() {
    return Key(RegistryRoot::CurrentUser, global::ProfilesRoot + L"colors");
  }
  void Delete(const std::wstring& kind, const std::wstring& name) {
    sim.registry.DeleteKey(RegistryRoot::CurrentUser, global::ProfilesRoot + kind + L"\\" + name);
  }
  TrayMenus& Watched() {
    if (!watched) watched = std::make_unique<TrayMenus>(Context(ports));
    return *watched;
  }
  // What the menus show: the items of each kind and the checked overclocking profile.
  Names Shown() {
    Names shown;
    ui::TPopupMenu& pm1 = Watched().pm1;
    auto items = [&](const wchar_t* menu, size_t from, const wchar_t* label) {
      ui::TMenuItem& parent = pm1.Item(menu);
      for (size_t i = from; i < parent.Count(); ++i) {
        std::wstring caption = parent[i].Caption;
        if (label == std::wstring(L"over")) caption = overclocking::ProfileNameFromEntry(caption);
        if (parent[i].Checked) caption += L" (checked)";
        shown.push_back(std::wstring(label) + L": " + caption);
      }
    };
    items(L"GameProfiles1", 2, L"game");
    items(L"Overclocking1", 4, L"over");
    items(L"Display1", 9, L"display");
    items(L"Colors1", 2, L"color");
    for (const std::wstring& line : lookup) shown.push_back(L"lookup: " + line.substr(0, line.find(L'\x13')));
    return shown;
  }

  OpenedKeys opened{sim.registry};
  platform::Ports ports{opened,         sim.iniFiles, sim.namedObjects, sim.windowMessages,
                        sim.threading,  sim.dispatcher, sim.clock,      sim.user,
                        sim.displayDevices, sim.shell, sim.notifyIcon,  sim.desktopIcons};
  std::unique_ptr<TrayMenus> watched;
  double core = 0;
};

// What every case starts from.
const Names kBefore = {L"game: Alpha",    L"game: Beta",  L"over: Fast",  L"over: Stock (checked)",
                       L"display: Clone", L"display: TV", L"color: Warm", L"lookup: C:\\A.EXE",
                       L"lookup: C:\\B.EXE"};

void Replace(Names& names, const std::wstring& from, const std::wstring& to) {
  std::replace(names.begin(), names.end(), from, to);
}
void Remove(Names& names, const std::wstring& which) { std::erase(names, which); }
void InsertBefore(Names& names, const std::wstring& before, const std::wstring& what) {
  names.insert(std::find(names.begin(), names.end(), before), what);
}

TEST(ProfileItemsWatch, APopupShowsEveryOutsideChangeReadingOnlyWhatChanged) {
  struct Case {
    const char* what;
    std::function<void(WatchedRig&)> change;
    std::function<void(Names&)> expect;  // applied to kBefore
    Names opened;                        // the profile keys the popup after the change opens
  };
  const Case cases[] = {
      {"game added", [](WatchedRig& r) { r.AddGame(L"Gamma", L"C:\\c.exe"); },
       [](Names& n) {
         InsertBefore(n, L"over: Fast", L"game: Gamma");
         n.push_back(L"lookup: C:\\C.EXE");
       },
       {L"Games", L"Games\\Gamma"}},
      {"game renamed",
       [](WatchedRig& r) {
         r.AddGame(L"Zeta", L"C:\\b.exe");
         r.Delete(L"Games", L"Beta");
       },
       [](Names& n) { Replace(n, L"game: Beta", L"game: Zeta"); }, {L"Games", L"Games\\Zeta"}},
      {"game deleted", [](WatchedRig& r) { r.Delete(L"Games", L"Beta"); },
       [](Names& n) {
         Remove(n, L"game: Beta");
         Remove(n, L"lookup: C:\\B.EXE");
       },
       {L"Games"}},
      {"game's file edited", [](WatchedRig& r) { r.AddGame(L"Alpha", L"D:\\new.exe"); },
       [](Names& n) { Replace(n, L"lookup: C:\\A.EXE", L"lookup: D:\\NEW.EXE"); }, {L"Games", L"Games\\Alpha"}},
      {"overclocking profile added", [](WatchedRig& r) { r.AddOver(L"Boost", r.core + 100); },
       [](Names& n) { InsertBefore(n, L"display: Clone", L"over: Boost"); }, {L"over", L"over\\Boost"}},
      {"overclocking profile renamed",
       [](WatchedRig& r) {
         r.AddOver(L"Turbo", r.core + 50);
         r.Delete(L"over", L"Fast");
       },
       [](Names& n) {
         Remove(n, L"over: Fast");
         InsertBefore(n, L"display: Clone", L"over: Turbo");
       },
       {L"over", L"over\\Turbo"}},
      {"overclocking profile deleted", [](WatchedRig& r) { r.Delete(L"over", L"Stock"); },
       [](Names& n) { Remove(n, L"over: Stock (checked)"); }, {L"over"}},
      {"overclocking profile's clock edited",
       [](WatchedRig& r) { platform::WriteRegDouble(*r.Profile(L"over", L"Fast"), L"vpu", r.core); },
       [](Names& n) {
         Replace(n, L"over: Fast", L"over: Fast (checked)");
         Replace(n, L"over: Stock (checked)", L"over: Stock");
       },
       {L"over", L"over\\Fast"}},
      {"display profile added", [](WatchedRig& r) { r.Profile(L"Display", L"Wide"); },
       [](Names& n) { InsertBefore(n, L"color: Warm", L"display: Wide"); }, {L"Display"}},
      {"display profile renamed",
       [](WatchedRig& r) {
         r.Profile(L"Display", L"Beamer");
         r.Delete(L"Display", L"TV");
       },
       [](Names& n) {
         Remove(n, L"display: TV");
         InsertBefore(n, L"display: Clone", L"display: Beamer");
       },
       {L"Display"}},
      {"display profile deleted", [](WatchedRig& r) { r.Delete(L"Display", L"Clone"); },
       [](Names& n) { Remove(n, L"display: Clone"); }, {L"Display"}},
      // Only the names show: the list is taken again, nothing else is read.
      {"display profile's value edited",
       [](WatchedRig& r) { platform::WriteRegString(*r.Profile(L"Display", L"TV"), L"Layout", L"2"); },
       [](Names&) {}, {L"Display"}},
      {"colour profile added", [](WatchedRig& r) { platform::WriteRegString(*r.Colors(), L"Cool", L"2"); },
       [](Names& n) { InsertBefore(n, L"lookup: C:\\A.EXE", L"color: Cool"); }, {L"colors"}},
      {"colour profile deleted", [](WatchedRig& r) { r.Colors()->DeleteValue(L"Warm"); },
       [](Names& n) { Remove(n, L"color: Warm"); }, {L"colors"}},
  };
  for (const Case& c : cases) {
    WatchedRig rig;
    rig.Watched().RefreshMenuState();
    ASSERT_EQ(rig.Shown(), kBefore) << c.what;

    rig.opened.paths.clear();
    rig.Watched().RefreshMenuState();
    EXPECT_EQ(rig.opened.ProfileKeys(), Names{}) << "nothing changed yet: " << c.what;
    EXPECT_EQ(rig.Shown(), kBefore) << c.what;

    c.change(rig);
    rig.opened.paths.clear();
    rig.Watched().RefreshMenuState();
    Names expected = kBefore;
    c.expect(expected);
    EXPECT_EQ(rig.Shown(), expected) << c.what;
    EXPECT_EQ(rig.opened.ProfileKeys(), c.opened) << c.what;
  }
}

}  // namespace
}  // namespace corvane::menus
