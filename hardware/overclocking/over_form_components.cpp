// The overclocking dialog's component table. Positions inside a tab sheet are relative
// to its page control's display area.

#include "hardware/overclocking/over_form.h"

#include "hardware/overclocking/timings.h"

namespace corvane::overclocking {
namespace {

using ui::ComponentDecl;
using ui::TModalResult;
using K = ui::ComponentKind;

// The clock group of one slider: caption, "-", the slider, "+", BIOS and current clock.
void AddClockGroup(std::vector<ComponentDecl>& c, const std::wstring& part, const std::wstring& caption, int top,
                   const std::wstring& biosCaption, const std::wstring& currentCaption) {
  const std::wstring group = L"gb" + part;
  c.push_back({K::GroupBox, group, caption, L"tsClocks", 8, top, 408, 94});
  c.push_back({K::Label, L"lb" + part, L"", group, 10, 18, 180, 13});
  c.push_back({K::Button, L"bt" + part + L"Down", L"-", group, 10, 38, 24, 24});
  c.push_back({.kind = K::TrackBar, .name = L"tb" + part, .parent = group, .left = 36, .top = 36, .width = 334,
               .height = 28, .min = 0, .max = 1000, .frequency = 25});
  c.push_back({K::Button, L"bt" + part + L"Up", L"+", group, 374, 38, 24, 24});
  c.push_back({K::Label, L"lbBios" + part + L"Caption", biosCaption, group, 10, 70, 64, 13});
  c.push_back({K::Label, L"lbBios" + part, L"", group, 76, 70, 100, 13});
  c.push_back({K::Label, L"lbCurrent" + part + L"Caption", currentCaption, group, 206, 70, 64, 13});
  c.push_back({K::Label, L"lbCurrent" + part, L"", group, 272, 70, 100, 13});
}

// One timing page: a row per field (caption, slider, shown value), then read, set,
// restore and the box that puts the page into saved profiles. Tags carry the page.
void AddTimingPage(std::vector<ComponentDecl>& c, TimingPage page) {
  const int index = static_cast<int>(page);
  const std::wstring n = std::to_wstring(index + 1);
  const std::wstring sheet = L"tsTiming" + n;
  c.push_back({K::TabSheet, sheet, L"调速 " + n, L"pcMain"});
  int top = 8;
  for (const TimingField& field : TimingFields(page)) {
    const std::wstring suffix = std::wstring(field.slider).substr(2);  // "m1", "2m1"
    c.push_back({K::Label, L"lb" + suffix, field.caption, sheet, 8, top + 5, 110, 13});
    c.push_back({.kind = K::TrackBar, .name = field.slider, .parent = sheet, .left = 120, .top = top, .width = 190,
                 .height = 24, .tag = index, .min = field.min, .max = field.max, .position = field.min,
                 .frequency = field.max > 31 ? 16 : 1});
    c.push_back({K::Label, L"st" + suffix, L"", sheet, 316, top + 5, 100, 13, index});
    top += 26;
  }
  c.push_back({K::Button, L"btRead" + n, L"读", sheet, 8, 290, 56, 24, index});
  c.push_back({.kind = K::Button, .name = L"btSet" + n, .caption = L"设定", .parent = sheet, .left = 68, .top = 290,
               .width = 56, .height = 24, .tag = index, .enabled = false});
  c.push_back({K::Button, L"btRestore" + n, L"&R", sheet, 128, 290, 44, 24, index});
  c.push_back({K::CheckBox, L"cbSave" + n, L"写入配置文件 (非常危险的!)", sheet, 184, 294, 232, 17, index});
}

std::vector<ComponentDecl> BuildComponents() {
  std::vector<ComponentDecl> c;
  c.push_back({K::Form, L"frmOver", L"超频", L"", 0, 0, 440, 400});
  c.push_back({.kind = K::PageControl, .name = L"pcMain", .left = 4, .top = 4, .width = 432, .height = 356,
               .itemIndex = 0});

  // Clocks.
  c.push_back({K::TabSheet, L"tsClocks", L"时钟", L"pcMain"});
  c.push_back({K::Label, L"lbMode", L"分配器:", L"tsClocks", 8, 10, 64, 13});
  c.push_back({.kind = K::ComboBox, .name = L"cbMode", .parent = L"tsClocks", .left = 76, .top = 6, .width = 340,
               .height = 21, .items = {L"高精度 (计算最佳分配器)", L"低精度 (使用默认分配器)"}, .itemIndex = 0});
  AddClockGroup(c, L"Core", L"核心", 34, L"BIOS GPU", L"当前 GPU");
  AddClockGroup(c, L"Mem", L"显存", 132, L"BIOS Mem", L"当前 MEM");
  c.push_back({.kind = K::Label, .name = L"lbSync", .caption = L"核心 & 显存 时钟已锁定", .parent = L"gbMem",
               .left = 206, .top = 18, .width = 192, .height = 13, .visible = false});
  c.push_back({K::CheckBox, L"cbDDR", L"显示为 DDR", L"tsClocks", 8, 236, 120, 17});
  c.push_back({K::Button, L"btCalc", L"计算", L"tsClocks", 216, 232, 64, 25});
  c.push_back({K::Button, L"btReset", L"重置为原始频率(&S)", L"tsClocks", 286, 232, 130, 25});
  // The artifact tester drives these once it is there.
  c.push_back({K::GroupBox, L"gbArtifacts", L"Artifacts 测试", L"tsClocks", 8, 264, 408, 56});
  c.push_back({.kind = K::Button, .name = L"btRender", .caption = L"显示3D渲染(&E)", .parent = L"gbArtifacts",
               .left = 6, .top = 20, .width = 94, .height = 25, .enabled = false});
  c.push_back({.kind = K::Button, .name = L"btScan", .caption = L"扫描Artifacts(&F)", .parent = L"gbArtifacts",
               .left = 103, .top = 20, .width = 104, .height = 25, .enabled = false});
  c.push_back({.kind = K::Button, .name = L"btMaxGpu", .caption = L"测试&GPU最大值", .parent = L"gbArtifacts",
               .left = 210, .top = 20, .width = 96, .height = 25, .enabled = false});
  c.push_back({.kind = K::Button, .name = L"btMaxMem", .caption = L"测试&MEM最大值", .parent = L"gbArtifacts",
               .left = 309, .top = 20, .width = 96, .height = 25, .enabled = false});

  // Memory timings, one sheet per register.
  for (TimingPage page : kTimingPages) AddTimingPage(c, page);

  // Profiles.
  c.push_back({K::TabSheet, L"tsProfiles", L"配置", L"pcMain"});
  c.push_back({K::GroupBox, L"gbProfiles", L"配置", L"tsProfiles", 8, 6, 408, 232});
  c.push_back({K::ListBox, L"lbxProfiles", L"", L"gbProfiles", 10, 20, 282, 200});
  c.push_back({.kind = K::Button, .name = L"btLoad", .caption = L"加载(&L)", .parent = L"gbProfiles", .left = 302,
               .top = 20, .width = 96, .height = 25, .enabled = false});
  c.push_back({K::Button, L"btSave", L"另存(&S)", L"gbProfiles", 302, 52, 96, 25});
  c.push_back({.kind = K::Button, .name = L"btDelete", .caption = L"删除(&D)", .parent = L"gbProfiles", .left = 302,
               .top = 84, .width = 96, .height = 25, .enabled = false});
  c.push_back({K::Button, L"btExport", L"导出...", L"gbProfiles", 302, 116, 96, 25});
  c.push_back({K::Button, L"btImport", L"导入...", L"gbProfiles", 302, 148, 96, 25});
  c.push_back({K::CheckBox, L"cbAutoLoad", L"启动时加载所选配置", L"tsProfiles", 8, 248, 176, 17});
  c.push_back({K::Label, L"lbAutoProfile", L"", L"tsProfiles", 190, 250, 226, 13});
  c.push_back({.kind = K::CheckBox, .name = L"cbSuspendRestore", .caption = L"在挂起模式后恢复(&R)",
               .parent = L"tsProfiles", .left = 8, .top = 272, .width = 200, .height = 17, .enabled = false});

  // Automatic 2D/3D switching.
  c.push_back({K::TabSheet, L"ts2d3d", L"自动 2D/3D", L"pcMain"});
  c.push_back({K::CheckBox, L"cbEnable2d3d", L"开启 2D/3D 自动超频", L"ts2d3d", 8, 8, 250, 17});
  c.push_back({K::Label, L"lb3dProfile", L"应用程序所需 3D 模式配置", L"ts2d3d", 8, 32, 408, 13});
  c.push_back({.kind = K::ComboBox, .name = L"cb3dProfile", .parent = L"ts2d3d", .left = 8, .top = 48, .width = 408,
               .height = 21, .enabled = false});
  c.push_back({K::Label, L"lb2dProfile", L"应用程序结束后加载 2D 模式配置", L"ts2d3d", 8, 76, 408, 13});
  c.push_back({.kind = K::ComboBox, .name = L"cb2dProfile", .parent = L"ts2d3d", .left = 8, .top = 92, .width = 408,
               .height = 21, .enabled = false});
  c.push_back({K::CheckBox, L"cbPlay3d", L"加载 3D 配置时播放声音", L"ts2d3d", 8, 124, 250, 17});
  c.push_back({K::Edit, L"edPlay3d", L"", L"ts2d3d", 8, 144, 370, 21});
  c.push_back({K::Button, L"btPlay3d", L"...", L"ts2d3d", 386, 144, 30, 21});
  c.push_back({K::CheckBox, L"cbPlay2d", L"加载 2D 配置时播放声音", L"ts2d3d", 8, 172, 250, 17});
  c.push_back({K::Edit, L"edPlay2d", L"", L"ts2d3d", 8, 192, 370, 21});
  c.push_back({K::Button, L"btPlay2d", L"...", L"ts2d3d", 386, 192, 30, 21});
  c.push_back({K::Label, L"lbExFiles", L"不切换配置的程序", L"ts2d3d", 8, 222, 350, 13});
  c.push_back({K::ListBox, L"lbxExFiles", L"", L"ts2d3d", 8, 238, 350, 80});
  c.push_back({K::Button, L"btExAdd", L"+", L"ts2d3d", 364, 238, 52, 25});
  c.push_back({K::Button, L"btExRemove", L"-", L"ts2d3d", 364, 268, 52, 25});

  c.push_back({.kind = K::Button, .name = L"btOk", .caption = L"确定(&O)", .left = 196, .top = 368, .width = 75,
               .height = 25, .modalResult = TModalResult::Ok, .isDefault = true});
  c.push_back({.kind = K::Button, .name = L"btCancel", .caption = L"取消", .left = 278, .top = 368, .width = 75,
               .height = 25, .modalResult = TModalResult::Cancel, .isCancel = true});
  c.push_back({K::Button, L"btApply", L"应用(&A)", L"", 360, 368, 75, 25});
  return c;
}

}  // namespace

std::span<const ui::ComponentDecl> TfrmOver::ComponentTable() {
  static const std::vector<ComponentDecl> components = BuildComponents();
  return components;
}

}  // namespace corvane::overclocking
