#include "hotkeys/editor/edit_key_form.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>

#include "hotkeys/editor/action_tree.h"
#include "hotkeys/hotkey_actions.h"
#include "platform/registry_values.h"

namespace corvane::hotkeys {

namespace {

using ui::ComponentKind;

const ui::ComponentDecl kComponents[] = {
    {.kind = ComponentKind::Form, .name = L"frmEditKey", .caption = L"编辑热键属性", .width = 440, .height = 296},
    {ComponentKind::HotKey, L"hkKey", L"", L"", 8, 8, 200, 22},
    {ComponentKind::TreeView, L"tv1", L"", L"", 8, 38, 200, 218},
    {.kind = ComponentKind::Panel, .name = L"pcProp", .left = 216, .top = 38, .width = 216, .height = 218},
    {.kind = ComponentKind::Panel, .name = L"tsProfiles", .parent = L"pcProp", .width = 216, .height = 218,
     .visible = false},
    {ComponentKind::Label, L"lbSelProf", L"", L"tsProfiles", 4, 4, 208, 13},
    {ComponentKind::ComboBox, L"cbProfile", L"", L"tsProfiles", 4, 22, 208, 21},
    {.kind = ComponentKind::Panel, .name = L"tsApp", .parent = L"pcProp", .width = 216, .height = 218,
     .visible = false},
    {ComponentKind::Label, L"lbFile", L"选择应用程序", L"tsApp", 4, 4, 208, 13},
    {ComponentKind::Edit, L"edFileName", L"", L"tsApp", 4, 22, 180, 21},
    {ComponentKind::Button, L"SpeedButton1", L"...", L"tsApp", 188, 22, 24, 21},
    {ComponentKind::Label, L"lbParam", L"参数", L"tsApp", 4, 52, 208, 13},
    {ComponentKind::Edit, L"edParam", L"", L"tsApp", 4, 70, 208, 21},
    {.kind = ComponentKind::Panel, .name = L"tsNoEdit", .parent = L"pcProp", .width = 216, .height = 218},
    {ComponentKind::Label, L"lbNoEdit", L"此操作无可用属性", L"tsNoEdit", 4, 4, 208, 13},
    {.kind = ComponentKind::Button, .name = L"bt1", .caption = L"确定(&O)", .left = 276, .top = 264, .width = 75,
     .height = 25, .isDefault = true, .altKey = L'O'},
    {.kind = ComponentKind::Button, .name = L"bt2", .caption = L"取消", .left = 357, .top = 264, .width = 75,
     .height = 25, .modalResult = ui::TModalResult::Cancel, .isCancel = true},
};

constexpr const wchar_t* kPages[] = {L"tsProfiles", L"tsApp", L"tsNoEdit"};

bool TakesProfile(int action) {
  return action == HotkeyAction::LoadD3DProfile || action == HotkeyAction::LoadOpenGLProfile ||
         action == HotkeyAction::LoadOverProfile || action == HotkeyAction::LoadColorProfile ||
         action == HotkeyAction::LoadDisplayProfile;
}

// The profile name of an overclocking entry "name * core:mem T1 T2": what lies before the
// blank in front of the first '*'.
std::wstring OverProfileName(const std::wstring& entry) {
  const size_t star = entry.find(L'*');
  if (star == std::wstring::npos || star == 0) return {};
  return entry.substr(0, star - 1);
}

// A stored clock as the list shows it; what is not a usable number shows as 0.
int WholeMhz(double value) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<int>::max()) return 0;
  return static_cast<int>(std::nearbyint(value));
}

std::wstring Trimmed(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

}  // namespace

TfrmEditKey::TfrmEditKey(const HotkeyEditorContext& context, const EditKeyRequest& request)
    : TForm(context.form, kComponents), context_(context), request_(request) {
  (*this)[L"tv1"].SetPicture(context_.images);
  (*this)[L"tv1"].SetNodes(HotkeyActionTree());
  HandleChange(L"tv1", &TfrmEditKey::tv1Change);
  HandleClick(L"SpeedButton1", &TfrmEditKey::SpeedButton1Click);
  HandleClick(L"bt1", &TfrmEditKey::bt1Click);
  if (request_.editing) PrepareForEditing();
}

