#pragma once
// TfrmGP, "游戏配置管理": the game profile editor. Lists the stored profiles and fills the
// controls from the chosen one; new, save (checked first), delete, and a desktop shortcut
// that starts the game through this program.

#include <span>
#include <string>
#include <vector>

#include "display/resolutions/res_class.h"
#include "games/game_profile.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/user_interaction.h"
#include "settings/profile_transfer.h"
#include "settings/reg_values.h"
#include "ui/form.h"

namespace corvane::games {

struct GameProfileDialogContext {
  ui::FormContext forms;
  platform::Registry& registry;
  platform::UserInteraction& user;
  platform::Shell& shell;
  // "ShowDDR" for the overclocking lists, "LastDir" for the file chooser.
  settings::TRegValues& reg1;
  std::wstring profilesRoot;
  // The desktop modes offered for the game; null: only "不更改".
  const display::TResClass* catalogue = nullptr;
  bool AceMode = false;
  // The maker's library whose CreateShortcut makes the desktop link.
  std::wstring supportLibrary;
  // A profile to a file and back; null: the two buttons are not offered.
  const settings::ProfileTransferContext* profileFiles = nullptr;
};

// The overclocking choices before and after the game, in the order of their lists.
inline constexpr int kOverChoiceNone = 0;
inline constexpr int kOverChoiceProfile = 1;
inline constexpr int kOverChoiceAuto = 2;

class TfrmGP final : public ui::TForm {
 public:
  explicit TfrmGP(const GameProfileDialogContext& context);
  static std::span<const ui::ComponentDecl> ComponentTable();

 private:
  void cbGamesChange(ui::TComponent& sender);
  void SpeedButton1Click(ui::TComponent& sender);
  void btNewClick(ui::TComponent& sender);
  void btSaveClick(ui::TComponent& sender);
  void btDeleteClick(ui::TComponent& sender);
  void btExportClick(ui::TComponent& sender);
  void btImportClick(ui::TComponent& sender);
  void btShortcutClick(ui::TComponent& sender);
  void ChoiceChange(ui::TComponent& sender);

  void FillLists();
  void LoadGames(const std::wstring& select);
  // The combo boxes of a choice follow its check box or overclocking choice.
  void UpdateEnabled();
  // False, with the reason shown and nothing written, when the profile is incomplete.
  bool SaveProfile();
  // The first failed check's message, or empty.
  std::wstring Check(const std::wstring& name) const;
  void ShowError(const std::wstring& text);
  void SetStatus(const std::wstring& text);
  // The plain profile name of the selected item of an overclocking list; empty for none.
  std::wstring OverName(const wchar_t* list) const;
  void SelectOverName(const wchar_t* list, const std::wstring& name);

  GameProfileDialogContext ctx_;
  // The plain profile name behind each item of cbOvers and cbAfter (both list the same).
  std::vector<std::wstring> overNames_;
};

}  // namespace corvane::games
