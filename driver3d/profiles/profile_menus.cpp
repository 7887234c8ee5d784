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
  using platform::RegistryRoot;
  platform::Registry& registry = ctx_.profiles.registry;
  d3d_.watch = {registry, RegistryRoot::CurrentUser, ProfileKindKey(ctx_.profiles, ProfileKind::Direct3D)};
  openGL_.watch = {registry, RegistryRoot::CurrentUser, ProfileKindKey(ctx_.profiles, ProfileKind::OpenGL)};
  driverWatch_ = ctx_.profiles.driver.WatchDriverKey();
  directDrawWatch_ = ctx_.profiles.driver.WatchDirectDrawKey();
  pm1_.Item(L"sap1").OnClick = [this](ui::TMenuItem&) { sap1Click(); };
  pm1_.Item(L"sap2").OnClick = [this](ui::TMenuItem&) { sap2Click(); };
}

void Profile3DMenus::RebuildProfileMenus() {
  // Both watches are looked at, so that neither reports an old change next time.
  const bool driverChanged = driverWatch_.Changed() | directDrawWatch_.Changed();
  if (d3d_.watch.Changed() | driverChanged || !d3d_.known) Read(d3d_, ProfileKind::Direct3D);
  if (openGL_.watch.Changed() | driverChanged || !openGL_.known) Read(openGL_, ProfileKind::OpenGL);
  Fill(pm1_.Item(L"Direct3DP1"), d3d_, &ApplyD3DProfile);
  Fill(pm1_.Item(L"OpenGLP1"), openGL_, &ApplyOpenGLProfile);
}

void Profile3DMenus::Read(Listed& listed, ProfileKind kind) {
  auto key = ctx_.profiles.registry.OpenKey(platform::RegistryRoot::CurrentUser,
                                            ProfileKindKey(ctx_.profiles, kind), true);
  listed.names = key ? key->SubKeyNames() : std::vector<std::wstring>{};
  listed.checked.clear();
  listed.known = true;
  // Several profiles may hold the same settings: only the first is marked. The driver's
  // settings are read once, when there is a profile to compare with them.
  std::optional<DriverSnapshot3D> now;
  for (const std::wstring& name : listed.names) {
    if (name == kBackupProfileName) continue;
    if (!now) now = ReadDriverSnapshot(ctx_.profiles, kind);
    if (ProfileMatches(ctx_.profiles, name, *now)) {
      listed.checked = name;
      break;
    }
  }
}

void Profile3DMenus::Fill(ui::TMenuItem& menu, const Listed& listed, Apply apply) {
  menu.DeleteFrom(0);
  // The launcher's backup alone keeps the menu enabled, though it shows nothing.
  menu.Enabled = !listed.names.empty();
  for (const std::wstring& name : listed.names) {
    if (name == kBackupProfileName) continue;
    auto item = std::make_unique<ui::TMenuItem>();
    item->Caption = name;
    item->RadioItem = true;
    item->GroupIndex = kProfileGroup;
    item->AutoHotkeys = false;
    item->Checked = name == listed.checked;
    // The name itself, not the caption: a '&' in a name is part of it, not an accelerator.
    item->OnClick = [this, apply, name](ui::TMenuItem&) { apply(ctx_.profiles, name); };
    menu.Add(std::move(item));
  }
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
