#pragma once
// TfrmCheckRes: "do you want to keep this?" after a display change. Left alone it counts
// down from ten seconds and ends with Cancel, so a picture nobody can see is undone.

#include <string>

#include "ui/form.h"

namespace corvane::display {

class TfrmCheckRes final : public ui::TForm {
 public:
  static constexpr int kCountdownSeconds = 10;

  // Components: lbQuestion "要保留当前设置吗?", lbCountdown ("%d 秒内恢复"), btOk "确定"
  // (OK), btCancel "取消" (Cancel, also Esc), tmCountdown (1000 ms).
  explicit TfrmCheckRes(const ui::FormContext& context);

  int SecondsLeft() const { return secondsLeft_; }

 private:
  void tmCountdownTimer(ui::TComponent& sender);

  int secondsLeft_ = kCountdownSeconds;
};

// Shows the dialog; true when the user keeps the change. A `caption` replaces the form's
// own, for changes other than the display's.
bool ConfirmDisplayChangeDialog(const ui::FormContext& context, const std::wstring& caption = {});

}  // namespace corvane::display
