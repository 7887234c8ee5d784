#pragma once
// A renderer without windows for tests: each modal form is played by the next script the
// test queued (set a position, click a button...), non-modal forms are only recorded.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/form.h"

namespace corvane::ui {

class SimFormRenderer final : public FormRenderer {
 public:
  using Script = std::function<void(TForm& form)>;

  struct Shown {
    std::wstring form;
    TModalResult result;
  };

  // Queues what the user does in the next modal form. A script that leaves the form open
  // closes it as the close box would (Cancel, unless FormCloseQuery refuses, which is a
  // broken script). A modal form with no script left is a test that did not expect it:
  // RunModal throws std::logic_error.
  void OnModal(Script script);
  size_t UnusedScripts() const { return scripts_.size(); }

  // Every modal form shown, in order, with how it ended.
  const std::vector<Shown>& History() const { return shown_; }
  // The non-modal forms showing now, by name.
  const std::vector<std::wstring>& ShowingForms() const { return showing_; }
  // Model changes seen while a form was showing.
  size_t ChangesSeen() const { return changes_; }
  // How often a form beeped.
  size_t Beeps() const { return beeps_; }

  void RunModal(TForm& form) override;
  void Show(TForm& form) override;
  void Hide(TForm& form) override;
  void BringToFront(TForm& form) override { broughtToFront_.push_back(form.Name()); }
  // The forms put in front again, by name, in order.
  const std::vector<std::wstring>& BroughtToFront() const { return broughtToFront_; }
  void ComponentChanged(TComponent& component, ComponentProperty what) override;
  void FormDestroyed(TForm& form) override;
  void Beep() override { ++beeps_; }

 private:
  std::deque<Script> scripts_;
  std::vector<Shown> shown_;
  std::vector<std::wstring> showing_;
  size_t changes_ = 0;
  size_t beeps_ = 0;
  std::vector<std::wstring> broughtToFront_;
};

}  // namespace corvane::ui
