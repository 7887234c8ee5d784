#pragma once
// TfrmOGL, "OpenGL": the driver's OpenGL settings (dwords in its OpenGL key) with the
// shared driver-key values "CatalystAI", "OGLForceRate" and temporal anti-aliasing, and
// the OpenGL profiles in "配置文件(&P)". Applying never makes the driver reload: OpenGL
// programs read these values when they start.

#include <span>

#include "driver3d/dialogs/settings_form.h"
#include "driver3d/settings_table.h"

namespace corvane::driver3d {

class TfrmOGL final : public TSettings3DForm {
 public:
  explicit TfrmOGL(const Dialog3DContext& context);

  static std::span<const ui::ComponentDecl> ComponentTable();

  void LoadFromDriver() override;
  void ApplyToDriver() override;

 private:
  void WriteProfile(platform::RegistryKey& profile) override;
  void ReadProfile(const platform::RegistryKey& profile) override;

  using DwordSource = std::function<int32_t(const DwordSetting& setting)>;
  void ShowSettings(const DwordSource& value);
  struct Value {
    const DwordSetting* setting;
    int32_t value;
  };
  // The OpenGL key's values the controls stand for.
  std::vector<Value> ChosenValues() const;

  // What the controls were filled from, for a stored value they cannot show.
  int32_t storedScale_ = 0;
  int32_t storedDegree_ = 0;
  int32_t storedType_ = 0;
  int32_t storedFast_ = 0;
  int32_t storedDepth_ = 0;
};

}  // namespace corvane::driver3d
