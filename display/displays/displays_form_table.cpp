#include "display/displays/displays_form_table.h"

#include <initializer_list>
#include <tuple>

#include "display/escape_records.h"

namespace corvane::display::displays_form {

std::wstring Named(const wchar_t* prefix, const DisplayGroup& group) { return std::wstring(prefix) + group.suffix; }

namespace {

using K = ui::ComponentKind;
using ui::TModalResult;
namespace A = Adjustment;

std::vector<ui::ComponentDecl> DeclareComponents() {
  std::vector<ui::ComponentDecl> c = {
      {.kind = K::Form, .name = L"frmDisplays", .caption = L"显示", .width = 470, .height = 474},
      {.kind = K::PageControl, .name = L"pcDisplays", .left = 8, .top = 8, .width = 454, .height = 330},
      {.kind = K::TabSheet, .name = L"tsDisplays", .caption = L"显示", .parent = L"pcDisplays"},
      {.kind = K::TabSheet, .name = L"tsTv", .caption = L"TV 属性", .parent = L"pcDisplays"},
      {.kind = K::TabSheet, .name = L"tsTheater", .caption = L"剧院模式", .parent = L"pcDisplays"},
  };
  int left = 6;
  for (const DisplayGroup& g : kGroups) {
    const std::wstring gb = Named(L"gb", g);
    c.push_back({.kind = K::GroupBox, .name = gb, .caption = g.caption, .parent = L"tsDisplays", .left = left, .top = 6,
                 .width = 140, .height = 284});
    c.push_back({.kind = K::Label, .name = Named(L"lbConn", g), .parent = gb, .left = 8, .top = 20, .width = 124,
                 .height = 14});
    const struct {
      const wchar_t* led;
      const wchar_t* button;
      const wchar_t* caption;
      LayoutButton which;
      uint32_t color;
    } rows[] = {{L"ledPower", L"btPower", L"电源", LayoutButton::Power, ui::LedColor::Green},
                {L"ledPrimary", L"btPrimary", L"主要", LayoutButton::Primary, ui::LedColor::Yellow},
                {L"ledClone", L"btClone", L"镜像", LayoutButton::Clone, ui::LedColor::Yellow}};
    int top = 42;
    for (const auto& row : rows) {
      c.push_back({.kind = K::Led, .name = Named(row.led, g), .parent = gb, .left = 10, .top = top + 4, .width = 16,
                   .height = 16, .enabled = false, .color = row.color});
      c.push_back({.kind = K::Button, .name = Named(row.button, g), .caption = row.caption, .parent = gb, .left = 34,
                   .top = top, .width = 90, .height = 24, .tag = LayoutTag(g.display, row.which)});
      top += 32;
    }
    for (const wchar_t* limit : {L"lbMaxWidth", L"lbMaxHeight", L"lbMaxRefresh"}) {
      c.push_back({.kind = K::Label, .name = Named(limit, g), .parent = gb, .left = 8, .top = top + 6, .width = 128,
                   .height = 14});
      top += 20;
    }
    if (g.monitor)
      c.push_back({.kind = K::Button, .name = Named(L"btAdvanced", g), .caption = L"高级选项", .parent = gb,
                   .left = 8, .top = 244, .width = 90, .height = 24, .tag = static_cast<int>(g.display)});
    left += 146;
  }

  const auto slider = [&](const wchar_t* label, const wchar_t* caption, const wchar_t* name, size_t slot, int top) {
    c.push_back({.kind = K::Label, .name = label, .caption = caption, .parent = L"tsTv", .left = 8, .top = top + 6,
                 .width = 84, .height = 14});
    c.push_back({.kind = K::TrackBar, .name = name, .parent = L"tsTv", .left = 92, .top = top, .width = 190,
                 .height = 28, .tag = static_cast<int>(slot), .min = 0, .max = 100, .frequency = 10});
  };
  slider(L"lbContr", L"对比度", L"tbContr", A::Contrast, 6);
  slider(L"lbColor", L"色彩饱和度", L"tbColor", A::Saturation, 38);
  slider(L"lbFlick", L"闪烁过滤", L"tbFlick", A::FlickerFilter, 70);

  const auto stepGroup = [&](const wchar_t* name, const wchar_t* caption, int top,
                             std::initializer_list<std::tuple<const wchar_t*, const wchar_t*, size_t, bool>> buttons) {
    c.push_back({.kind = K::GroupBox, .name = name, .caption = caption, .parent = L"tsTv", .left = 294, .top = top,
                 .width = 146, .height = 102});
    const int places[][2] = {{52, 18}, {6, 44}, {98, 44}, {52, 70}};
    size_t i = 0;
    for (const auto& [button, text, slot, up] : buttons) {
      c.push_back({.kind = K::Button, .name = button, .caption = text, .parent = name, .left = places[i][0],
                   .top = places[i][1], .width = 42, .height = 24, .tag = StepTag(slot, up)});
      ++i;
    }
  };
  stepGroup(L"gbTvPosition", L"位置", 2,
            {{L"btTvUp", L"上", A::VerticalPosition, false},
             {L"btTvLeft", L"左", A::HorizontalPosition, false},
             {L"btTvRight", L"右", A::HorizontalPosition, true},
             {L"btTvDown", L"下", A::VerticalPosition, true}});
  stepGroup(L"gbTvSize", L"大小", 106,
            {{L"btTvTaller", L"高+", A::VerticalSize, true},
             {L"btTvNarrower", L"宽-", A::HorizontalSize, false},
             {L"btTvWider", L"宽+", A::HorizontalSize, true},
             {L"btTvShorter", L"高-", A::VerticalSize, false}});

  c.push_back({.kind = K::CheckBox, .name = L"cbOverscan", .caption = L"覆盖扫描", .parent = L"tsTv", .left = 8,
               .top = 104, .width = 150, .height = 20});
  const auto list = [&](const wchar_t* label, const wchar_t* caption, const wchar_t* name, int top, size_t slot,
                        std::vector<std::wstring> items) {
    c.push_back({.kind = K::Label, .name = label, .caption = caption, .parent = L"tsTv", .left = 8, .top = top + 4,
                 .width = 90, .height = 14});
    c.push_back({.kind = K::ComboBox, .name = name, .parent = L"tsTv", .left = 100, .top = top, .width = 182,
                 .height = 21, .tag = static_cast<int>(slot), .items = std::move(items)});
  };
  list(L"lbComposite", L"复合清晰度", L"cbComposite", 134, A::CompositeSharpness,
       {L"较少", L"标准", L"较多", L"最大", L"黑白"});
  list(L"lbSVideo", L"S-Video 清晰度", L"cbSVideo", 162, A::SVideoSharpness, {L"较少", L"标准", L"较多", L"黑白"});
  list(L"lbDotCrawl", L"点状蠕动过滤", L"cbDotCrawl", 190, A::DotCrawl, {L"标准", L"冻结"});
  list(L"lbStandard", L"TV 制式", L"cbStandard", 218, A::TvStandard,
       {L"NTSC-M", L"PAL-B", L"PAL-D", L"PAL-G", L"PAL-H", L"PAL-I", L"PAL-K", L"PAL-L", L"PAL-N"});
  c.push_back({.kind = K::Button, .name = L"btTvReset", .caption = L"重置", .parent = L"tsTv", .left = 294,
               .top = 216, .width = 70, .height = 25});
  c.push_back({.kind = K::Button, .name = L"btTvDefault", .caption = L"默认值", .parent = L"tsTv", .left = 370,
               .top = 216, .width = 70, .height = 25});

  c.push_back({.kind = K::RadioButton, .name = L"rbStandard", .caption = L"标准(&S)", .parent = L"tsTheater",
               .left = 12, .top = 10, .width = 200, .height = 20, .tag = 0, .groupIndex = 1});
  c.push_back({.kind = K::RadioButton, .name = L"rbTheater", .caption = L"剧院模式(&M)", .parent = L"tsTheater",
               .left = 12, .top = 36, .width = 200, .height = 20, .tag = 1, .groupIndex = 1});
  c.push_back({.kind = K::RadioButton, .name = L"rbSame", .caption = L"全都相同(&S)", .parent = L"tsTheater",
               .left = 12, .top = 62, .width = 200, .height = 20, .tag = 4, .groupIndex = 1});
  c.push_back({.kind = K::GroupBox, .name = L"gbVideoAspect", .caption = L"设置视频信号比率", .parent = L"tsTheater",
               .left = 8, .top = 96, .width = 212, .height = 80});
  c.push_back({.kind = K::RadioButton, .name = L"rbSource", .caption = L"与来源视频相同(&A)", .parent = L"gbVideoAspect",
               .left = 10, .top = 22, .width = 190, .height = 20, .tag = 1});
  c.push_back({.kind = K::RadioButton, .name = L"rbFull", .caption = L"全屏幕视频(&F)", .parent = L"gbVideoAspect",
               .left = 10, .top = 48, .width = 190, .height = 20, .tag = 2});
  c.push_back({.kind = K::GroupBox, .name = L"gbDisplayAspect", .caption = L"显示设备信号比率", .parent = L"tsTheater",
               .left = 228, .top = 96, .width = 212, .height = 80});
  c.push_back({.kind = K::RadioButton, .name = L"rb43", .caption = L"&4:3 标准 TV", .parent = L"gbDisplayAspect",
               .left = 10, .top = 22, .width = 190, .height = 20, .tag = 0x10});
  c.push_back({.kind = K::RadioButton, .name = L"rb169", .caption = L"&16:9 宽屏", .parent = L"gbDisplayAspect",
               .left = 10, .top = 48, .width = 190, .height = 20, .tag = 0x20});

  c.push_back({.kind = K::GroupBox, .name = L"gbProfiles", .caption = L"配置(&P)", .left = 8, .top = 346, .width = 454,
               .height = 84});
  c.push_back({.kind = K::ComboBox, .name = L"cbProfiles", .parent = L"gbProfiles", .left = 10, .top = 22,
               .width = 200, .height = 21});
  c.push_back({.kind = K::Button, .name = L"btLoad", .caption = L"加载(&L)", .parent = L"gbProfiles", .left = 218,
               .top = 20, .width = 72, .height = 25});
  c.push_back({.kind = K::Button, .name = L"btDelete", .caption = L"删除(&D)", .parent = L"gbProfiles", .left = 296,
               .top = 20, .width = 72, .height = 25});
  c.push_back({.kind = K::Button, .name = L"btSave", .caption = L"另存(&S)", .parent = L"gbProfiles", .left = 374,
               .top = 20, .width = 72, .height = 25});
  c.push_back({.kind = K::CheckBox, .name = L"cbStartup", .caption = L"启动时加载所选配置", .parent = L"gbProfiles",
               .left = 10, .top = 54, .width = 200, .height = 20});
  c.push_back({.kind = K::Label, .name = L"lbStartup", .parent = L"gbProfiles", .left = 218, .top = 57, .width = 228,
               .height = 16});

  c.push_back({.kind = K::Button, .name = L"btExport", .caption = L"导出...", .left = 8, .top = 440, .width = 72,
               .height = 25});
  c.push_back({.kind = K::Button, .name = L"btImport", .caption = L"导入...", .left = 86, .top = 440, .width = 72,
               .height = 25});
  c.push_back({.kind = K::Button, .name = L"btOk", .caption = L"确定(&O)", .left = 226, .top = 440, .width = 75,
               .height = 25, .modalResult = TModalResult::Ok, .isDefault = true});
  c.push_back({.kind = K::Button, .name = L"btCancel", .caption = L"取消", .left = 306, .top = 440, .width = 75,
               .height = 25, .modalResult = TModalResult::Cancel, .isCancel = true});
  c.push_back({.kind = K::Button, .name = L"btApply", .caption = L"应用(&A)", .left = 386, .top = 440, .width = 75,
               .height = 25, .enabled = false});
  return c;
}

}  // namespace

const std::vector<ui::ComponentDecl>& Components() {
  static const std::vector<ui::ComponentDecl> components = DeclareComponents();
  return components;
}

}  // namespace corvane::display::displays_form
