#pragma once
// TfrmD3D, "Direct3D" ("3D Settings" with the newer driver storage): every Direct3D
// setting of the driver on the pages "常规" and "附加", and with the newer storage the
// shared OpenGL values on a third page "OpenGL"; Direct3D profiles in "配置文件(&P)".
// Shown modally from the tray; it reads the driver when it opens and writes back on
// "应用(&A)" and "确定(&O)".

#include <span>

#include "driver3d/dialogs/settings_form.h"
#include "driver3d/settings_table.h"

namespace corvane::driver3d {

class TfrmD3D final : public TSettings3DForm {
 public:
  explicit TfrmD3D(const Dialog3DContext& context);

  static std::span<const ui::ComponentDecl> ComponentTable();

  void LoadFromDriver() override;
  void ApplyToDriver() override;

 private:
  void WriteProfile(platform::RegistryKey& profile) override;
  void ReadProfile(const platform::RegistryKey& profile) override;

  // One setting's text as the dialog shows it, with a reader that gives the driver's or
  // the profile's value by name (the profile keeps vertical sync under "VSync").
  using TextSource = std::function<std::wstring(const TextSetting& setting)>;
  void ShowSettings(const TextSource& text);
  // The text values the controls stand for, in writing order; nothing means removed.
  struct Value {
    const TextSetting* setting;
    std::optional<std::wstring> text;
  };
  std::vector<Value> ChosenValues() const;

  bool aceMode_;
  // What the anti-aliasing and anisotropy controls were filled from, for a stored
  // value they cannot show.
  std::wstring storedAntiAlias_ = L"1";
  std::wstring storedSamples_ = L"0";
  std::wstring storedAnisoDegree_ = L"0";
  std::wstring storedAnisoType_ = L"2";
  std::wstring storedZBuffer_ = L"0";
};

}  // namespace corvane::driver3d
