#pragma once
// A small borderless "please wait" box, shown without waiting while the program works on
// the UI thread (which then paints nothing else).

#include <string>

#include "ui/form.h"

namespace corvane::ui {

class TfrmWait final : public TForm {
 public:
  explicit TfrmWait(const FormContext& context, std::wstring message = L"请稍候...");

  void SetMessage(std::wstring message);
  const std::wstring& Message() const;
};

// Shows the wait form for as long as it lives: `WaitingWhile wait(form);` before long work.
class WaitingWhile {
 public:
  explicit WaitingWhile(TfrmWait& form) : form_(form) { form_.Show(); }
  ~WaitingWhile() { form_.Hide(); }
  WaitingWhile(const WaitingWhile&) = delete;
  WaitingWhile& operator=(const WaitingWhile&) = delete;

 private:
  TfrmWait& form_;
};

}  // namespace corvane::ui
