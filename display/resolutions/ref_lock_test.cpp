#include <gtest/gtest.h>

#include "display/resolutions/ref_lock_form.h"
#include "platform/registry_values.h"
#include "platform/sim/clock_sim.h"
#include "platform/sim/hardware/sim_display_devices.h"
#include "platform/sim/registry_sim.h"
#include "platform/sim/user_interaction_sim.h"
#include "ui/form_renderer_sim.h"

namespace corvane::display {
namespace {

using platform::RegistryRoot;
using ui::TForm;

const std::wstring kRoot = L"\\P\\";

class RefLockTest : public ::testing::Test {
 protected:
  std::unique_ptr<platform::RegistryKey> LockKey(bool create = false) {
    return registry.OpenKey(RegistryRoot::CurrentUser, kRoot + L"ROV", create);
  }
  ui::TModalResult Run(std::function<void(TForm&)> script) {
    forms.OnModal(std::move(script));
    TfrmRefLock dialog({ui::FormContext{forms, clock}, user, registry, kRoot, catalogue, lockEnabled,
                        [this](bool enabled) { savedEnabled = enabled; }, L"C:\\Corvane\\support.dll"});
    return dialog.ShowModal();
  }
  std::vector<std::wstring> Stored() {
    std::vector<std::wstring> stored;
    auto key = LockKey();
    if (!key) return stored;
    for (const std::wstring& name : key->ValueNames())
      stored.push_back(name + L"=" + std::to_wstring(platform::ReadRegDword(*key, name).value_or(0)));
    return stored;
  }

  platform::SimRegistry registry;
  platform::sim::SimDisplayDevices displays{registry};  // 8/16/24/32 bits, 60/75/85 Hz
  TResClass catalogue{displays, L"\\\\.\\DISPLAY1"};
  platform::SimUserInteraction user;
  ui::SimFormRenderer forms;
  platform::SimClock clock;
  bool lockEnabled = false;
  std::optional<bool> savedEnabled;
};

TEST_F(RefLockTest, TheTableDropsZerosAndKeepsOneRowPerResolutionInSizeOrder) {
  auto key = LockKey(true);
  platform::WriteRegDword(*key, L"1280x1024x32", 75);
  platform::WriteRegDword(*key, L"800x600x16", 0);
  platform::WriteRegString(*key, L"640x480x8", L"60");  // not a DWORD
  platform::WriteRegDword(*key, L"1024x768x32", 60);
  RefreshLockTable table = RefreshLockTable::Load(registry, kRoot);
  EXPECT_EQ(table.Rows(), (std::vector<LockRow>{{L"1024x768x32", 60}, {L"1280x1024x32", 75}}));
  table.AddOrReplace(L"1024x768x32", 75);
  table.AddOrReplace(L"1024x768x32", 75);
  table.AddOrReplace(L"640x480x16", 85);
  EXPECT_EQ(table.Rows(),
            (std::vector<LockRow>{{L"640x480x16", 85}, {L"1024x768x32", 75}, {L"1280x1024x32", 75}}));
  table.Save(registry, kRoot);
  EXPECT_EQ(Stored(), (std::vector<std::wstring>{L"640x480x16=85", L"1024x768x32=75", L"1280x1024x32=75"}));
}

TEST_F(RefLockTest, EditingTheTableInTheDialog) {
  auto key = LockKey(true);
  platform::WriteRegDword(*key, L"1600x1200x32", 0);
  platform::WriteRegDword(*key, L"800x600x32", 60);
  EXPECT_EQ(Run([&](TForm& form) {
              EXPECT_EQ(form.Caption(), L"定制锁定刷新率");
              EXPECT_EQ(form[L"btRemoveAll"].GetPicture().resource, L"ALLDEL");
              EXPECT_EQ(form[L"btAdd"].GetPicture().module, L"C:\\Corvane\\support.dll");
              EXPECT_EQ(form[L"lvRes"].Items(), std::vector<std::wstring>{L"800x600x32\t60"});
              EXPECT_EQ(form[L"cbRes"].Text(), L"640x480x8");
              EXPECT_EQ(form[L"cbFreq"].Text(), L"85");

              form[L"cbRes"].UserSelect(catalogue.Find(1024, 768, 32));
              EXPECT_EQ(form[L"cbFreq"].Items(), (std::vector<std::wstring>{L"60", L"75", L"85"}));
              form[L"cbFreq"].UserSetText(L" 75 ");
              form[L"btAdd"].Click();
              EXPECT_TRUE(form.UserPressAlt(L'a'));  // Alt+A adds too: still one row
              EXPECT_EQ(form[L"lvRes"].Items(),
                        (std::vector<std::wstring>{L"800x600x32\t60", L"1024x768x32\t75"}));

              // Not a number: refused. Not a listed rate: only with Yes.
              form[L"cbFreq"].UserSetText(L"7x");
              form[L"btAdd"].Click();
              EXPECT_EQ(user.History().back().request.text, L"错误的垂直刷新率");
              form[L"cbFreq"].UserSetText(L"100");
              user.Answer(platform::MessageAnswer::No);
              form[L"btAdd"].Click();
              EXPECT_EQ(user.History().back().request.caption, L"警告!");
              EXPECT_EQ(form[L"lvRes"].Items()[1], L"1024x768x32\t75");
              user.Answer(platform::MessageAnswer::Yes);
              form[L"btAdd"].Click();
              EXPECT_EQ(form[L"lvRes"].Items()[1], L"1024x768x32\t100");

              // Double-clicking a row puts it back into the boxes; removing it.
              form[L"lvRes"].UserDoubleClick(0);
              EXPECT_EQ(form[L"cbRes"].Text(), L"800x600x32");
              EXPECT_EQ(form[L"cbFreq"].Text(), L"60");
              EXPECT_TRUE(form[L"btRemove"].Enabled());
              EXPECT_TRUE(form.UserPressAlt(L'D'));
              EXPECT_FALSE(form.UserPressAlt(L'D'));  // nothing selected any more
              EXPECT_FALSE(form.UserPressAlt(L'Q'));
              EXPECT_EQ(form[L"lvRes"].Items(), std::vector<std::wstring>{L"1024x768x32\t100"});
              form[L"cbEnabled"].Click();
              form[L"btOk"].Click();
            }),
            ui::TModalResult::Ok);
  EXPECT_EQ(savedEnabled, true);
  EXPECT_EQ(Stored(), std::vector<std::wstring>{L"1024x768x32=100"});  // the 0 value is gone

  // Add all, remove all, and Cancel writes nothing.
  Run([&](TForm& form) {
    form[L"btAddAll"].Click();
    EXPECT_EQ(form[L"lvRes"].Items().size(), static_cast<size_t>(catalogue.Count()));
    EXPECT_EQ(form[L"lvRes"].Items().front(), L"640x480x8\t85");
    form[L"btRemoveAll"].Click();
    EXPECT_TRUE(form[L"lvRes"].Items().empty());
    EXPECT_FALSE(form[L"btRemoveAll"].Enabled());
    form[L"btCancel"].Click();
  });
  EXPECT_EQ(Stored(), std::vector<std::wstring>{L"1024x768x32=100"});
}

}  // namespace
}  // namespace corvane::display
