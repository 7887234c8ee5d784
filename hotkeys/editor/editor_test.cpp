#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "hotkeys/editor/action_tree.h"
#include "hotkeys/editor/edit_key_form.h"
#include "hotkeys/editor/hotkeys_form.h"
#include "hotkeys/editor/shortcut_text.h"
#include "platform/registry_values.h"
#include "platform/sim/clock_sim.h"
#include "platform/sim/registry_sim.h"
#include "platform/sim/user_interaction_sim.h"
#include "settings/global.h"
#include "settings/program_settings.h"
#include "ui/form_renderer_sim.h"

namespace corvane::hotkeys {
namespace {

using platform::RegistryRoot;
using ui::TForm;

constexpr uint16_t kCtrlF1 = 0x4000 | 0x70;
constexpr uint16_t kCtrlAltP = 0x4000 | 0x8000 | 'P';
constexpr uint16_t kShiftF5 = 0x2000 | 0x74;

using Stored = std::map<std::wstring, std::wstring>;

struct EditorRig {
  EditorRig() {
    auto over = registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"over\\Fast * quiet", true);
    platform::WriteRegDouble(*over, L"vpu", 400.0);
    platform::WriteRegDouble(*over, L"mem", 350.0);
    auto normal = registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"over\\Normal", true);
    platform::WriteRegDouble(*normal, L"vpu", 380.0);  // "mem" and the timings missing
    registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"d3d\\$$", true);
    registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"d3d\\Quality", true);
  }

  void Store(const Stored& values) {
    auto keys = registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"keys", true);
    for (const auto& [name, data] : values) platform::WriteRegString(*keys, name, data);
  }

  Stored Keys() {
    Stored values;
    auto keys = registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"keys", false);
    if (!keys) return {{L"<no key>", L""}};
    for (const std::wstring& name : keys->ValueNames()) values[name] = *platform::ReadRegString(*keys, name);
    return values;
  }

  HotkeyEditorContext Context() {
    return {{forms, clock}, registry, user, *reg1, global::ProfilesRoot, {}, 380.25, 339.75};
  }

  ui::TModalResult Run() {
    TfrmHotKeys dialog(Context());
    return dialog.ShowModal();
  }

  platform::SimRegistry registry;
  platform::SimUserInteraction user;
  ui::SimFormRenderer forms;
  platform::SimClock clock;
  std::unique_ptr<settings::TRegValues> reg1 = settings::CreateProgramSettings(registry);
};

int NodeOf(TForm& form, int action) {
  const auto& nodes = form[L"tv1"].Nodes();
  for (size_t i = 0; i < nodes.size(); ++i)
    if (nodes[i].data == action) return static_cast<int>(i);
  return -1;
}

// What the user does in TfrmEditKey: the key, the action, then the argument controls.
struct KeyInput {
  uint16_t key = 0;
  int action = -1;  // -1: leave the tree alone
  std::wstring profile{};
  std::wstring file{};
  std::wstring params{};
};

void Enter(TForm& form, const KeyInput& input) {
  if (input.key) form[L"hkKey"].UserSetPosition(input.key);
  if (input.action >= 0) form[L"tv1"].UserSelect(NodeOf(form, input.action));
  if (!input.profile.empty()) {
    const auto& items = form[L"cbProfile"].Items();
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i] == input.profile) form[L"cbProfile"].UserSelect(static_cast<int>(i));
  }
  if (!input.file.empty()) form[L"edFileName"].UserSetText(input.file);
  if (!input.params.empty()) form[L"edParam"].UserSetText(input.params);
  form[L"bt1"].Click();
}

struct EditorCase {
  const char* what;
  Stored before;
  // In the list dialog: which button (bt1 add, bt2 edit the row, bt3 delete it) and row.
  std::vector<std::pair<std::wstring, int>> clicks;
  std::vector<KeyInput> inputs;  // one per opened TfrmEditKey
  bool duplicateShown;
  Stored after;
};

