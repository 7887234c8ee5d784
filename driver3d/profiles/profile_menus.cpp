#include "driver3d/profiles/profile_menus.h"

#include <memory>
#include <optional>
#include <vector>

#include "ui/select_dialog.h"

namespace corvane::driver3d {
namespace {

// The submenus hold nothing but the profile items.
constexpr int kProfileGroup = 1;

}  // namespace

Profile3DMenus::Profile3DMenus(ui::TPopupMenu& pm1, Profile3DMenuContext context)
    : pm1_(pm1), ctx_(std::move(context)) {
  pm1_.Item(L"sap1").OnClick = [this](ui::TMenuItem&) { sap1Click(); };
  pm1_.Item(L"sap2").OnClick = [this](ui::TMenuItem&) { sap2Click(); };
}

void Profile3DMenus::RebuildProfileMenus() {
  checkedD3D_ = Rebuild(pm1_.Item(L"Direct3DP1"), ProfileKind::Direct3D, &ApplyD3DProfile);
  checkedOpenGL_ = Rebuild(pm1_.Item(L"OpenGLP1"), ProfileKind::OpenGL, &ApplyOpenGLProfile);
}

std::wstring Profile3DMenus::Rebuild(ui::TMenuItem& menu, ProfileKind kind, Apply apply) {
  menu.DeleteFrom(0);
  auto key = ctx_.profiles.registry.OpenKey(platform::RegistryRoot::CurrentUser,
                                            ProfileKindKey(ctx_.profiles, kind), true);
  const std::vector<std::wstring> names = key ? key->SubKeyNames() : std::vector<std::wstring>{};
  // The launcher's backup alone keeps the menu enabled, though it shows nothing.
  menu.Enabled = !names.empty();

  std::wstring checked;
  bool found = false;
  // The driver's settings, read once when there is a profile to compare with them.
  std::optional<DriverSnapshot3D> now;
  for (const std::wstring& name : names) {
    if (name == kBackupProfileName) continue;
    auto item = std::make_unique<ui::TMenuItem>();
    item->Caption = name;
    item->RadioItem = true;
    item->GroupIndex = kProfileGroup;
    item->AutoHotkeys = false;
    // Several profiles may hold the same settings: only the first is marked.
    if (!found && !now) now = ReadDriverSnapshot(ctx_.profiles, kind);
    if (!found && ProfileMatches(ctx_.profiles, name, *now)) {
      item->Checked = true;
      found = true;
      checked = name;
    }
    // The name itself, not the caption: a '&' in a name is part of it, not an accelerator.
    item->OnClick = [this, apply, name](ui::TMenuItem&) { apply(ctx_.profiles, name); };
    menu.Add(std::move(item));
  }
  return checked;
}

void Profile3DMenus::sap1Click() { AskAndSave(ProfileKind::Direct3D, &SaveD3DProfile); }

void Profile3DMenus::sap2Click() { AskAndSave(ProfileKind::OpenGL, &SaveOpenGLProfile); }

void Profile3DMenus::AskAndSave(ProfileKind kind, Save save) {
  {
    ui::TfrmSelDP dialog(ctx_.forms);
    dialog.SetPrompt(L"创建配置文件", L"新的配置文件名");
    dialog.ShowNameBox(false);
    dialog.ShowList(true, /*editable=*/true);
    dialog.SetChoices(ListedProfileNames(ctx_.profiles, kind));
    dialog.ValidateInput = true;
    // An existing profile of the name is replaced without asking.
    if (dialog.ShowModal() == ui::TModalResult::Ok) save(ctx_.profiles, dialog.Chosen());
  }
  if (ctx_.TrayMenuDone) ctx_.TrayMenuDone();
}

}  // namespace corvane::driver3d
