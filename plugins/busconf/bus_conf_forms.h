#pragma once
// busconf's dialogs: the list of settings, saved only with OK, and the entry dialog that
// adds or changes one, accepting only non-zero hexadecimal register and value.

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "platform/user_interaction.h"
#include "plugins/busconf/bus_settings.h"
#include "ui/form.h"

namespace corvane::busconf {

// The hexadecimal digits of a register or value field (1 to 8, blanks around ignored);
// nothing for anything else.
std::optional<uint32_t> ParseHex(std::wstring_view text);

class TfrmBusConfEntry final : public ui::TForm {
 public:
  TfrmBusConfEntry(const ui::FormContext& context, platform::UserInteraction& user, const BusSetting& initial);
  static std::span<const ui::ComponentDecl> ComponentTable();
  // What OK accepted: the register cut to 8 bits, the value to the width.
  const BusSetting& Result() const { return result_; }

 private:
  void btOkClick(ui::TComponent& sender);

  platform::UserInteraction& user_;
  BusSetting result_;
};

class TfrmBusConf final : public ui::TForm {
 public:
  TfrmBusConf(const ui::FormContext& context, platform::Registry& registry, platform::UserInteraction& user);
  static std::span<const ui::ComponentDecl> ComponentTable();
  const std::vector<BusSetting>& Settings() const { return settings_; }

 private:
  void btAddClick(ui::TComponent& sender);
  void btEditClick(ui::TComponent& sender);
  void btDeleteClick(ui::TComponent& sender);
  void btOkClick(ui::TComponent& sender);
  void lvSettingsDblClick(ui::TComponent& sender);

  std::optional<BusSetting> AskEntry(const BusSetting& initial);
  void ShowRows(int selected);

  ui::FormContext context_;  // the entry dialog is shown through the same renderer
  platform::Registry& registry_;
  platform::UserInteraction& user_;
  std::vector<BusSetting> settings_;
};

}  // namespace corvane::busconf
