#include "display/display_commands.h"

#include <string>

#include "display/check_resolution_form.h"
#include "display/display_support.h"
#include "display/rotation.h"

namespace corvane::display {
namespace {

constexpr const wchar_t* kRotationItems[] = {L"rt0", L"rt1", L"rt2", L"rt3"};

}  // namespace

DisplayCommands::DisplayCommands(ui::TPopupMenu& pm1, DisplayCommandContext context)
    : pm1_(pm1), ctx_(std::move(context)) {
  for (const wchar_t* name : kRotationItems)
    pm1_.Item(name).OnClick = [this](ui::TMenuItem& item) { SetDesktopRotation(item.Tag); };
  pm1_.Item(L"ResetDisplayDriver1").OnClick = [this](ui::TMenuItem&) {
    if (ctx_.ReloadDriverSettings) ctx_.ReloadDriverSettings();
  };
  // The item's mark shows the desktop as it was when the menu opened: checked asks to stop.
  pm1_.Item(L"miExtDesk").OnClick = [this](ui::TMenuItem& item) { SetExtendedDesktop(ctx_.env, !item.Checked); };
}

void DisplayCommands::Refresh() {
  UpdateRotationMenu();
  pm1_.Item(L"miExtDesk").Checked = IsDesktopExtended(ctx_.env.devices);
}

void DisplayCommands::UpdateRotationMenu() {
  const int32_t rotation = GetCurrentRotation(ctx_.env);
  if (rotation == Rotation::Unknown) return;
  if (ui::TMenuItem* item = pm1_.Find(L"rt" + std::to_wstring(rotation))) item->SetChecked(true);
}

void DisplayCommands::SetDesktopRotation(int32_t code) {
  display::SetDesktopRotation(ctx_.env, code, [this] { return ConfirmDisplayChangeDialog(ctx_.forms); });
}

}  // namespace corvane::display
