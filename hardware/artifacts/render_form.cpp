#include "hardware/artifacts/render_form.h"

#include <cwchar>
#include <iterator>
#include <vector>

namespace corvane::artifacts {
namespace {

using ui::ComponentDecl;
using K = ui::ComponentKind;

const std::vector<ComponentDecl>& RenderComponents() {
  static const std::vector<ComponentDecl> components = {
      {.kind = K::Form, .name = L"frm3DRender", .caption = L"3D 渲染", .width = 400, .height = 400,
       .border = ui::FormBorder::ToolWindow},
      {.kind = K::Timer, .name = L"tmRender", .interval = 10},
  };
  return components;
}

}  // namespace

Tfrm3DRender::Tfrm3DRender(const RenderContext& context)
    : TForm(context.forms, RenderComponents()), ctx_(context), store_(context.threading) {
  Show();
  if (ctx_.frames) source_ = ctx_.frames(*this, store_);
  if (source_) HandleTimer(L"tmRender", &Tfrm3DRender::tmRenderTimer);
}

Tfrm3DRender::~Tfrm3DRender() {
  // The render thread ends before the frames it draws into go away.
  source_.reset();
  Hide();
}

void Tfrm3DRender::StartScan() {
  scanning_ = true;
  waiting_ = false;
  store_.StartComparing();
}

void Tfrm3DRender::StartMemSearch(const SearchControls& controls) { StartSearch(SearchKind::Memory, controls); }
void Tfrm3DRender::StartCoreSearch(const SearchControls& controls) { StartSearch(SearchKind::Core, controls); }

void Tfrm3DRender::StartSearch(SearchKind kind, const SearchControls& controls) {
  search_ = Search{kind, &controls.slider, &controls.apply, &controls.start};
  thresholdMs_ = ctx_.atomBios ? kAtomThresholdMs : kDefaultThresholdMs;
  waiting_ = false;
  steppedDown_ = false;
  heldCount_ = 0;
  StartScan();
}

void Tfrm3DRender::Stop() {
  scanning_ = false;
  store_.StopComparing();
  SetCaption(L"3D Rendered");
  search_.reset();
  heldCount_ = 0;
  thresholdMs_ = kDefaultThresholdMs;
  waiting_ = false;
}

void Tfrm3DRender::tmRenderTimer(ui::TComponent&) {
  source_->Step();
  const uint32_t now = ctx_.forms.clock.TickCount();
  if (waiting_) {
    // A new reference at the new clock, once the card has settled.
    if (now - startTick_ > kSettleMs) {
      waiting_ = false;
      scanning_ = true;
      store_.StartComparing();
    }
    return;
  }
  if (!scanning_) return;
  const FrameStore::Comparison comparison = store_.Compare();
  if (comparison == FrameStore::Comparison::NotComparing) return;
  if (comparison == FrameStore::Comparison::NewReference) startTick_ = now;
  if (comparison == FrameStore::Comparison::Different)
    DirtyFrame();
  else
    CleanFrame(now - startTick_);
}

void Tfrm3DRender::ShowElapsed(uint32_t elapsedMs) {
  wchar_t text[48];
  std::swprintf(text, std::size(text), L"无 Artifacts %u.%u s.", elapsedMs / 1000, elapsedMs % 1000);
  SetCaption(text);
}

void Tfrm3DRender::CleanFrame(uint32_t elapsedMs) {
  ShowElapsed(elapsedMs);
  if (!search_ || elapsedMs < thresholdMs_) return;
  if (steppedDown_ && ++heldCount_ == kHoldsToFinish) {
    EndSearch(search_->kind == SearchKind::Memory ? L"发现最大 MEM 时钟" : L"发现最大 GPU 时钟");
    return;
  }
  if (!StepClock(+1)) {
    EndSearch(L"已到达最大频率. 可通过修改\rcorvane.ini 中的ovr_perc_up=来增加最大值  ");
    return;
  }
  AfterClockStep(false);
}

void Tfrm3DRender::DirtyFrame() {
  startTick_ = ctx_.forms.clock.TickCount();
  if (!search_) {
    SetCaption(L"");
    return;
  }
  SetCaption(L"Artifacts!");
  if (!StepClock(-1)) {
    EndSearch(L"已到达最小频率. 可通过修改\rcorvane.ini 中的ovr_perc_down=来降低最小值");
    return;
  }
  AfterClockStep(true);
}

bool Tfrm3DRender::StepClock(int direction) {
  ui::TComponent& slider = *search_->slider;
  const int from = slider.Position();
  // The dialog shows the clock the card really runs at after apply; the PLL cannot make
  // every clock, so the step grows until the clock moved. The slider's range bounds it.
  for (int by = 1;; ++by) {
    const int target = from + direction * by;
    if (target > slider.Max() || target < slider.Min()) return false;
    slider.SetPosition(target);
    if (slider.OnChange) slider.OnChange(slider);
    Press(*search_->apply);
    if (!search_) return true;  // the apply ended the search (the dialog closed it)
    const int reached = slider.Position();
    if (direction > 0 ? reached > from : reached < from) return true;
  }
}

void Tfrm3DRender::AfterClockStep(bool down) {
  if (!search_) return;
  startTick_ = ctx_.forms.clock.TickCount();
  thresholdMs_ += kThresholdGrowthMs;
  scanning_ = false;
  store_.StopComparing();
  waiting_ = true;
  steppedDown_ = down;
}

void Tfrm3DRender::EndSearch(const std::wstring& text) {
  // The start button stops the search and gives the dialog its buttons back.
  Press(*search_->start);
  if (search_) Stop();
  ctx_.user.ShowMessage({.caption = L"信息", .text = text, .icon = platform::MessageIcon::Information});
}

void Tfrm3DRender::Press(ui::TComponent& button) {
  // Pressed by the program: a page of the dialog in front or not makes no difference.
  if (button.OnClick) button.OnClick(button);
}

}  // namespace corvane::artifacts