TEST(HotkeyEditor, WritesTheListBackOnOk) {
  const EditorCase cases[] = {
      {"an application hotkey without parameters keeps the separator",
       {},
       {{L"bt1", -1}},
       {{.key = kCtrlAltP, .action = 3, .file = L"C:\\Games\\run.exe"}},
       false,
       {{L"s_" + std::to_wstring(kCtrlAltP), L"3:C:\\Games\\run.exe*"}}},
      {"an application hotkey with parameters",
       {},
       {{L"bt1", -1}},
       {{.key = kShiftF5, .action = 3, .file = L"C:\\a b\\x.exe", .params = L"-w 1"}},
       false,
       {{L"s_" + std::to_wstring(kShiftF5), L"3:C:\\a b\\x.exe*-w 1"}}},
      {"an overclocking profile whose name holds \" * \" is stored up to its first star",
       {},
       {{L"bt1", -1}},
       {{.key = kCtrlF1, .action = 2, .profile = L"Fast * quiet * 400:350  "}},
       false,
       {{L"s_" + std::to_wstring(kCtrlF1), L"2:Fast"}}},
      {"editing a row without changing its key is no duplicate",
       {{L"s_" + std::to_wstring(kCtrlF1), L"4:"}, {L"s_" + std::to_wstring(kShiftF5), L"13:"}},
       {{L"bt2", 0}},
       {{.action = 12}},
       false,
       {{L"s_" + std::to_wstring(kCtrlF1), L"12:"}, {L"s_" + std::to_wstring(kShiftF5), L"13:"}}},
      {"editing a row onto another row's key is refused",
       {{L"s_" + std::to_wstring(kCtrlF1), L"4:"}, {L"s_" + std::to_wstring(kShiftF5), L"13:"}},
       {{L"bt2", 0}},
       {{.key = kShiftF5}},
       true,
       {{L"s_" + std::to_wstring(kCtrlF1), L"4:"}, {L"s_" + std::to_wstring(kShiftF5), L"13:"}}},
      {"adding a key the list holds is refused",
       {{L"s_" + std::to_wstring(kCtrlF1), L"4:"}},
       {{L"bt1", -1}},
       {{.key = kCtrlF1, .action = 26}},
       true,
       {{L"s_" + std::to_wstring(kCtrlF1), L"4:"}}},
      {"a Direct3D profile: the launcher's backup is not offered, the first profile is",
       {},
       {{L"bt1", -1}},
       {{.key = kCtrlF1, .action = 0}},
       false,
       {{L"s_" + std::to_wstring(kCtrlF1), L"0:Quality"}}},
      {"deleting every row leaves an empty key",
       {{L"s_" + std::to_wstring(kCtrlF1), L"4:"}},
       {{L"bt3", 0}},
       {},
       false,
       {}},
  };
  for (const EditorCase& c : cases) {
    SCOPED_TRACE(c.what);
    EditorRig rig;
    rig.Store(c.before);
    for (const auto& click : c.clicks)
      if (click.first == L"bt3") rig.user.Answer(platform::MessageAnswer::Yes);
    rig.forms.OnModal([&](TForm& form) {
      for (const auto& [button, row] : c.clicks) {
        if (row >= 0) form[L"lv1"].UserSelect(row);
        form[button].Click();
      }
      form[L"btnOk"].Click();
    });
    for (const KeyInput& input : c.inputs)
      rig.forms.OnModal([input](TForm& form) {
        Enter(form, input);
        if (form.ModalResult() == ui::TModalResult::None) form[L"bt2"].Click();  // refused: cancel
      });
    EXPECT_EQ(rig.Run(), ui::TModalResult::Ok);
    EXPECT_EQ(rig.Keys(), c.after);
    bool duplicateShown = false;
    for (const auto& shown : rig.user.History()) duplicateShown |= shown.request.text == L"该热键已被使用!";
    EXPECT_EQ(duplicateShown, c.duplicateShown);
  }
}

TEST(HotkeyEditor, CancelLeavesTheTableAndTheSettingAlone) {
  EditorRig rig;
  rig.Store({{L"s_" + std::to_wstring(kCtrlF1), L"4:"}});
  rig.forms.OnModal([](TForm& form) {
    form[L"cb1"].Click();
    form[L"lv1"].UserSelect(0);
    form[L"bt3"].Click();
    form[L"btnCancel"].Click();
  });
  rig.user.Answer(platform::MessageAnswer::Yes);
  EXPECT_EQ(rig.Run(), ui::TModalResult::Cancel);
  EXPECT_EQ(rig.Keys(), (Stored{{L"s_" + std::to_wstring(kCtrlF1), L"4:"}}));
  EXPECT_FALSE(rig.reg1->GetBool(L"EnableHotKeys"));
}