int TfrmEditKey::SelectedAction() const {
  const ui::TComponent& tree = (*this)[L"tv1"];
  const int index = tree.ItemIndex();
  if (index < 0) return kNoAction;
  return tree.Nodes()[static_cast<size_t>(index)].data;
}

void TfrmEditKey::ShowPage(const wchar_t* page) {
  for (const wchar_t* name : kPages) (*this)[name].SetVisible(std::wstring_view(name) == page);
}

void TfrmEditKey::PrepareForEditing() {
  const HotkeyEntry& start = request_.start;
  (*this)[L"hkKey"].SetPosition(start.keyCode);
  ui::TComponent& tree = (*this)[L"tv1"];
  const std::vector<ui::TreeNode>& nodes = tree.Nodes();
  for (size_t i = 0; i < nodes.size(); ++i)
    if (nodes[i].data == start.action) tree.SetItemIndex(static_cast<int>(i));
  tv1Change(tree);
  ui::TComponent& profiles = (*this)[L"cbProfile"];
  if (TakesProfile(start.action) && start.action != HotkeyAction::LoadOverProfile) {
    profiles.SetText(start.argument);
  } else if (start.action == HotkeyAction::LoadOverProfile) {
    const std::vector<std::wstring>& entries = profiles.Items();
    for (size_t i = 0; i < entries.size(); ++i) {
      if (OverProfileName(entries[i]) == start.argument) {
        profiles.SetItemIndex(static_cast<int>(i));
        break;
      }
    }
  } else if (start.action == HotkeyAction::RunProgram) {
    const size_t star = start.argument.find(L'*');
    (*this)[L"edFileName"].SetText(start.argument.substr(0, star));
    (*this)[L"edParam"].SetText(star == std::wstring::npos ? std::wstring() : start.argument.substr(star + 1));
  }
}

void TfrmEditKey::tv1Change(ui::TComponent&) {
  const int action = SelectedAction();
  if (action == kNoAction) return;
  if (TakesProfile(action)) {
    ShowPage(L"tsProfiles");
    FillProfiles(action);
  } else if (action == HotkeyAction::RunProgram) {
    ShowPage(L"tsApp");
  } else {
    ShowPage(L"tsNoEdit");
  }
}

std::vector<std::wstring> TfrmEditKey::SubKeysButBackups(const std::wstring& kind) const {
  std::vector<std::wstring> names;
  auto key = context_.registry.OpenKey(platform::RegistryRoot::CurrentUser, context_.profilesRoot + kind, false);
  if (!key) return names;
  for (std::wstring& name : key->SubKeyNames())
    if (name != L"$$") names.push_back(std::move(name));
  return names;
}

std::vector<std::wstring> TfrmEditKey::OverProfileEntries(int* matching) const {
  std::vector<std::wstring> entries;
  const std::wstring root = context_.profilesRoot + L"over\\";
  auto over = context_.registry.OpenKey(platform::RegistryRoot::CurrentUser, context_.profilesRoot + L"over", false);
  if (!over) return entries;
  const int core = WholeMhz(context_.coreClock);
  const int memory = WholeMhz(context_.memClock);
  for (const std::wstring& name : over->SubKeyNames()) {
    auto key = context_.registry.OpenKey(platform::RegistryRoot::CurrentUser, root + name, false);
    if (!key) continue;
    // A profile missing a value gets it as 0, so the overclocking dialog finds it whole.
    auto read = [&key](const wchar_t* value) {
      if (std::optional<double> stored = platform::ReadRegDouble(*key, value)) return *stored;
      platform::WriteRegDouble(*key, value, 0.0);
      return 0.0;
    };
    const int vpu = WholeMhz(read(L"vpu"));
    const int mem = WholeMhz(read(L"mem"));
    const bool t1 = read(L"t1") != 0;
    const bool t2 = read(L"t2") != 0;
    wchar_t clocks[32];
    std::swprintf(clocks, std::size(clocks), L" * %d:%d ", vpu, mem);
    entries.push_back(name + clocks + (t1 ? L"T1" : L"") + L" " + (t2 ? L"T2" : L""));
    if (vpu == core && mem == memory && *matching < 0) *matching = static_cast<int>(entries.size()) - 1;
  }
  return entries;
}

