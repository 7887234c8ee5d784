// The six profile dialogs opened from the tray: "导出..." writes the selected profile to the
// chosen file, "导入..." brings it back after it was deleted.

#include "app/main_form_test_support.h"
#include "platform/sim/whole_file_sim.h"
#include "platform/text_encoding.h"

namespace corvane::main_form_testing {
namespace {

settings::StoredProfileKind KindOf(const std::wstring& key) {
  using K = settings::StoredProfileKind;
  for (K kind : {K::Direct3D, K::OpenGL, K::Overclocking, K::Color, K::Display, K::Game})
    if (settings::StoredProfileKindName(kind) == key) return kind;
  return K::Game;
}

class ProfileDialogsTest : public MainFormTest {
 protected:
  platform::SimFiles files;

  ProgramEnvironment WithFiles() {
    ProgramEnvironment environment = Environment();
    environment.openFile = [this](const std::wstring& path) { return files.Open(path); };
    return environment;
  }
};

TEST_F(ProfileDialogsTest, EveryProfileDialogExportsTheSelectedProfileAndImportsItBack) {
  struct Case {
    const wchar_t* menuItem;
    const wchar_t* list;
    const wchar_t* close;
    std::wstring kind;
  };
  const Case cases[] = {
      {L"Settings1", L"cbTemplates", L"btCancel", L"d3d"}, {L"Settings2", L"cbTemplates", L"btCancel", L"ogl"},
      {L"Overcloking1", L"lbxProfiles", L"btCancel", L"over"}, {L"Settings5", L"cbTemplates", L"btCancel", L"colors"},
      {L"Settings7", L"cbProfiles", L"btCancel", L"Display"}, {L"MPG1", L"cbGames", L"btClose", L"Games"},
  };
  for (const Case& c : cases) {
    auto root = sim.registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + c.kind, true);
    if (c.kind == L"colors") {
      platform::WriteRegBinary(*root, L"P", std::vector<uint8_t>(36, 1));
    } else {
      auto key = sim.registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + c.kind + L"\\P", true);
      platform::WriteRegString(*key, L"File", L"C:\\g.exe");
      platform::WriteRegDword(*key, L"UseD3D", 1);
      platform::WriteRegDouble(*key, L"vpu", 400);
    }
  }
  const ProgramEnvironment environment = WithFiles();
  TfrmMainQRX form(environment, window, false);
  ASSERT_TRUE(form.FormCreate());

  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    const std::wstring path = L"C:\\exported\\" + c.kind + L".cvp";
    const settings::StoredProfileKind kind = KindOf(c.kind);
    auto clickIn = [&](const wchar_t* button) {
      window.forms.OnModal([&](ui::TForm& dialog) {
        // The overclocking dialog keeps its profiles on a page of their own.
        if (c.kind == L"over") dialog[L"pcMain"].SetActivePage(L"tsProfiles");
        dialog[c.list].UserSelect(0);
        dialog[button].Click();
        dialog[c.close].Click();
      });
      sim.user.ChooseFile(path);
      form.TrayMenus()->pm1.Item(c.menuItem).Click();
    };
    clickIn(L"btExport");
    // As exported: the game dialog fills in the restore flags a profile lacks when it shows one.
    const std::optional<settings::ProfileFile> original =
        settings::ReadStoredProfile(sim.registry, global::ProfilesRoot, kind, L"P");
    ASSERT_TRUE(original);
    ASSERT_TRUE(files[path].contents);
    EXPECT_EQ(files[path].contents->rfind("Corvane profile 1\nkind\t" + platform::ToUtf8(c.kind) + "\nname\tP\n", 0), 0u);

    const std::wstring profile = global::ProfilesRoot + c.kind + L"\\P";
    if (c.kind == L"colors")
      sim.registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + c.kind, false)->DeleteValue(L"P");
    else
      sim.registry.DeleteKey(RegistryRoot::CurrentUser, profile);
    clickIn(L"btImport");
    EXPECT_EQ(settings::ReadStoredProfile(sim.registry, global::ProfilesRoot, kind, L"P"), original)
        << "the same values with the same types";
  }
  EXPECT_TRUE(sim.user.History().empty()) << "nothing refused or asked";
  EXPECT_EQ(sim.user.UnusedAnswers(), 0u);
}

}  // namespace
}  // namespace corvane::main_form_testing
