#include <gtest/gtest.h>

#include "platform/registry_values.h"
#include "platform/sim/clock_sim.h"
#include "platform/sim/registry_sim.h"
#include "platform/sim/user_interaction_sim.h"
#include "plugins/busconf/bus_conf_forms.h"
#include "plugins/busconf/bus_conf_plugin.h"
#include "plugins/busconf/bus_settings.h"
#include "plugins/host/simulated_host_test_support.h"
#include "ui/form_renderer_sim.h"

namespace corvane::busconf {
namespace {

using platform::RegistryRoot;

void Store(platform::Registry& registry, std::initializer_list<const wchar_t*> names) {
  auto key = registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, true);
  for (const wchar_t* name : names) platform::WriteRegString(*key, name, L"");
}

std::vector<std::wstring> StoredNames(platform::Registry& registry) {
  auto key = registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, false);
  return key ? key->ValueNames() : std::vector<std::wstring>{};
}

TEST(BusConfSettings, ValueNamesParseOnlyWhenEveryFieldFits) {
  const struct {
    const wchar_t* name;
    std::optional<BusSetting> parsed;
  } cases[] = {
      {L"1-0-0-12-0-64", BusSetting{1, 0, 0, 12, Width::Byte, 64}},
      {L"0-31-7-255-2-4294967295", BusSetting{0, 31, 7, 255, Width::Dword, 0xFFFFFFFF}},
      {L"1-0-0-12-1-70000", BusSetting{1, 0, 0, 12, Width::Word, 70000 & 0xFFFF}},  // cut to the width
      {L"1-0-0-12-3-1", std::nullopt},   // code 27 would be a card read, not a write
      {L"256-0-0-12-0-1", std::nullopt},
      {L"1-0-0-12-0-4294967296", std::nullopt},
      {L"1-0-0-12-0", std::nullopt},
      {L"1-0-0-12-0-64x", std::nullopt},
      {L"1-0-0--12-0-64", std::nullopt},
      {L"-1-0-0-12-0-64", std::nullopt},
      {L"", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseSettingName(c.name), c.parsed) << std::wstring(c.name).size();
    if (c.parsed) {
      EXPECT_EQ(ParseSettingName(SettingName(*c.parsed)), c.parsed);
    }
  }
  EXPECT_EQ(ValueText({1, 0, 0, 12, Width::Word, 0x1170}), L"1170");
  EXPECT_EQ(ValueText({1, 0, 0, 12, Width::Byte, 0x40}), L"40");
}

TEST(BusConfPlugin, AppliesAtItsOneStartAndAtEveryResumeSkippingUnreadableNames) {
  plugins::testing::SimulatedHost host;
  platform::SimRegistry registry;
  Store(registry, {L"garbage", L"1-0-0-12-0-64", L"1-0-0-12-9-1"});
  BusConfPlugin plugin(registry);

  plugin.SuspendRestore();  // not started: nothing to apply through
  EXPECT_NE(host.rvx->CardConfigRead8(0x0C), 0x40);
  plugin.Exec(0x77, host.service);
  EXPECT_EQ(host.rvx->CardConfigRead8(0x0C), 0x40);
  EXPECT_EQ(plugin.Owner(), 0x77u);

  host.rvx->PciWrite8(1, 0, 0, 0x0C, 0x00);
  plugin.SuspendRestore();
  EXPECT_EQ(host.rvx->CardConfigRead8(0x0C), 0x40);

  // Started once per process: after done_plugin a new exec_plugin applies nothing.
  host.rvx->PciWrite8(1, 0, 0, 0x0C, 0x00);
  plugin.Done();
  plugin.Exec(0x77, host.service);
  EXPECT_EQ(host.rvx->CardConfigRead8(0x0C), 0x00);
}

struct DialogRig {
  platform::SimRegistry registry;
  platform::SimUserInteraction user;
  ui::SimFormRenderer renderer;
  platform::SimClock clock;

