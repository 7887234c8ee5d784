#include "driver3d/dialogs/ogl_form.h"

#include "driver3d/setting_values.h"
#include "driver3d/settings_table.h"
#include "platform/registry_values.h"

namespace corvane::driver3d {
namespace {

namespace dk = driver_key;
namespace gl = opengl_key;
using ui::TComponent;

int ItemOf(const TComponent& list, int32_t number, const std::wstring& suffix) {
  const std::vector<std::wstring>& items = list.Items();
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i] == std::to_wstring(number) + suffix) return static_cast<int>(i);
  return -1;
}

int32_t Number(const std::wstring& text) {
  const std::optional<uint32_t> number = ParseSettingNumber(text);
  return number ? static_cast<int32_t>(*number) : 0;
}

}  // namespace

std::span<const ui::ComponentDecl> TfrmOGL::ComponentTable() {
  static const std::vector<ui::ComponentDecl> components = BuildSettings3DComponents(Settings3DLayout::OpenGL);
  return components;
}

TfrmOGL::TfrmOGL(const Dialog3DContext& context) : TSettings3DForm(context, ComponentTable(), ProfileKind::OpenGL) {
  FillTemplates(true, L"");
  LoadFromDriver();
  (*this)[L"pcMain"].SetItemIndex(0);
}

void TfrmOGL::ShowSettings(const DwordSource& value) {
  auto& self = *this;
  storedScale_ = value(gl::OGLFullSceneAAScale);
  const int aa = storedScale_ / 2;
  self[L"cbAA"].SetItemIndex(storedScale_ <= 0 ? 0 : aa <= 3 ? aa : -1);

  storedDegree_ = value(gl::OGLMaxAnisotropy);
  TComponent& af = self[L"cbAF"];
  af.SetItemIndex(storedDegree_ == 0 ? 0 : ItemOf(af, storedDegree_, L"x"));
  storedType_ = value(gl::OGLAnisoType);
  storedFast_ = value(gl::OGLEnableFastFullSceneAA);
  self[L"rbPerf"].SetChecked(storedType_ == 1 && storedFast_ == 1);
  self[L"rbQual"].SetChecked(storedType_ == 2 && storedFast_ == 0);
  // The type buttons stand for a forced degree, which type 0 is not.
  for (const wchar_t* name : {L"rbPerf", L"rbQual"}) self[name].SetEnabled(storedType_ != 0);

  storedDepth_ = value(gl::OGLForceZBufferDepth);
  TComponent& depth = self[L"cbZBuf"];
  depth.SetItemIndex(storedDepth_ == 0 ? 0 : ItemOf(depth, storedDepth_, L" 位"));
  self[L"tbTP"].SetPosition(3 - value(gl::OGLTextureOpt));
  self[L"tbMML"].SetPosition(3 - value(gl::OGLLODBias));
  self[L"tbVS"].SetPosition(value(gl::OGLWaitVerticalSync));
  self[L"tbTF"].SetPosition(value(gl::OGLTruformMode));
  self[L"cbTriple"].SetChecked(value(gl::OGLEnableTripleBuffering) == 1);
  ShowTrackLabels();
}

void TfrmOGL::LoadFromDriver() {
  DriverRegistry& driver = ctx_.profiles.driver;
  driver.OpenOpenGLKey();
  ShowSettings([&driver](const DwordSetting& setting) {
    // The dialog writes these two in when they are missing, so the driver has every value it shows.
    if (&setting == &gl::OGLTruformMode || &setting == &gl::OGLEnableTripleBuffering)
      return ReadSettingDword(driver, setting.name, true, setting.defaultValue);
    return ReadSetting(driver, setting);
  });
  driver.OpenDriverKey();
  ShowCatalystAI(ReadSettingText(driver, dk::CatalystAI.name, false, L"0"));
  std::optional<uint32_t> rate;
  if (const platform::RegistryKey* key = driver.Key()) rate = platform::ReadRegDword(*key, dk::OGLForceRate.name);
  std::optional<std::wstring> multiplier;
  if (SettingExists(driver, dk::TemporalAAMultiplier.name)) multiplier = ReadSetting(driver, dk::TemporalAAMultiplier);
  const std::wstring threshold = ReadSetting(driver, dk::TemporalAAFrameThreshold);
  driver.CloseKey();
  ShowRefreshRate(rate);
  ShowTemporalAA(multiplier, threshold);
}

void TfrmOGL::ReadProfile(const platform::RegistryKey& profile) {
  ShowSettings([&profile](const DwordSetting& setting) {
    return static_cast<int32_t>(platform::ReadRegDword(profile, setting.name).value_or(0));
  });
  ShowCatalystAI(platform::ReadRegString(profile, dk::CatalystAI.name).value_or(L"0"));
  ShowRefreshRate(platform::ReadRegDword(profile, dk::OGLForceRate.name));
  ShowTemporalAA(platform::ReadRegString(profile, dk::TemporalAAMultiplier.name),
                 platform::ReadRegString(profile, dk::TemporalAAFrameThreshold.name).value_or(L"0"));
}

