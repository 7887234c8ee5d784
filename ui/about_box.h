#pragma once
// The about box: the program's icon, the maker's bitmap when its library has one, the
// version, and for branded builds a brand line and a link.

#include <functional>
#include <string>

#include "ui/form.h"

namespace corvane::ui {

struct AboutInfo {
  std::wstring version{};                 // shown after "Corvane v"
  bool branded = false;                 // the brand line and link are shown
  std::wstring brandText{};
  std::wstring linkAddress{};             // blank: no link
  std::wstring linkCaption{};             // empty: the address is shown
  Picture brandBitmap{};                  // nothing shows when it cannot be loaded
  bool simulatedHardware = false;       // says so, as the tooltip does
};

class TfrmAbout final : public TForm {
 public:
  // The brand band's height: an unbranded box is this much shorter.
  static constexpr int kBrandBandHeight = 40;

  TfrmAbout(const FormContext& context, const AboutInfo& info);

  // Opens the link's address (the shell's business, given by whoever shows the box).
  std::function<void(const std::wstring& address)> OnOpenLink;

 private:
  void lkBrandClick(TComponent& sender);
};

}  // namespace corvane::ui
