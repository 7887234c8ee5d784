#include "display/color/color_form.h"

#include <cwchar>
#include <iterator>

#include "display/color/color_profiles.h"
#include "ui/select_dialog.h"

namespace corvane::display {
namespace {

using K = ui::ComponentKind;
using ui::TModalResult;

constexpr uint32_t kBlack = 0x000000, kGrey = 0x808080, kWhite = 0xFFFFFF;
// COLORREF: red is the low byte.
constexpr uint32_t kRedPen = 0x0000FF, kGreenPen = 0x008000, kBluePen = 0xFF0000;
constexpr int kGridStep = 21;
constexpr int kViewGroup = 1;

const ui::ComponentDecl kComponents[] = {
    {.kind = K::Form, .name = L"frmColor", .caption = L"颜色调整", .width = 537, .height = 334},
    {.kind = K::RadioButton, .name = L"sbAll", .caption = L"全", .left = 8, .top = 8, .width = 44, .height = 20,
     .tag = static_cast<int>(ColorView::All), .checked = true, .groupIndex = kViewGroup},
    {.kind = K::RadioButton, .name = L"sbRed", .caption = L"红", .left = 60, .top = 8, .width = 44, .height = 20,
     .tag = static_cast<int>(ColorView::Red), .groupIndex = kViewGroup},
    {.kind = K::RadioButton, .name = L"sbGreen", .caption = L"绿", .left = 112, .top = 8, .width = 44, .height = 20,
     .tag = static_cast<int>(ColorView::Green), .groupIndex = kViewGroup},
    {.kind = K::RadioButton, .name = L"sbBlue", .caption = L"蓝", .left = 164, .top = 8, .width = 44, .height = 20,
     .tag = static_cast<int>(ColorView::Blue), .groupIndex = kViewGroup},

    {.kind = K::Label, .name = L"stBright", .caption = L"亮度", .left = 8, .top = 40, .width = 80, .height = 16},
    {.kind = K::Label, .name = L"lbBright", .caption = L"0", .left = 176, .top = 40, .width = 50, .height = 16,
     .align = ui::TextAlign::Right},
    {.kind = K::TrackBar, .name = L"tbBright", .left = 8, .top = 56, .width = 220, .height = 28, .min = kBrightnessMin,
     .max = kBrightnessMax, .frequency = 50},
    {.kind = K::Button, .name = L"btBrightReset", .caption = L"R", .left = 232, .top = 58, .width = 22, .height = 22},

    {.kind = K::Label, .name = L"stCont", .caption = L"对比度", .left = 8, .top = 92, .width = 80, .height = 16},
    {.kind = K::Label, .name = L"lbCont", .caption = L"0", .left = 176, .top = 92, .width = 50, .height = 16,
     .align = ui::TextAlign::Right},
    {.kind = K::TrackBar, .name = L"tbCont", .left = 8, .top = 108, .width = 220, .height = 28, .min = kContrastMin,
     .max = kContrastMax, .frequency = 10},
    {.kind = K::Button, .name = L"btContReset", .caption = L"R", .left = 232, .top = 110, .width = 22, .height = 22},

    {.kind = K::Label, .name = L"stGamma", .caption = L"Gamma", .left = 8, .top = 144, .width = 80, .height = 16},
    {.kind = K::Label, .name = L"lbGamma", .caption = L"1.00", .left = 176, .top = 144, .width = 50, .height = 16,
     .align = ui::TextAlign::Right},
    {.kind = K::TrackBar, .name = L"tbGamma", .left = 8, .top = 160, .width = 220, .height = 28, .min = kGammaMin,
     .max = kGammaMax, .frequency = 5},
    {.kind = K::Button, .name = L"btGammaReset", .caption = L"R", .left = 232, .top = 162, .width = 22, .height = 22},

    {.kind = K::Image, .name = L"imgCurve", .left = 268, .top = 12, .width = 127, .height = 127},
    {.kind = K::Image, .name = L"imgGradient", .left = 402, .top = 12, .width = 127, .height = 127},

    {.kind = K::GroupBox, .name = L"gbProfiles", .caption = L"配置文件(&P)", .left = 8, .top = 200, .width = 521,
     .height = 90},
    {.kind = K::ComboBox, .name = L"cbTemplates", .parent = L"gbProfiles", .left = 10, .top = 22, .width = 220,
     .height = 21},
    {.kind = K::Button, .name = L"btLoad", .caption = L"加载(&L)", .parent = L"gbProfiles", .left = 240, .top = 20,
     .width = 80, .height = 25},
    {.kind = K::Button, .name = L"btDelete", .caption = L"删除(&D)", .parent = L"gbProfiles", .left = 328, .top = 20,
     .width = 80, .height = 25},
    {.kind = K::Button, .name = L"btSave", .caption = L"另存(&S)", .parent = L"gbProfiles", .left = 416, .top = 20,
     .width = 80, .height = 25},
    {.kind = K::CheckBox, .name = L"cbStartup", .caption = L"启动时加载所选配置", .parent = L"gbProfiles", .left = 10,
     .top = 56, .width = 220, .height = 20},
    {.kind = K::Label, .name = L"lbStartup", .parent = L"gbProfiles", .left = 240, .top = 59, .width = 256,
     .height = 16},

    {.kind = K::Button, .name = L"btReset", .caption = L"重置(&R)", .left = 8, .top = 300, .width = 80, .height = 25},
    {.kind = K::Button, .name = L"btExport", .caption = L"导出...", .left = 96, .top = 300, .width = 80, .height = 25},
    {.kind = K::Button, .name = L"btImport", .caption = L"导入...", .left = 182, .top = 300, .width = 80, .height = 25},
    {.kind = K::Button, .name = L"btOk", .caption = L"确定(&O)", .left = 370, .top = 300, .width = 75, .height = 25,
     .modalResult = TModalResult::Ok, .isDefault = true},
    {.kind = K::Button, .name = L"btCancel", .caption = L"取消", .left = 454, .top = 300, .width = 75, .height = 25,
     .modalResult = TModalResult::Cancel, .isCancel = true},
};

ColorChannel ChannelOf(ColorView view) {
  switch (view) {
    case ColorView::Green:
      return ColorChannel::Green;
    case ColorView::Blue:
      return ColorChannel::Blue;
    default:
      return ColorChannel::Red;  // the all view shows red's values
  }
}

void DrawCurve(ui::PixelImage& image, const ColorTable& table, ColorChannel channel, uint32_t pen) {
  int lastX = 0, lastY = 0;
  for (int i = 0; i < 256; ++i) {
    const int x = i >> 1;
    const int y = TfrmColor::kCurveSize - ChannelByte(table[static_cast<size_t>(i)], channel) / 2;
    if (i == 0)
      image.Set(x, y, pen);
    else
      image.Line(lastX, lastY, x, y, pen);
    lastX = x;
    lastY = y;
  }
}

bool ChannelsAgree(const ColorSettings& settings) {
  for (ColorChannel channel : {ColorChannel::Green, ColorChannel::Blue}) {
    if (settings.Gamma(channel) != settings.Gamma(ColorChannel::Red) ||
        settings.Contrast(channel) != settings.Contrast(ColorChannel::Red) ||
        settings.Brightness(channel) != settings.Brightness(ColorChannel::Red))
      return false;
  }
  return true;
}

}  // namespace

ui::PixelImage DrawColorCurve(const ColorTable& table, ColorView view) {
  const int size = TfrmColor::kCurveSize;
  ui::PixelImage image(size, size, kBlack);
  for (int at = 0; at < size; at += kGridStep) {
    image.Line(at, 0, at, size - 1, kGrey);
    image.Line(0, at, size - 1, at, kGrey);
  }
  if (view == ColorView::All) {
    DrawCurve(image, table, ColorChannel::Blue, kWhite);
    return image;
  }
  const struct {
    ColorView view;
    ColorChannel channel;
    uint32_t pen;
  } curves[] = {{ColorView::Red, ColorChannel::Red, kRedPen},
                {ColorView::Green, ColorChannel::Green, kGreenPen},
                {ColorView::Blue, ColorChannel::Blue, kBluePen}};
  for (const auto& curve : curves)
    if (curve.view != view) DrawCurve(image, table, curve.channel, curve.pen);
  for (const auto& curve : curves)
    if (curve.view == view) DrawCurve(image, table, curve.channel, curve.pen);
  return image;
}

ui::PixelImage DrawColorGradient() {
  const int size = TfrmColor::kCurveSize;
  ui::PixelImage image(size, size);
  for (int x = 0; x < size; ++x) {
    // The hue runs across: red, yellow, green, cyan, blue, magenta and back to red.
    const double hue = 6.0 * x / size;
    const int sector = static_cast<int>(hue);
    const double rise = hue - sector;
    double r = 0, g = 0, b = 0;
    switch (sector % 6) {
      case 0: r = 1, g = rise; break;
      case 1: r = 1 - rise, g = 1; break;
      case 2: g = 1, b = rise; break;
      case 3: g = 1 - rise, b = 1; break;
      case 4: r = rise, b = 1; break;
      default: r = 1, b = 1 - rise; break;
    }
    for (int y = 0; y < size; ++y) {
      // ... and fades downwards into black.
      const double level = 255.0 * (size - y) / size;
      const auto channel = [&](double c) { return static_cast<uint32_t>(c * level + 0.5); };
      image.Set(x, y, channel(b) << 16 | channel(g) << 8 | channel(r));
    }
  }
  return image;
}

std::span<const ui::ComponentDecl> TfrmColor::ComponentTable() { return kComponents; }

TfrmColor::TfrmColor(const ColorDialogContext& context)
    : TForm(context.forms, kComponents), ctx_(context), edited_(context.color.CurrentColor()),
      startup_(context.startup) {
  for (const wchar_t* name : {L"sbAll", L"sbRed", L"sbGreen", L"sbBlue"}) HandleClick(name, &TfrmColor::sbChannelClick);
  for (const wchar_t* name : {L"tbBright", L"tbCont", L"tbGamma"}) HandleChange(name, &TfrmColor::tbChange);
  HandleClick(L"btBrightReset", &TfrmColor::btBrightResetClick);
  HandleClick(L"btContReset", &TfrmColor::btContResetClick);
  HandleClick(L"btGammaReset", &TfrmColor::btGammaResetClick);
  HandleClick(L"btReset", &TfrmColor::btResetClick);
  HandleChange(L"cbTemplates", &TfrmColor::cbTemplatesChange);
  HandleClick(L"btSave", &TfrmColor::btSaveClick);
  HandleClick(L"btLoad", &TfrmColor::btLoadClick);
  HandleClick(L"btDelete", &TfrmColor::btDeleteClick);
  HandleClick(L"btExport", &TfrmColor::btExportClick);
  HandleClick(L"btImport", &TfrmColor::btImportClick);
  (*this)[L"btExport"].SetVisible(ctx_.profileFiles != nullptr);
  (*this)[L"btImport"].SetVisible(ctx_.profileFiles != nullptr);
  HandleClick(L"cbStartup", &TfrmColor::cbStartupClick);

  if (!startup_.load) startup_.profile.clear();
  (*this)[L"imgGradient"].SetPicture(ui::Picture::FromPixels(DrawColorGradient()));
  ReloadProfiles(startup_.load ? startup_.profile : std::wstring());
  (*this)[L"cbStartup"].SetChecked(startup_.load);
  ShowStartup();
  SelectViewForValues();
}

void TfrmColor::FormClose() {
  if (ModalResult() == TModalResult::Ok) {
    if (ctx_.saveStartup) ctx_.saveStartup(startup_);
    // The edited table is on the screen already.
    ctx_.color.SetCurrentColor(edited_);
  } else {
    ctx_.color.ApplyCurrentColor();
  }
}

void TfrmColor::sbChannelClick(ui::TComponent& sender) { SelectView(static_cast<ColorView>(sender.Tag())); }

void TfrmColor::tbChange(ui::TComponent&) { Recompute(); }

void TfrmColor::SetSlider(const wchar_t* name, int position) {
  (*this)[name].SetPosition(position);
  Recompute();
}

void TfrmColor::btBrightResetClick(ui::TComponent&) { SetSlider(L"tbBright", 0); }
void TfrmColor::btContResetClick(ui::TComponent&) { SetSlider(L"tbCont", 0); }
void TfrmColor::btGammaResetClick(ui::TComponent&) { SetSlider(L"tbGamma", 0); }

void TfrmColor::btResetClick(ui::TComponent&) {
  view_ = ColorView::All;
  (*this)[L"sbAll"].SetChecked(true);
  settingSliders_ = true;
  for (const wchar_t* name : {L"tbBright", L"tbCont", L"tbGamma"}) (*this)[name].SetPosition(0);
  settingSliders_ = false;
  Recompute();
}

void TfrmColor::SelectView(ColorView view) {
  view_ = view;
  static constexpr const wchar_t* kButtons[] = {L"sbAll", L"sbRed", L"sbGreen", L"sbBlue"};
  (*this)[kButtons[static_cast<size_t>(view)]].SetChecked(true);
  const ColorChannel channel = ChannelOf(view);
  settingSliders_ = true;
  (*this)[L"tbBright"].SetPosition(edited_.Brightness(channel));
  (*this)[L"tbCont"].SetPosition(edited_.Contrast(channel));
  (*this)[L"tbGamma"].SetPosition(edited_.Gamma(channel));
  settingSliders_ = false;
  Recompute();
}

void TfrmColor::SelectViewForValues() { SelectView(ChannelsAgree(edited_) ? ColorView::All : ColorView::Red); }

void TfrmColor::Recompute() {
  if (settingSliders_) return;
  const int brightness = (*this)[L"tbBright"].Position();
  const int contrast = (*this)[L"tbCont"].Position();
  const int gamma = (*this)[L"tbGamma"].Position();
  for (ColorChannel channel : {ColorChannel::Red, ColorChannel::Green, ColorChannel::Blue}) {
    if (view_ != ColorView::All && ChannelOf(view_) != channel) continue;
    edited_.Brightness(channel) = brightness;
    edited_.Contrast(channel) = contrast;
    edited_.Gamma(channel) = gamma;
  }
  const ColorChannel shown = ChannelOf(view_);
  wchar_t factor[16];
  std::swprintf(factor, std::size(factor), L"%.2f", GammaFactor(edited_.Gamma(shown)));
  (*this)[L"lbGamma"].SetCaption(factor);
  (*this)[L"lbCont"].SetCaption(std::to_wstring(edited_.Contrast(shown)));
  (*this)[L"lbBright"].SetCaption(std::to_wstring(edited_.Brightness(shown)));
  const ColorTable table = ComputeColorTable(edited_);
  ctx_.color.WriteTable(table);
  (*this)[L"imgCurve"].SetPicture(ui::Picture::FromPixels(DrawColorCurve(table, view_)));
}

void TfrmColor::ReloadProfiles(const std::wstring& select) {
  ui::TComponent& list = (*this)[L"cbTemplates"];
  list.SetItems(ctx_.color.Profiles().Names());
  list.SetText(select);
  cbTemplatesChange(list);
}

void TfrmColor::cbTemplatesChange(ui::TComponent& sender) {
  const bool chosen = !sender.Text().empty();
  (*this)[L"btLoad"].SetEnabled(chosen);
  (*this)[L"btDelete"].SetEnabled(chosen);
}

void TfrmColor::btSaveClick(ui::TComponent&) {
  ui::TfrmSelDP dialog(ctx_.forms);
  dialog.SetPrompt(L"创建配置文件", L"新的配置文件名");
  dialog.ShowList(false);
  dialog.ShowNameBox(true, (*this)[L"cbTemplates"].Text());
  dialog.ValidateInput = true;
  if (dialog.ShowModal() != TModalResult::Ok) return;
  const std::wstring name = dialog.Chosen();
  ctx_.color.Profiles().Save(name, edited_);
  ReloadProfiles(CleanProfileName(name));
}

void TfrmColor::btLoadClick(ui::TComponent&) {
  std::optional<ColorSettings> stored = ctx_.color.Profiles().Read((*this)[L"cbTemplates"].Text());
  if (!stored) return;
  edited_ = *stored;
  SelectViewForValues();
}

void TfrmColor::btDeleteClick(ui::TComponent&) {
  if (!platform::AskOkCancel(ctx_.user, L"确认", L"删除选择的配置吗?", platform::MessageIcon::Question, 1)) return;
  ctx_.color.Profiles().Delete((*this)[L"cbTemplates"].Text());
  ReloadProfiles(L"");
}

void TfrmColor::btExportClick(ui::TComponent&) {
  if (ctx_.profileFiles)
    settings::ExportProfile(*ctx_.profileFiles, settings::StoredProfileKind::Color, (*this)[L"cbTemplates"].Text());
}

void TfrmColor::btImportClick(ui::TComponent&) {
  if (!ctx_.profileFiles) return;
  if (std::optional<std::wstring> name = settings::ImportProfile(*ctx_.profileFiles, settings::StoredProfileKind::Color))
    ReloadProfiles(*name);
}

void TfrmColor::cbStartupClick(ui::TComponent& sender) {
  if (!sender.Checked()) {
    startup_ = {};
  } else if ((*this)[L"cbTemplates"].Text().empty()) {
    platform::MessageBoxRequest request;
    request.caption = L"错误";
    request.text = L"未选择配置!";
    request.icon = platform::MessageIcon::Error;
    ctx_.user.ShowMessage(request);
    sender.SetChecked(false);
  } else {
    startup_ = {true, (*this)[L"cbTemplates"].Text()};
  }
  ShowStartup();
}

void TfrmColor::ShowStartup() { (*this)[L"lbStartup"].SetCaption(startup_.profile); }

}  // namespace corvane::display