  ui::TModalResult Show(std::function<void(ui::TForm&)> play) {
    renderer.OnModal(std::move(play));
    TfrmBusConf dialog(ui::FormContext{renderer, clock}, registry, user);
    return dialog.ShowModal();
  }
  // The user fills the entry dialog and presses OK.
  void Entry(int bus, const wchar_t* reg, int width, const wchar_t* value) {
    renderer.OnModal([=](ui::TForm& form) {
      form[L"cbBus"].UserSelect(bus);
      form[L"edRegister"].UserSetText(reg);
      form[L"cbWidth"].UserSelect(width);
      form[L"edValue"].UserSetText(value);
      form[L"btOk"].Click();
    });
  }
};

TEST(BusConfDialog, AddingAListedRegisterReplacesItsRowAndOkSavesTheList) {
  DialogRig rig;
  Store(rig.registry, {L"1-0-0-12-0-64", L"0-0-0-80-2-1"});
  rig.Show([&](ui::TForm& form) {
    ui::TComponent& list = form[L"lvSettings"];
    ASSERT_EQ(list.Items().size(), 2u);
    EXPECT_EQ(ui::SplitCells(list.Items()[0]),
              (std::vector<std::wstring>{L"01", L"00", L"00", L"0C", L"字节", L"40"}));
    rig.Entry(1, L"0c", 1, L"12345");
    form[L"btAdd"].Click();
    ASSERT_EQ(list.Items().size(), 2u);
    EXPECT_EQ(ui::SplitCells(list.Items()[0])[4], L"单字");
    EXPECT_EQ(ui::SplitCells(list.Items()[0])[5], L"2345");

    rig.Entry(2, L"44", 0, L"1FF");
    form[L"btAdd"].Click();
    EXPECT_EQ(ui::SplitCells(list.Items()[2])[5], L"FF");
    form[L"btOk"].Click();
  });
  EXPECT_EQ(StoredNames(rig.registry),
            (std::vector<std::wstring>{L"1-0-0-12-1-9029", L"0-0-0-80-2-1", L"2-0-0-68-0-255"}));
}

TEST(BusConfDialog, ZeroOrNonHexFieldsAreRefusedAndCancelKeepsTheStoredList) {
  DialogRig rig;
  Store(rig.registry, {L"1-0-0-12-0-64"});
  rig.Show([&](ui::TForm& form) {
    rig.renderer.OnModal([&](ui::TForm& entry) {
      for (const wchar_t* reg : {L"", L"0", L"zz", L"123456789"}) {
        entry[L"edRegister"].UserSetText(reg);
        entry[L"edValue"].UserSetText(L"1");
        entry[L"btOk"].Click();
        EXPECT_EQ(entry.ModalResult(), ui::TModalResult::None) << reg;
      }
      entry[L"edRegister"].UserSetText(L"10");
      entry[L"edValue"].UserSetText(L"0");
      entry[L"btOk"].Click();
      EXPECT_EQ(entry.ModalResult(), ui::TModalResult::None);
      entry[L"btCancel"].Click();
    });
    form[L"btAdd"].Click();
    EXPECT_EQ(rig.user.History().size(), 5u);
    EXPECT_EQ(rig.user.History()[0].request.text, L"无效的16进制值!");

    form[L"lvSettings"].UserSelect(0);
    rig.user.Answer(platform::MessageAnswer::Cancel);
    form[L"btDelete"].Click();
    EXPECT_EQ(form[L"lvSettings"].Items().size(), 1u);
    rig.user.Answer(platform::MessageAnswer::Ok);
    form[L"btDelete"].Click();
    EXPECT_TRUE(form[L"lvSettings"].Items().empty());
    form[L"btCancel"].Click();
  });
  EXPECT_EQ(StoredNames(rig.registry), std::vector<std::wstring>{L"1-0-0-12-0-64"});
}

}  // namespace
}  // namespace corvane::busconf