void TfrmEditKey::FillProfiles(int action) {
  ui::TComponent& label = (*this)[L"lbSelProf"];
  ui::TComponent& profiles = (*this)[L"cbProfile"];
  std::vector<std::wstring> items;
  int selected = 0;
  switch (action) {
    case HotkeyAction::LoadD3DProfile:
      label.SetCaption(L"选择 Direct3D 配置");
      items = SubKeysButBackups(L"d3d");
      break;
    case HotkeyAction::LoadOpenGLProfile:
      label.SetCaption(L"选择 OpenGL 配置");
      items = SubKeysButBackups(L"ogl");
      break;
    case HotkeyAction::LoadOverProfile: {
      label.SetCaption(L"选择超频配置");
      int matching = -1;
      items = OverProfileEntries(&matching);
      if (matching >= 0) selected = matching;
      break;
    }
    case HotkeyAction::LoadColorProfile:
      label.SetCaption(L"选择颜色配置");
      if (auto key = context_.registry.OpenKey(platform::RegistryRoot::CurrentUser, context_.profilesRoot + L"colors",
                                               false))
        items = key->ValueNames();
      break;
    case HotkeyAction::LoadDisplayProfile:
      label.SetCaption(L"选择显示配置");
      items = SubKeysButBackups(L"Display");
      break;
    default:
      return;
  }
  profiles.SetItems(std::move(items));
  profiles.SetItemIndex(selected);
}

void TfrmEditKey::SpeedButton1Click(ui::TComponent&) {
  ui::TComponent& fileName = (*this)[L"edFileName"];
  platform::OpenFileRequest request;
  request.filter = L"可执行文件 (*.exe)|*.exe";
  const std::wstring current = Trimmed(fileName.Text());
  if (!current.empty()) {
    const size_t slash = current.find_last_of(L"\\/");
    if (slash != std::wstring::npos) request.initialFolder = current.substr(0, slash);
    request.fileName = current.substr(slash == std::wstring::npos ? 0 : slash + 1);
  }
  if (std::optional<std::wstring> chosen = context_.user.ChooseOpenFile(request)) fileName.SetText(*chosen);
}

bool TfrmEditKey::IsDuplicate(uint16_t code) const {
  if (request_.editing && code == request_.start.keyCode) return false;
  for (uint16_t row : request_.listCodes)
    if (row == code && !(request_.editing && row == request_.start.keyCode)) return true;
  return false;
}

void TfrmEditKey::bt1Click(ui::TComponent&) {
  const int action = SelectedAction();
  const auto code = static_cast<uint16_t>((*this)[L"hkKey"].Position());
  if (action == kNoAction || code == 0) return;
  const std::wstring fileName = (*this)[L"edFileName"].Text();
  const std::wstring profile = (*this)[L"cbProfile"].Text();
  if (action == HotkeyAction::RunProgram && Trimmed(fileName).empty()) return;
  if (TakesProfile(action) && profile.empty()) return;
  if (IsDuplicate(code)) {
    context_.user.ShowMessage({L"错误", L"该热键已被使用!", platform::MessageIcon::Error});
    return;
  }
  std::wstring argument;
  if (action == HotkeyAction::LoadOverProfile)
    argument = OverProfileName(profile);
  else if (TakesProfile(action))
    argument = profile;
  else if (action == HotkeyAction::RunProgram)
    argument = fileName + L"*" + (*this)[L"edParam"].Text();
  result_ = {code, action, argument};
  SetModalResult(ui::TModalResult::Ok);
}

}  // namespace corvane::hotkeys
