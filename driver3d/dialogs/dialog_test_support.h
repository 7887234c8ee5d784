#pragma once
// The settings dialogs on a simulated driver and profile area, played through the
// component model: the renderer plays the name dialog, the user answers message boxes.

#include <memory>
#include <string>

#include "driver3d/dialogs/settings_form.h"
#include "driver3d/profiles/profile_test_support.h"
#include "platform/sim/clock_sim.h"
#include "platform/text_encoding.h"
#include "platform/sim/user_interaction_sim.h"
#include "ui/form_renderer_sim.h"

namespace corvane::driver3d::testing {

inline constexpr uint32_t kDesktopRate = 60;

class DialogTest : public ProfileTest {
 public:
  // Table-driven cases reach the rig through a reference.
  using ProfileTest::Put;
  using ProfileTest::SetDword;
  using ProfileTest::SetText;

  Dialog3DContext DialogContext() {
    return {{renderer, clock}, Context(), user, [] { return kDesktopRate; }, ui::Picture::BitmapResource(L"support.dll", L"mainimg")};
  }
  template <class Form>
  Form& Open() {
    form.reset();
    form = std::make_unique<Form>(DialogContext());
    return static_cast<Form&>(*form);
  }
  // The component, with its page in front as a user would bring it.
  ui::TComponent& operator[](const wchar_t* name) {
    ui::TComponent& component = (*form)[name];
    for (ui::TComponent* parent = component.Parent(); parent; parent = parent->Parent())
      if (parent->Kind() == ui::ComponentKind::TabSheet) parent->Parent()->SetActivePage(parent->Name());
    return component;
  }
  void Select(const wchar_t* name, const std::wstring& item) {
    ui::TComponent& list = (*this)[name];
    for (size_t i = 0; i < list.Items().size(); ++i)
      if (list.Items()[i] == item) return list.UserSelect(static_cast<int>(i));
    FAIL() << "no item " << platform::ToUtf8(item);
  }
  void Page(const wchar_t* sheet) { (*form)[L"pcMain"].SetActivePage(sheet); }
  // "另存(&S)" with the name typed into the name dialog.
  void SaveAs(const std::wstring& name) {
    renderer.OnModal([name](ui::TForm& dialog) {
      dialog[L"edName"].UserSetText(name);
      dialog[L"btOk"].Click();
    });
    (*form)[L"btSave"].Click();
  }

  // Every value under a key and its sub-keys, as text, to see whether anything was written.
  std::string Snapshot(platform::RegistryRoot root, const std::wstring& path) {
    auto key = sim.OpenKey(root, path, false);
    if (!key) return "-";
    std::string text;
    for (const std::wstring& name : key->ValueNames()) {
      auto value = key->ReadValue(name);
      text += platform::ToUtf8(name) + "=" + std::to_string(value->type) + ":";
      for (uint8_t b : value->data) text += std::to_string(b) + ",";
      text += ";";
    }
    for (const std::wstring& sub : key->SubKeyNames()) text += "[" + Snapshot(root, path + L"\\" + sub) + "]";
    return text;
  }
  std::string Everything() {
    return Snapshot(platform::RegistryRoot::LocalMachine, kDriverKey) +
           Snapshot(platform::RegistryRoot::LocalMachine, kDirectDraw) +
           Snapshot(platform::RegistryRoot::CurrentUser, kProfilesRoot);
  }

  ui::SimFormRenderer renderer;
  platform::SimClock clock;
  platform::SimUserInteraction user;
  std::unique_ptr<TSettings3DForm> form;
};

}  // namespace corvane::driver3d::testing