std::vector<TfrmOGL::Value> TfrmOGL::ChosenValues() const {
  const auto& self = *this;
  std::vector<Value> values;
  const int aa = self[L"cbAA"].ItemIndex();
  values.push_back({&gl::OGLFullSceneAAScale, aa < 0 ? storedScale_ : 2 * aa});

  const TComponent& af = self[L"cbAF"];
  int32_t degree = storedDegree_;
  int32_t type = storedType_;
  int32_t fast = storedFast_;
  if (af.ItemIndex() == 0) {
    degree = 0;
    type = 0;
  } else if (af.ItemIndex() > 0) {
    degree = Number(af.Text().substr(0, af.Text().size() - 1));
    if (self[L"rbPerf"].Checked()) {
      type = 1;
      fast = 1;
    } else if (self[L"rbQual"].Checked()) {
      type = 2;
      fast = 0;
    } else {
      // No type chosen: the fast flag picks it, as the tray's degree items do.
      type = fast != 0 ? 1 : 2;
    }
  }
  values.push_back({&gl::OGLMaxAnisotropy, degree});
  values.push_back({&gl::OGLAnisoType, type});
  values.push_back({&gl::OGLEnableFastFullSceneAA, fast});

  values.push_back({&gl::OGLTextureOpt, 3 - self[L"tbTP"].Position()});
  values.push_back({&gl::OGLLODBias, 3 - self[L"tbMML"].Position()});
  values.push_back({&gl::OGLWaitVerticalSync, self[L"tbVS"].Position()});
  values.push_back({&gl::OGLTruformMode, self[L"tbTF"].Position()});
  values.push_back({&gl::OGLEnableTripleBuffering, self[L"cbTriple"].Checked() ? 1 : 0});
  const TComponent& depth = self[L"cbZBuf"];
  const std::wstring text = depth.Text();
  values.push_back({&gl::OGLForceZBufferDepth, depth.ItemIndex() < 0    ? storedDepth_
                                               : depth.ItemIndex() == 0 ? 0
                                                                        : Number(text.substr(0, text.find(L' ')))});
  return values;
}

void TfrmOGL::ApplyToDriver() {
  DriverRegistry& driver = ctx_.profiles.driver;
  const std::vector<Value> values = ChosenValues();
  driver.OpenOpenGLKey();
  for (const Value& value : values) {
    WriteSetting(driver, *value.setting, value.value);
    if (value.setting == &gl::OGLFullSceneAAScale) ctx_.profiles.quality.oglAA = static_cast<uint16_t>(value.value);
    if (value.setting == &gl::OGLMaxAnisotropy) ctx_.profiles.quality.oglAF = static_cast<uint16_t>(value.value);
  }
  if (ctx_.profiles.UpdateTrayTip) ctx_.profiles.UpdateTrayTip();

  driver.OpenDriverKey();
  WriteSetting(driver, dk::CatalystAI, ChosenCatalystAI());
  if (const std::optional<uint32_t> rate = ChosenRefreshRate()) {
    WriteSetting(driver, dk::OGLForceRate, static_cast<int32_t>(*rate));
  } else {
    DeleteSetting(driver, dk::OGLForceRate.name);
  }
  const TemporalAA temporal = ChosenTemporalAA();
  WriteSetting(driver, dk::TemporalAAMultiplier, temporal.multiplier);
  if (temporal.threshold) {
    WriteSetting(driver, dk::TemporalAAFrameThreshold, *temporal.threshold);
  } else {
    DeleteSetting(driver, dk::TemporalAAFrameThreshold.name);
  }
  driver.CloseKey();
}

void TfrmOGL::WriteProfile(platform::RegistryKey& profile) {
  for (const Value& value : ChosenValues())
    platform::WriteRegDword(profile, value.setting->name, static_cast<uint32_t>(value.value));
  platform::WriteRegString(profile, dk::CatalystAI.name, ChosenCatalystAI());
  const TemporalAA temporal = ChosenTemporalAA();
  platform::WriteRegString(profile, dk::TemporalAAMultiplier.name, temporal.multiplier);
  // The driver reads an absent threshold as "0"; so do the profiles.
  platform::WriteRegString(profile, dk::TemporalAAFrameThreshold.name, temporal.threshold.value_or(L"0"));
  if (const std::optional<uint32_t> rate = ChosenRefreshRate())
    platform::WriteRegDword(profile, dk::OGLForceRate.name, *rate);
}

}  // namespace corvane::driver3d
