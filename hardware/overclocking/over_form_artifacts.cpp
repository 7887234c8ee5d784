// TfrmOver's artifact test group: opening and closing the tester's window, its scan, and
// the two maximum searches, which drive this dialog's clock sliders and apply button.

#include "hardware/overclocking/over_form.h"

namespace corvane::overclocking {
namespace {

constexpr const wchar_t* kRenderCaption = L"显示3D渲染(&E)";
constexpr const wchar_t* kCloseRenderCaption = L"关闭 3D 渲染";
constexpr const wchar_t* kScanCaption = L"扫描Artifacts(&F)";
constexpr const wchar_t* kStopCaption = L"停止";
constexpr const wchar_t* kArtifactButtons[] = {L"btRender", L"btScan", L"btMaxGpu", L"btMaxMem"};

}  // namespace

void TfrmOver::btRenderClick(ui::TComponent& sender) {
  if (renderer_) {
    CloseRenderer();
    return;
  }
  if (OpenRenderer()) sender.SetCaption(kCloseRenderCaption);
  EnableArtifactButtons(nullptr);
}

bool TfrmOver::OpenRenderer() {
  if (ctx_.TemporalAAOn && ctx_.TemporalAAOn()) {
    platform::MessageBoxRequest request;
    request.caption = L"确认";
    request.text = L"在 TemporaAA 开启时 , QRX 无法进行扫描!\r 要关闭 TemporalAA 然后继续吗?";
    request.icon = platform::MessageIcon::Question;
    request.buttons = platform::MessageButtons::YesNo;
    if (ctx_.user.ShowMessage(request) != platform::MessageAnswer::Yes) return false;
    if (ctx_.SwitchTemporalAAOff) ctx_.SwitchTemporalAAOff();
  }
  renderer_ = std::make_unique<artifacts::Tfrm3DRender>(
      artifacts::RenderContext{ctx_.forms, *ctx_.threading, ctx_.user, ctx_.artifactFrames,
                               hardware::TRVX::IsAtomBiosChip(ctx_.rvx.DeviceId)});
  if (!renderer_->Rendering()) {
    renderer_.reset();
    return false;
  }
  rendererOpened_ = true;
  return true;
}

void TfrmOver::CloseRenderer() {
  renderer_.reset();
  (*this)[L"btRender"].SetCaption(kRenderCaption);
  (*this)[L"btScan"].SetCaption(kScanCaption);
  (*this)[L"btMaxGpu"].SetCaption(L"测试&GPU最大值");
  (*this)[L"btMaxMem"].SetCaption(L"测试&MEM最大值");
  EnableArtifactButtons(nullptr);
}

void TfrmOver::FormClose() { renderer_.reset(); }

void TfrmOver::btScanClick(ui::TComponent& sender) {
  if (!renderer_) return;
  if (renderer_->Scanning()) {
    renderer_->Stop();
    sender.SetCaption(kScanCaption);
    EnableArtifactButtons(nullptr);
    return;
  }
  renderer_->StartScan();
  sender.SetCaption(kStopCaption);
  EnableArtifactButtons(&sender);
}

void TfrmOver::btMaxGpuClick(ui::TComponent& sender) { ToggleSearch(sender, L"tbCore", L"搜索最大 GPU"); }
void TfrmOver::btMaxMemClick(ui::TComponent& sender) { ToggleSearch(sender, L"tbMem", L"搜索最大 MEM"); }

void TfrmOver::ToggleSearch(ui::TComponent& button, const wchar_t* slider, const wchar_t* idleCaption) {
  if (!renderer_) return;
  if (renderer_->Searching()) {
    renderer_->Stop();
    button.SetCaption(idleCaption);
    EnableArtifactButtons(nullptr);
    return;
  }
  // Its own clock page in front, so the user sees the slider move.
  (*this)[L"pcMain"].SetActivePage(L"tsClocks");
  const artifacts::SearchControls controls{(*this)[slider], (*this)[L"btApply"], button};
  if (&button == &(*this)[L"btMaxGpu"])
    renderer_->StartCoreSearch(controls);
  else
    renderer_->StartMemSearch(controls);
  button.SetCaption(kStopCaption);
  EnableArtifactButtons(&button);
}

void TfrmOver::EnableArtifactButtons(const ui::TComponent* running) {
  const bool available = ctx_.artifactFrames && ctx_.threading;
  for (const wchar_t* name : kArtifactButtons) {
    ui::TComponent& button = (*this)[name];
    const bool isRender = button.Name() == L"btRender";
    if (running)
      button.SetEnabled(&button == running);
    else
      button.SetEnabled(available && (isRender || renderer_ != nullptr));
  }
}

}  // namespace corvane::overclocking
