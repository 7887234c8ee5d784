#include "app/tray_icon.h"

#include <cmath>
#include <cwchar>
#include <limits>

namespace corvane {
namespace {

constexpr wchar_t kLoadingTip[] = L"Loading...";

}  // namespace

int32_t RoundClock(double mhz) {
  // nearbyint rounds in the default mode, to nearest with ties to even.
  const double rounded = std::nearbyint(mhz);
  if (!std::isfinite(rounded) || rounded < std::numeric_limits<int32_t>::min() ||
      rounded > std::numeric_limits<int32_t>::max()) {
    return std::numeric_limits<int32_t>::min();
  }
  return static_cast<int32_t>(rounded);
}

std::wstring TrayTipText(const TrayTipInputs& inputs) {
  const int multiplier = inputs.showDdr ? 2 : 1;
  const int32_t core = RoundClock(inputs.coreClockMhz);
  const int32_t memory = RoundClock(multiplier * inputs.memClockMhz);
  const menus::QualityCounters& q = inputs.quality;
  // Wide enough for the longest numbers; the notify-icon call cuts the tip anyway.
  wchar_t text[160];
  if (inputs.aceMode) {
    std::swprintf(text, std::size(text), L"Corvane\r时钟 - %d:%d\r3D AA:%d AF:%d", core, memory, q.d3dAA, q.d3dAF);
  } else {
    std::swprintf(text, std::size(text), L"Corvane\r时钟 - %d:%d\rD3D AA:%d AF:%d\rOGL  AA:%d AF:%d", core, memory,
                  q.d3dAA, q.d3dAF, q.oglAA, q.oglAF);
  }
  std::wstring tip = text;
  // Running on the simulated card says so where the user looks first.
  if (inputs.simulated) tip.insert(std::wstring(L"Corvane").size(), L" (simulated)");
  return tip;
}

TrayMenuChoice MenuForTrayClick(uint32_t mouseMessage, bool swapButtons) {
  switch (mouseMessage) {
    case TrayMouse::LeftButtonDown:
      return swapButtons ? TrayMenuChoice::MainMenu : TrayMenuChoice::ResolutionMenu;
    case TrayMouse::RightButtonDown:
      return swapButtons ? TrayMenuChoice::ResolutionMenu : TrayMenuChoice::MainMenu;
    default:
      return TrayMenuChoice::None;
  }
}

TrayIcon::TrayIcon(platform::NotifyIcon& notifyIcon, settings::TRegValues& reg1, std::wstring programFolder)
    : notifyIcon_(notifyIcon), reg1_(reg1), programFolder_(std::move(programFolder)) {}

void TrayIcon::AddTrayIcon() {
  if (!applicationIcon_) applicationIcon_ = notifyIcon_.ApplicationIcon();
  if (reg1_.GetInteger(L"OemVersion") == 1) {
    if (auto branded = notifyIcon_.IconFromFile(programFolder_ + reg1_.GetString(L"OemIcon")))
      applicationIcon_ = std::move(branded);
  }
  shownIcon_ = applicationIcon_ ? notifyIcon_.CopyIcon(*applicationIcon_) : nullptr;

  platform::NotifyIconData data;
  data.window = window_;
  data.id = kTrayIconId;
  data.flags = platform::NotifyIconFlag::All;
  data.callbackMessage = kTrayCallbackMessage;
  data.icon = shownIcon_ ? shownIcon_->Handle() : 0;
  data.tip = kLoadingTip;
  notifyIcon_.Add(data);
}

void TrayIcon::RemoveTrayIcon() { notifyIcon_.Delete(window_, kTrayIconId); }

void TrayIcon::UpdateTrayTip(const TrayTipInputs& inputs) {
  platform::NotifyIconData data;
  data.window = window_;
  data.id = kTrayIconId;
  data.flags = platform::NotifyIconFlag::Tip;
  data.tip = TrayTipText(inputs);
  notifyIcon_.Modify(data);
}

void TrayIcon::TrayMenuDone() { notifyIcon_.SetFocus(window_, kTrayIconId); }

}  // namespace corvane
