#pragma once
// TfrmRefLock, "定制锁定刷新率": the lock switch and the table of fixed refresh rates per
// resolution. The table is edited here and written on OK only.

#include <functional>
#include <span>
#include <string>

#include "display/resolutions/refresh_lock.h"
#include "display/resolutions/res_class.h"
#include "platform/registry.h"
#include "platform/user_interaction.h"
#include "ui/form.h"

namespace corvane::display {

struct RefLockDialogContext {
  ui::FormContext forms;
  platform::UserInteraction& user;
  platform::Registry& registry;
  std::wstring profilesRoot;  // where "ROV" is a sub-key, below HKEY_CURRENT_USER
  const TResClass& catalogue;
  bool lockEnabled = false;  // "ROVEnabled"
  // OK: writes "ROVEnabled" and saves the settings.
  std::function<void(bool enabled)> saveEnabled;
  // support.dll beside the program, whose bitmaps the four table buttons show.
  std::wstring supportLibrary;
};

class TfrmRefLock final : public ui::TForm {
 public:
  explicit TfrmRefLock(const RefLockDialogContext& context);
  static std::span<const ui::ComponentDecl> ComponentTable();

  const RefreshLockTable& Table() const { return table_; }

 protected:
  void FormClose() override;

 private:
  void cbResChange(ui::TComponent& sender);
  void btAddClick(ui::TComponent& sender);
  void btRemoveClick(ui::TComponent& sender);
  void btAddAllClick(ui::TComponent& sender);
  void btRemoveAllClick(ui::TComponent& sender);
  void lvResClick(ui::TComponent& sender);
  void lvResDblClick(ui::TComponent& sender);

  // The table into the list; `select` is the row to select, -1 none.
  void ShowRows(int select);
  bool Ask(const std::wstring& caption, const std::wstring& text, platform::MessageIcon icon,
           platform::MessageButtons buttons);

  RefLockDialogContext ctx_;
  RefreshLockTable table_;
};

}  // namespace corvane::display
