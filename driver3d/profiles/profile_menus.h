#pragma once
// The tray's 3D profile submenus "Direct3D 配置" and "OpenGL 配置" (one radio item per
// stored profile, the one equal to the driver's settings checked, a click applies it),
// and the "另存为配置文件" items of the Direct3D and OpenGL submenus that save the
// driver's settings under a name the user types or picks.

#include <functional>
#include <string>

#include "driver3d/profiles/profile_store.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace corvane::driver3d {

struct Profile3DMenuContext {
  Profile3DContext profiles;
  // Where the name dialog is shown.
  ui::FormContext forms;
  // Gives the keyboard focus back to the notification area after the dialog.
  std::function<void()> TrayMenuDone;
};

class Profile3DMenus {
 public:
  // Sets the click handlers of `sap1` and `sap2` in `pm1`, which must outlive this object.
  Profile3DMenus(ui::TPopupMenu& pm1, Profile3DMenuContext context);
  Profile3DMenus(const Profile3DMenus&) = delete;
  Profile3DMenus& operator=(const Profile3DMenus&) = delete;

  // Run by every menu refresh: refills Direct3DP1 and OpenGLP1 from the registry.
  void RebuildProfileMenus();

  // The profiles the last rebuild checked; empty when none equals the driver's settings.
  const std::wstring& CheckedD3DProfile() const { return checkedD3D_; }
  const std::wstring& CheckedOpenGLProfile() const { return checkedOpenGL_; }

  // "另存为配置文件": asks for a name and saves the current settings under it.
  void sap1Click();
  void sap2Click();

 private:
  using Apply = void (*)(const Profile3DContext&, const std::wstring&);
  using Save = void (*)(const Profile3DContext&, const std::wstring&);

  // Returns the name of the checked item, empty when none.
  std::wstring Rebuild(ui::TMenuItem& menu, ProfileKind kind, Apply apply);
  void AskAndSave(ProfileKind kind, Save save);

  ui::TPopupMenu& pm1_;
  Profile3DMenuContext ctx_;
  std::wstring checkedD3D_;
  std::wstring checkedOpenGL_;
};

}  // namespace corvane::driver3d
