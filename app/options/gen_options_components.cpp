// The general options dialog's component table. Positions inside a tab sheet are relative
// to its page control's display area.

#include "app/options/gen_options_form.h"

namespace corvane::options {
namespace {

using ui::ComponentDecl;
using ui::TModalResult;
using K = ui::ComponentKind;

// The limits are percentages of the card's own clocks.
constexpr int kLimitMin = 0;
constexpr int kLimitMax = 100;
// What the recording length's up-down offers.
constexpr int kSecondsMin = 0;
constexpr int kSecondsMax = 32767;

void AddGeneralPage(std::vector<ComponentDecl>& c) {
  c.push_back({K::TabSheet, L"ts1", L"常规", L"pc1"});
  c.push_back({K::CheckBox, L"cbStart", L"系统启动时加载", L"ts1", 8, 8, 180, 17});
  c.push_back({K::GroupBox, L"gbLimits", L"超频限制", L"ts1", 8, 30, 180, 92});
  c.push_back({K::CheckBox, L"cbUseLimit", L"使用超频限制", L"gbLimits", 10, 18, 160, 17});
  c.push_back({K::Label, L"lbUp", L"上限 %", L"gbLimits", 10, 44, 60, 13});
  c.push_back({.kind = K::UpDown, .name = L"udUp", .parent = L"gbLimits", .left = 80, .top = 40, .width = 60,
               .height = 21, .min = kLimitMin, .max = kLimitMax});
  c.push_back({K::Label, L"lbDown", L"下限 %", L"gbLimits", 10, 68, 60, 13});
  c.push_back({.kind = K::UpDown, .name = L"udDown", .parent = L"gbLimits", .left = 80, .top = 64, .width = 60,
               .height = 21, .min = kLimitMin, .max = kLimitMax});
  c.push_back({K::CheckBox, L"cbSB", L"在程序菜单中交换鼠标左右键", L"ts1", 8, 130, 200, 17});
  c.push_back({K::CheckBox, L"cbSkin", L"使用皮肤", L"ts1", 8, 152, 200, 17});
  c.push_back({K::CheckBox, L"cbNew3D", L"使用新的3D设置模式", L"ts1", 8, 174, 200, 17});
  c.push_back({K::CheckBox, L"cbConfirmClocks", L"确认新频率", L"ts1", 8, 196, 200, 17});
  c.push_back({K::GroupBox, L"gbRes", L"屏幕分辨率", L"ts1", 214, 30, 186, 92});
  c.push_back({K::CheckBox, L"cbDontAsk", L"不询问刷新率", L"gbRes", 10, 18, 170, 17});
  c.push_back({K::CheckBox, L"cbSelMax", L"总是选择最大刷新率", L"gbRes", 10, 42, 170, 17});
  c.push_back({K::CheckBox, L"cbDontWait", L"改变分辨率前不等待", L"gbRes", 10, 66, 170, 17});
  c.push_back({K::Button, L"bt2", L"检测更新", L"ts1", 214, 136, 90, 25});
  c.push_back({K::Button, L"bt1", L"备份配置", L"ts1", 310, 136, 90, 25});
}

void AddRecordingPage(std::vector<ComponentDecl>& c) {
  c.push_back({K::TabSheet, L"ts3", L"音频录制", L"pc1"});
  c.push_back({K::Label, L"lbFolder", L"存储文件夹", L"ts3", 8, 12, 80, 13});
  c.push_back({.kind = K::Edit, .name = L"edFolder", .parent = L"ts3", .left = 90, .top = 8, .width = 270,
               .height = 21, .readOnly = true});
  c.push_back({K::Button, L"SpeedButton12", L"...", L"ts3", 366, 7, 30, 23});
  c.push_back({K::Label, L"lbCodecCaption", L"编码", L"ts3", 8, 42, 80, 13});
  c.push_back({K::Label, L"lbCodec", L"", L"ts3", 90, 42, 220, 13});
  c.push_back({K::Label, L"lbFormatCaption", L"格式", L"ts3", 8, 64, 80, 13});
  c.push_back({K::Label, L"lbFormat", L"", L"ts3", 90, 64, 220, 13});
  c.push_back({K::Button, L"Button12", L"更改", L"ts3", 320, 50, 76, 25});
  c.push_back({K::GroupBox, L"gbLength", L"录制长度", L"ts3", 8, 90, 388, 72});
  c.push_back({.kind = K::RadioButton, .name = L"rbUnlim", .caption = L"无限制", .parent = L"gbLength", .left = 10,
               .top = 20, .width = 120, .height = 17, .checked = true});
  c.push_back({K::RadioButton, L"rbLimit", L"录制时间 ", L"gbLength", 10, 44, 90, 17});
  c.push_back({.kind = K::UpDown, .name = L"UpDown1", .parent = L"gbLength", .left = 104, .top = 42, .width = 70,
               .height = 21, .min = kSecondsMin, .max = kSecondsMax});
  c.push_back({K::Label, L"lbSeconds", L"秒", L"gbLength", 180, 46, 30, 13});
  c.push_back({K::Label, L"lb4", L"此功能热键可通过选项 热键 -> 自定义 更改...", L"ts3", 8, 176, 388, 13});
}

void AddScreenshotPage(std::vector<ComponentDecl>& c) {
  c.push_back({K::TabSheet, L"ts2", L"屏幕截图", L"pc1"});
  c.push_back({K::Label, L"lbSFolder", L"存储文件夹", L"ts2", 8, 12, 80, 13});
  c.push_back({.kind = K::Edit, .name = L"edSFolder", .parent = L"ts2", .left = 90, .top = 8, .width = 270,
               .height = 21, .readOnly = true});
  c.push_back({K::Button, L"SpeedButton1", L"...", L"ts2", 366, 7, 30, 23});
  c.push_back({K::CheckBox, L"cbAddTime", L"添加当前时间到文件名", L"ts2", 8, 40, 250, 17});
}

std::vector<ComponentDecl> BuildComponents() {
  std::vector<ComponentDecl> c;
  c.push_back({K::Form, L"frmGenOptions", L"常规选项", L"", 0, 0, 420, 290});
  c.push_back({.kind = K::PageControl, .name = L"pc1", .left = 4, .top = 4, .width = 412, .height = 246,
               .itemIndex = 0});
  AddGeneralPage(c);
  AddRecordingPage(c);
  AddScreenshotPage(c);
  c.push_back({.kind = K::Button, .name = L"btnOk", .caption = L"确定", .left = 260, .top = 258, .width = 75,
               .height = 25, .modalResult = TModalResult::Ok, .isDefault = true});
  c.push_back({.kind = K::Button, .name = L"btnCancel", .caption = L"取消", .left = 341, .top = 258, .width = 75,
               .height = 25, .modalResult = TModalResult::Cancel, .isCancel = true});
  return c;
}

}  // namespace

std::span<const ui::ComponentDecl> TfrmGenOptions::ComponentTable() {
  static const std::vector<ComponentDecl> components = BuildComponents();
  return components;
}

}  // namespace corvane::options
