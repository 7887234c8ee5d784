#include "plugins/host/run_time_pl_form.h"

#include <vector>

#include "ui/flag_scope.h"

namespace corvane::plugins {
namespace {

using ui::ComponentDecl;
using K = ui::ComponentKind;

// Where the file name stands in a row: the row's key.
constexpr size_t kFileColumn = 3;

std::vector<ComponentDecl> BuildComponents() {
  std::vector<ComponentDecl> c;
  c.push_back({K::Form, L"frmRunTimePL", L"Run Time 插件", L"", 0, 0, 480, 260});
  c.push_back({.kind = K::ListView, .name = L"lvPlugins", .left = 8, .top = 8, .width = 464, .height = 206,
               .columns = {{L"已开启", 56}, {L"已启动", 56}, {L"名称", 200}, {L"文件", 140}}});
  c.push_back({.kind = K::Button, .name = L"btStart", .caption = L"启动(&S)", .left = 8, .top = 224, .width = 80,
               .height = 26, .enabled = false});
  c.push_back({.kind = K::Button, .name = L"btStop", .caption = L"停止(&T)", .left = 94, .top = 224, .width = 80,
               .height = 26, .enabled = false});
  c.push_back({.kind = K::Button, .name = L"btConfig", .caption = L"配置(&C)", .left = 180, .top = 224, .width = 80,
               .height = 26, .enabled = false});
  c.push_back({.kind = K::Button, .name = L"btEnable", .caption = L"开启(&E)", .left = 266, .top = 224, .width = 80,
               .height = 26, .enabled = false});
  c.push_back({.kind = K::Button, .name = L"btClose", .caption = L"关闭", .left = 392, .top = 224, .width = 80,
               .height = 26, .isCancel = true});
  return c;
}

const wchar_t* YesNo(bool value) { return value ? L"是" : L"否"; }

}  // namespace

std::span<const ui::ComponentDecl> TfrmRunTimePL::ComponentTable() {
  static const std::vector<ComponentDecl> table = BuildComponents();
  return table;
}

TfrmRunTimePL::TfrmRunTimePL(const ui::FormContext& context, TRPLList& plugins)
    : TForm(context, ComponentTable()), plugins_(plugins) {
  HandleClick(L"lvPlugins", &TfrmRunTimePL::lvPluginsClick);
  (*this)[L"lvPlugins"].OnDblClick = [this](ui::TComponent& sender) { lvPluginsDblClick(sender); };
  HandleClick(L"btStart", &TfrmRunTimePL::btStartClick);
  HandleClick(L"btStop", &TfrmRunTimePL::btStopClick);
  HandleClick(L"btConfig", &TfrmRunTimePL::btConfigClick);
  HandleClick(L"btEnable", &TfrmRunTimePL::btEnableClick);
  HandleClick(L"btClose", &TfrmRunTimePL::btCloseClick);
  FormCreate();
}

void TfrmRunTimePL::FormCreate() { BuildList(); }

TRunTimePlugin* TfrmRunTimePL::Selected() const {
  const ui::TComponent& list = (*this)[L"lvPlugins"];
  if (list.ItemIndex() < 0) return nullptr;
  const std::vector<std::wstring> cells = ui::SplitCells(list.Text());
  return cells.size() > kFileColumn ? plugins_.Find(cells[kFileColumn]) : nullptr;
}

void TfrmRunTimePL::BuildList() {
  ui::TComponent& list = (*this)[L"lvPlugins"];
  const TRunTimePlugin* selected = Selected();
  std::vector<std::wstring> rows;
  int index = -1;
  for (size_t i = 0; i < plugins_.Count(); ++i) {
    const TRunTimePlugin& plugin = plugins_[i];
    if (&plugin == selected) index = static_cast<int>(i);
    rows.push_back(ui::JoinCells({YesNo(plugin.IsEnabled()), YesNo(plugin.Running()), plugin.Name(), plugin.FileName()}));
  }
  list.SetItems(std::move(rows));
  list.SetItemIndex(index);
  UpdateButtons();
}

void TfrmRunTimePL::UpdateButtons() {
  const TRunTimePlugin* plugin = Selected();
  const bool enabled = plugin && plugin->IsEnabled();
  for (const wchar_t* name : {L"btStart", L"btStop", L"btConfig"}) (*this)[name].SetEnabled(enabled);
  ui::TComponent& toggle = (*this)[L"btEnable"];
  toggle.SetEnabled(plugin != nullptr);
  toggle.SetCaption(enabled ? L"关闭(&D)" : L"开启(&E)");
}

void TfrmRunTimePL::lvPluginsClick(ui::TComponent&) { UpdateButtons(); }

void TfrmRunTimePL::lvPluginsDblClick(ui::TComponent& sender) {
  UpdateButtons();  // the double click selected the row
  if ((*this)[L"btConfig"].Enabled()) btConfigClick(sender);
}

void TfrmRunTimePL::btStartClick(ui::TComponent&) {
  TRunTimePlugin* plugin = Selected();
  if (busy_ || !plugin) return;
  if (!plugin->Running()) plugin->Start();
  BuildList();
}

void TfrmRunTimePL::btStopClick(ui::TComponent&) {
  TRunTimePlugin* plugin = Selected();
  if (busy_ || !plugin) return;
  if (plugin->Running()) plugin->Stop();
  BuildList();
}

void TfrmRunTimePL::btConfigClick(ui::TComponent&) {
  TRunTimePlugin* plugin = Selected();
  if (busy_ || !plugin) return;
  {
    ui::FlagScope busy(busy_);
    plugin->Configure();
  }
  // The plug-in's own window had the foreground.
  Renderer().BringToFront(*this);
  BuildList();
}

void TfrmRunTimePL::btEnableClick(ui::TComponent&) {
  TRunTimePlugin* plugin = Selected();
  if (busy_ || !plugin) return;
  if (plugin->IsEnabled()) {
    plugin->Stop();
    plugin->SetEnabled(false);
  } else {
    // Enabling does not start it: "启动(&S)" does.
    plugin->SetEnabled(true);
  }
  BuildList();
}

void TfrmRunTimePL::btCloseClick(ui::TComponent&) {
  if (!busy_) SetModalResult(ui::TModalResult::Cancel);
}

}  // namespace corvane::plugins
