#pragma once
// The tray's 3D profile submenus "Direct3D 配置" and "OpenGL 配置" (one radio item per
// stored profile, the one equal to the driver's settings checked, a click applies it),
// and the "另存为配置文件" items of the Direct3D and OpenGL submenus that save the
// driver's settings under a name the user types or picks.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "driver3d/profiles/profile_store.h"
#include "platform/key_watch.h"
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

  // Run by every menu refresh: refills Direct3DP1 and OpenGLP1. The names and the checked
  // profile are read again only when the profiles or the driver's keys changed since the
  // last refresh, by this program or any other.
  void RebuildProfileMenus();

  // The profiles the last rebuild checked; empty when none equals the driver's settings.
  const std::wstring& CheckedD3DProfile() const { return d3d_.checked; }
  const std::wstring& CheckedOpenGLProfile() const { return openGL_.checked; }

  // "另存为配置文件": asks for a name and saves the current settings under it.
  void sap1Click();
  void sap2Click();

 private:
  using Apply = void (*)(const Profile3DContext&, const std::wstring&);
  using Save = void (*)(const Profile3DContext&, const std::wstring&);

  // What one submenu showed at the last refresh, and the watch on its profiles' key.
  struct Listed {
    platform::KeyWatch watch;
    bool known = false;
    std::vector<std::wstring> names;  // in the registry's order, the launcher's backup included
    std::wstring checked;             // empty when no profile equals the driver's settings
  };

  void Read(Listed& listed, ProfileKind kind);
  void Fill(ui::TMenuItem& menu, const Listed& listed, Apply apply);
  void AskAndSave(ProfileKind kind, Save save);

  ui::TPopupMenu& pm1_;
  Profile3DMenuContext ctx_;
  Listed d3d_;
  Listed openGL_;
  // The driver key (with its OpenGL key) and the DirectDraw key.
  platform::KeyWatch driverWatch_;
  platform::KeyWatch directDrawWatch_;
};

}  // namespace corvane::driver3d
