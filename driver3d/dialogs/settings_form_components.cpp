// The component table of the Direct3D and OpenGL dialogs. Positions inside a tab sheet
// are relative to its page control's display area.

#include "driver3d/dialogs/settings_form.h"

namespace corvane::driver3d {
namespace {

using ui::ComponentDecl;
using ui::TModalResult;
using K = ui::ComponentKind;

const std::vector<std::wstring> kAAItems = {L"应用程序首选项", L"2x", L"4x", L"6x"};
const std::vector<std::wstring> kAFItems = {L"应用程序首选项", L"2x", L"4x", L"8x", L"16x"};
const std::vector<std::wstring> kZBufferItems = {L"禁用", L"16 位", L"24 位"};

// A track bar with its caption on the left and the label of its position on the right.
void AddTrackBar(std::vector<ComponentDecl>& c, const std::wstring& part, const std::wstring& caption, int top,
                 int max) {
  c.push_back({K::Label, L"lb" + part, caption, L"tsGeneral", 8, top + 6, 118, 13});
  c.push_back({.kind = K::TrackBar, .name = L"tb" + part, .parent = L"tsGeneral", .left = 128, .top = top,
               .width = 170, .height = 26, .min = 0, .max = max});
  c.push_back({K::Label, L"lb" + part + L"Value", L"", L"tsGeneral", 302, top + 6, 104, 13});
}

void AddZBufferAndTripleBuffering(std::vector<ComponentDecl>& c, const std::wstring& sheet, int top) {
  c.push_back({K::Label, L"lbZBuf", L"强制 Z 缓冲深度:", sheet, 8, top + 4, 118, 13});
  c.push_back({.kind = K::ComboBox, .name = L"cbZBuf", .parent = sheet, .left = 128, .top = top, .width = 120,
               .height = 21, .items = kZBufferItems, .itemIndex = 0});
  c.push_back({K::CheckBox, L"cbTriple", L"三倍缓冲", sheet, 262, top + 2, 140, 17});
}

}  // namespace

std::vector<ComponentDecl> BuildSettings3DComponents(Settings3DLayout layout) {
  const bool d3d = layout == Settings3DLayout::Direct3D;
  std::vector<ComponentDecl> c;
  c.push_back({K::Form, d3d ? L"frmD3D" : L"frmOGL", d3d ? L"Direct3D" : L"OpenGL", L"", 0, 0, 430, 404});
  c.push_back({.kind = K::PageControl, .name = L"pcMain", .left = 4, .top = 4, .width = 422, .height = 300,
               .itemIndex = 0});

  c.push_back({K::TabSheet, L"tsGeneral", L"常规", L"pcMain"});
  c.push_back({K::Label, L"lbAA", L"抗锯齿(&A):", L"tsGeneral", 8, 12, 118, 13});
  c.push_back({.kind = K::ComboBox, .name = L"cbAA", .parent = L"tsGeneral", .left = 128, .top = 8, .width = 170,
               .height = 21, .items = kAAItems, .itemIndex = 0});
  c.push_back({K::Label, L"lbAF", L"各向异性过滤(&F):", L"tsGeneral", 8, 40, 118, 13});
  c.push_back({.kind = K::ComboBox, .name = L"cbAF", .parent = L"tsGeneral", .left = 128, .top = 36, .width = 170,
               .height = 21, .items = kAFItems, .itemIndex = 0});
  c.push_back({.kind = K::RadioButton, .name = L"rbPerf", .caption = L"性能", .parent = L"tsGeneral", .left = 128,
               .top = 62, .width = 60, .height = 17, .enabled = false});
  c.push_back({.kind = K::RadioButton, .name = L"rbQual", .caption = L"质量", .parent = L"tsGeneral", .left = 192,
               .top = 62, .width = 60, .height = 17, .enabled = false});
  if (d3d)
    c.push_back({.kind = K::RadioButton, .name = L"rbQualT", .caption = L"质量(三线性)", .parent = L"tsGeneral",
                 .left = 256, .top = 62, .width = 150, .height = 17, .enabled = false});
  AddTrackBar(c, L"TP", L"纹理首选项(&T)", 88, 3);
  AddTrackBar(c, L"MML", L"&MipMap 详细程度", 120, 3);
  AddTrackBar(c, L"VS", d3d ? L"垂直同步(&W)" : L"垂直同步(&V)", 152, d3d ? 2 : 3);
  AddTrackBar(c, L"TF", L"T&RUFORM(tm)", 184, 1);
  if (!d3d) AddZBufferAndTripleBuffering(c, L"tsGeneral", 224);

  c.push_back({K::TabSheet, L"tsExtra", L"附加", L"pcMain"});
  int top = 8;
  if (d3d) {
    c.push_back({K::CheckBox, L"cbAlter", L"备用像素中心", L"tsExtra", 8, 8, 196, 17});
    c.push_back({K::CheckBox, L"cbDXT", L"支持 DXT 纹理格式", L"tsExtra", 8, 30, 196, 17});
    c.push_back({K::CheckBox, L"cbBump", L"支持凹凸贴图纹理格式", L"tsExtra", 8, 52, 196, 17});
    c.push_back({K::CheckBox, L"cbAnisoOpt", L"各向异性过滤优化", L"tsExtra", 210, 8, 196, 17});
    c.push_back({K::CheckBox, L"cbTriOpt", L"三线性过滤优化", L"tsExtra", 210, 30, 196, 17});
    top = 78;
  }
  c.push_back({K::GroupBox, L"gbTemporal", L"时间抗锯齿", L"tsExtra", 8, top, 398, 80});
  c.push_back({K::Label, L"lbMult", L"倍数:", L"gbTemporal", 10, 24, 50, 13});
  c.push_back({.kind = K::ComboBox, .name = L"cbMult", .parent = L"gbTemporal", .left = 62, .top = 20, .width = 80,
               .height = 21, .items = {L"禁用", L"2x", L"3x"}, .itemIndex = 0});
  c.push_back({K::Label, L"lbFrame", L"帧阈值:", L"gbTemporal", 154, 24, 56, 13});
  c.push_back({.kind = K::ComboBox, .name = L"cbFrame", .parent = L"gbTemporal", .left = 212, .top = 20,
               .width = 80, .height = 21, .enabled = false, .items = {L"默认", L"手动"}, .itemIndex = 0});
  c.push_back({.kind = K::Edit, .name = L"edFValue", .parent = L"gbTemporal", .left = 300, .top = 20, .width = 60,
               .height = 21, .enabled = false, .maxLength = 4, .numbersOnly = true});
  c.push_back({K::Button, L"btDef", L"默认值", L"gbTemporal", 10, 48, 80, 24});
  top += 92;
  c.push_back({K::Label, L"lbAI", L"Catalyst A.I.:", L"tsExtra", 8, top + 4, 118, 13});
  c.push_back({.kind = K::ComboBox, .name = L"cbAI", .parent = L"tsExtra", .left = 128, .top = top, .width = 120,
               .height = 21, .items = {L"关闭", L"低", L"高"}, .itemIndex = 0});
  top += 30;
  c.push_back({K::Label, L"lbRefreshRate", L"强制刷新率:", L"tsExtra", 8, top + 4, 118, 13});
  c.push_back({.kind = K::ComboBox, .name = L"cbRefreshRate", .parent = L"tsExtra", .left = 128, .top = top,
               .width = 120, .height = 21, .items = {L"禁用", L"等同于桌面", L"自定义"}, .itemIndex = 0});
  c.push_back({.kind = K::ComboBox, .name = L"cbCustomRF", .parent = L"tsExtra", .left = 256, .top = top,
               .width = 70, .height = 21, .enabled = false,
               .items = {L"60", L"72", L"75", L"85", L"90", L"100", L"120", L"150", L"160", L"200"}});
  c.push_back({K::Label, L"lbHz", L"Hz", L"tsExtra", 332, top + 4, 30, 13});

  if (d3d) {
    c.push_back({.kind = K::TabSheet, .name = L"tsOpenGL", .caption = L"OpenGL", .parent = L"pcMain",
                 .visible = false});
    AddZBufferAndTripleBuffering(c, L"tsOpenGL", 10);
  }

  c.push_back({K::GroupBox, L"gbTemplates", L"配置文件(&P)", L"", 4, 310, 422, 54});
  c.push_back({.kind = K::ComboBox, .name = L"cbTemplates", .parent = L"gbTemplates", .left = 10, .top = 20,
               .width = 188, .height = 21});
  c.push_back({K::Button, L"btSave", L"另存(&S)", L"gbTemplates", 204, 19, 66, 24});
  c.push_back({.kind = K::Button, .name = L"btLoad", .caption = L"加载(&L)", .parent = L"gbTemplates", .left = 276,
               .top = 19, .width = 66, .height = 24, .enabled = false});
  c.push_back({.kind = K::Button, .name = L"btDelete", .caption = L"删除(&D)", .parent = L"gbTemplates",
               .left = 348, .top = 19, .width = 66, .height = 24, .enabled = false});

  c.push_back({K::Button, L"btExport", L"导出...", L"", 4, 372, 66, 25});
  c.push_back({K::Button, L"btImport", L"导入...", L"", 76, 372, 66, 25});
  c.push_back({.kind = K::Button, .name = L"btOk", .caption = L"确定(&O)", .left = 189, .top = 372, .width = 75,
               .height = 25, .modalResult = TModalResult::Ok, .isDefault = true});
  c.push_back({.kind = K::Button, .name = L"btCancel", .caption = L"取消", .left = 270, .top = 372, .width = 75,
               .height = 25, .modalResult = TModalResult::Cancel, .isCancel = true});
  c.push_back({.kind = K::Button, .name = L"btApply", .caption = L"应用(&A)", .left = 351, .top = 372, .width = 75,
               .height = 25, .enabled = false});
  return c;
}

}  // namespace corvane::driver3d