TEST(HotkeyEditor, EditingShowsTheRowAsStored) {
  EditorRig rig;
  auto open = [&](const HotkeyEntry& row) {
    auto form = std::make_unique<TfrmEditKey>(rig.Context(), EditKeyRequest{true, row, {row.keyCode}});
    return form;
  };
  auto app = open({kCtrlF1, 3, L"C:\\x.exe*-a*b"});
  EXPECT_EQ((*app)[L"edFileName"].Text(), L"C:\\x.exe");
  EXPECT_EQ((*app)[L"edParam"].Text(), L"-a*b");
  EXPECT_TRUE((*app)[L"tsApp"].Visible());

  auto over = open({kCtrlF1, 2, L"Normal"});
  EXPECT_EQ((*over)[L"cbProfile"].Text(), L"Normal * 380:0  ");
  EXPECT_EQ((*over)[L"lbSelProf"].Caption(), L"选择超频配置");
  // The missing values were written back as 0.
  auto normal = rig.registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"over\\Normal", false);
  EXPECT_EQ(platform::ReadRegDouble(*normal, L"mem"), 0.0);

  auto plain = open({kCtrlF1, 26, L""});
  EXPECT_TRUE((*plain)[L"tsNoEdit"].Visible());
  EXPECT_FALSE((*plain)[L"tsProfiles"].Visible());
}

TEST(HotkeyEditor, OkOnTheListStoresTheSwitch) {
  EditorRig rig;
  rig.forms.OnModal([](TForm& form) {
    EXPECT_FALSE(form[L"bt2"].Enabled());
    form[L"cb1"].Click();
    form[L"btnOk"].Click();
  });
  rig.Run();
  EXPECT_TRUE(rig.reg1->GetBool(L"EnableHotKeys"));
  EXPECT_EQ(rig.Keys(), Stored{});
}

TEST(ShortCutText, NamesKeysAndReadsThemBack) {
  const struct {
    uint16_t code;
    const wchar_t* text;
  } cases[] = {
      {0, L""},
      {0x4000 | 0x8000 | 0x70, L"Ctrl+Alt+F1"},
      {0x2000 | 'A', L"Shift+A"},
      {0x8000 | 0x69, L"Alt+Num 9"},
      {0x2E, L"Del"},
      {0x4000 | 0xFF, L"Ctrl+$FF"},
      {0x1041, L"#4161"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShortCutToText(c.code), c.text);
    EXPECT_EQ(TextToShortCut(c.text), c.code) << c.code;
  }
  EXPECT_EQ(TextToShortCut(L"ctrl+alt+f1"), 0x4000 | 0x8000 | 0x70);
  EXPECT_EQ(TextToShortCut(L"Ctrl+"), 0);
  EXPECT_EQ(TextToShortCut(L"#70000"), 0);
  // No stored code is lost on its way through the list.
  for (unsigned code = 0; code <= 0xFFFF; ++code)
    ASSERT_EQ(TextToShortCut(ShortCutToText(static_cast<uint16_t>(code))), code);
}

TEST(HotkeyActionTree, OffersEveryActionOnceUnderItsCategory) {
  const std::vector<ui::TreeNode> nodes = HotkeyActionTree();
  std::multiset<int> actions;
  for (const ui::TreeNode& node : nodes)
    if (node.level == 1) actions.insert(node.data);
  for (int action = 0; action < 28; ++action) EXPECT_EQ(actions.count(action), 1u) << action;
  EXPECT_EQ(nodes.front(), (ui::TreeNode{L"配置", 0, 6, kNoAction}));
  EXPECT_EQ(nodes.back(), (ui::TreeNode{L"屏幕截图", 1, 21, 26}));
}

}  // namespace
}  // namespace corvane::hotkeys
