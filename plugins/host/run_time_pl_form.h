#pragma once
// TfrmRunTimePL, "Run Time 插件": the run-time plug-ins with their enabled and running
// state, and the buttons that enable, disable, start, stop and configure the selected one.
// The rows are read again from the list after every action.

#include <span>
#include <string>

#include "plugins/host/rpl_list.h"
#include "ui/form.h"

namespace corvane::plugins {

class TfrmRunTimePL final : public ui::TForm {
 public:
  TfrmRunTimePL(const ui::FormContext& context, TRPLList& plugins);

  static std::span<const ui::ComponentDecl> ComponentTable();

 protected:
  bool FormCloseQuery() override { return !busy_; }

 private:
  void FormCreate();
  void lvPluginsClick(ui::TComponent& sender);
  void lvPluginsDblClick(ui::TComponent& sender);
  void btStartClick(ui::TComponent& sender);
  void btStopClick(ui::TComponent& sender);
  void btConfigClick(ui::TComponent& sender);
  void btEnableClick(ui::TComponent& sender);
  void btCloseClick(ui::TComponent& sender);

  // The plug-in of the selected row; null without a selection.
  TRunTimePlugin* Selected() const;
  void BuildList();
  void UpdateButtons();

  TRPLList& plugins_;
  // A configure call is running (the plug-in's own window keeps the message loop going).
  bool busy_ = false;
};

}  // namespace corvane::plugins
