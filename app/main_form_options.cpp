// The main form's side of the general options: what the dialog works on, and the tray
// menus' drawing switched as soon as it closes with OK.

#include <cwchar>

#include "app/main_form.h"
#include "app/options/gen_options_form.h"
#include "app/version.h"

namespace corvane {
namespace {

// "major.minor" of the program's version as a file version.
platform::FileVersion BuiltInVersion() {
  unsigned major = 0;
  unsigned minor = 0;
  std::swscanf(kProgramVersion, L"%u.%u", &major, &minor);
  return {static_cast<uint16_t>(major), static_cast<uint16_t>(minor), 0, 0};
}

}  // namespace

bool TfrmMainQRX::ShowGeneralOptions() {
  options::GenOptionsContext context{ui::FormContext{window_.Forms(), env_.ports.clock},
                                     env_.ports.registry,
                                     *reg1_,
                                     env_.ports.user,
                                     env_.ports.shell,
                                     env_.ports.iniFiles,
                                     env_.ports.shell.ProgramFilePath(),
                                     env_.programFolder};
  context.choosers = env_.options.choosers;
  context.update = env_.options.update;
  context.builtInVersion = BuiltInVersion();
  context.openFile = env_.openFile;
  context.recorder = recorder_.get();
  context.UseSkinnedMenu = [this](bool skinned) { window_.UseSkinnedMenus(skinned); };
  options::TfrmGenOptions dialog(context);
  return dialog.ShowModal() == ui::TModalResult::Ok;
}

}  // namespace corvane
