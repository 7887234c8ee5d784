#include "driver3d/quick_items/rate_dialogs.h"

#include <vector>

#include "driver3d/choices.h"
#include "driver3d/quick_items/quick_actions.h"
#include "ui/select_dialog.h"

namespace corvane::driver3d {
namespace {

// The frame rates a threshold may also take below the refresh rates.
constexpr uint16_t kLowFrameThresholds[] = {10, 20, 30, 40, 50};

std::vector<std::wstring> RefreshRateTexts() {
  std::vector<std::wstring> texts;
  for (uint16_t rate : RefreshRateChoices) texts.push_back(std::to_wstring(rate));
  return texts;
}

// The dialog's choice after OK; nothing on Cancel or when no number was chosen.
std::optional<uint32_t> ShowChoice(Quick3DContext& ctx, const std::wstring& caption, const std::wstring& label,
                                   std::vector<std::wstring> choices, const std::wstring& selected) {
  ui::TfrmSelDP dialog(ctx.forms);
  dialog.SetPrompt(caption, label);
  dialog.ShowList(true);
  dialog.SetChoices(std::move(choices), selected);
  if (dialog.ShowModal() != ui::TModalResult::Ok) return std::nullopt;
  return ParseDecimal(dialog.Chosen());
}

}  // namespace

std::optional<uint32_t> ChooseCustomRefreshRate(Quick3DContext& ctx) {
  const uint32_t desktop = ctx.DesktopRefreshRate ? ctx.DesktopRefreshRate() : 0;
  return ShowChoice(ctx, L"设置自定义刷新率", L"选择刷新率", RefreshRateTexts(), std::to_wstring(desktop));
}

std::optional<std::wstring> ChooseFrameThreshold(Quick3DContext& ctx, const std::wstring& current) {
  std::vector<std::wstring> choices;
  for (uint16_t rate : kLowFrameThresholds) choices.push_back(std::to_wstring(rate));
  for (std::wstring& rate : RefreshRateTexts()) choices.push_back(std::move(rate));
  std::optional<uint32_t> chosen = ShowChoice(ctx, L"Value", L"Select Threshold value", std::move(choices), current);
  if (!chosen) return std::nullopt;
  return std::to_wstring(*chosen);
}

}  // namespace corvane::driver3d
