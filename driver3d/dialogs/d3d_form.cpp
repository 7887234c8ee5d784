#include "driver3d/dialogs/d3d_form.h"

#include "driver3d/setting_values.h"
#include "driver3d/settings_table.h"
#include "platform/registry_values.h"

namespace corvane::driver3d {
namespace {

namespace dk = driver_key;
using ui::TComponent;

// The image both pages show with the newer driver storage, from the menus' strip.
constexpr int kAcePageImage = 6;

int NumberOr(const std::wstring& text, int fallback) {
  const std::optional<uint32_t> number = ParseSettingNumber(text);
  return number ? static_cast<int>(*number) : fallback;
}

std::wstring Flag(bool on) { return on ? L"1" : L"0"; }

uint16_t Level(const std::wstring& text) { return static_cast<uint16_t>(NumberOr(text, 0)); }

// The item whose text is the number followed by `suffix`; -1 when none is.
int ItemOf(const TComponent& list, const std::wstring& number, const std::wstring& suffix) {
  const std::vector<std::wstring>& items = list.Items();
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i] == number + suffix) return static_cast<int>(i);
  return -1;
}

}  // namespace

std::span<const ui::ComponentDecl> TfrmD3D::ComponentTable() {
  static const std::vector<ui::ComponentDecl> components = BuildSettings3DComponents(Settings3DLayout::Direct3D);
  return components;
}

TfrmD3D::TfrmD3D(const Dialog3DContext& context)
    : TSettings3DForm(context, ComponentTable(), ProfileKind::Direct3D), aceMode_(context.profiles.driver.AceMode()) {
  auto& self = *this;
  self[L"tbVS"].SetRange(0, aceMode_ ? 3 : 2);
  self[L"tsOpenGL"].SetVisible(aceMode_);
  if (aceMode_) {
    SetCaption(L"3D Settings");
    self[L"pcMain"].SetPicture(ctx_.pageImages);
    self[L"tsGeneral"].SetImageIndex(kAcePageImage);
    self[L"tsExtra"].SetImageIndex(kAcePageImage);
  }
  FillTemplates(true, L"");
  LoadFromDriver();
  self[L"pcMain"].SetItemIndex(0);
}

void TfrmD3D::ShowSettings(const TextSource& text) {
  auto& self = *this;
  storedAntiAlias_ = text(dk::AntiAlias);
  storedSamples_ = text(dk::AntiAliasSamples);
  int aa = 0;
  if (storedAntiAlias_ != L"1" && storedAntiAlias_ != L"0") {
    aa = NumberOr(storedSamples_, -2) / 2;
    if (aa > 3) aa = -1;  // more samples than the card offers: kept as stored
  }
  self[L"cbAA"].SetItemIndex(aa);

  storedAnisoType_ = text(dk::AnisoType);
  for (const wchar_t* name : {L"rbPerf", L"rbQual", L"rbQualT"}) self[name].SetChecked(false);
  if (storedAnisoType_ == L"0") self[L"rbQualT"].SetChecked(true);
  if (storedAnisoType_ == L"1") self[L"rbPerf"].SetChecked(true);
  if (storedAnisoType_ == L"2") self[L"rbQual"].SetChecked(true);
  storedAnisoDegree_ = text(dk::AnisoDegree);
  TComponent& af = self[L"cbAF"];
  af.SetItemIndex(storedAnisoDegree_ == L"0" ? 0 : ItemOf(af, storedAnisoDegree_, L"x"));
  EnableAnisoTypes();

  self[L"tbTP"].SetPosition(3 - NumberOr(text(dk::TextureOpt), 0));
  self[L"tbMML"].SetPosition(3 - NumberOr(text(dk::TextureLod), 0));
  self[L"tbVS"].SetPosition(NumberOr(text(aceMode_ ? dk::VSyncControl : dk::VSync), 0));
  self[L"tbTF"].SetPosition(NumberOr(text(dk::TruformMode), 0));
  ShowTrackLabels();

  self[L"cbAlter"].SetChecked(text(dk::PixelCenter) == L"1");
  self[L"cbDXT"].SetChecked(text(dk::ExportCompressedTex) == L"1");
  self[L"cbBump"].SetChecked(text(dk::ExportBumpMappedTex) == L"1");
  self[L"cbAnisoOpt"].SetChecked(text(dk::AnisotropyOptimise) == L"1");
  self[L"cbTriOpt"].SetChecked(text(dk::TrilinearOptimise) == L"1");
  ShowCatalystAI(text(dk::CatalystAI));

  if (aceMode_) {
    self[L"cbTriple"].SetChecked(text(dk::EnableTripleBuffering) == L"1");
    storedZBuffer_ = text(dk::ForceZBufferDepth);
    TComponent& depth = self[L"cbZBuf"];
    depth.SetItemIndex(storedZBuffer_ == L"0" ? 0 : ItemOf(depth, storedZBuffer_, L" 位"));
  }
}

void TfrmD3D::LoadFromDriver() {
  DriverRegistry& driver = ctx_.profiles.driver;
  driver.OpenDriverKey();
  ShowSettings([&driver](const TextSetting& setting) { return ReadSetting(driver, setting); });
  std::optional<std::wstring> multiplier;
  if (SettingExists(driver, dk::TemporalAAMultiplier.name)) multiplier = ReadSetting(driver, dk::TemporalAAMultiplier);
  const std::wstring threshold = ReadSetting(driver, dk::TemporalAAFrameThreshold);
  driver.OpenDirectDrawKey();
  std::optional<uint32_t> rate;
  if (const platform::RegistryKey* key = driver.Key())
    rate = platform::ReadRegDword(*key, directdraw_key::ForceRefreshRate.name);
  driver.CloseKey();
  ShowRefreshRate(rate);
  ShowTemporalAA(multiplier, threshold);
}

void TfrmD3D::ReadProfile(const platform::RegistryKey& profile) {
  ShowSettings([&profile](const TextSetting& setting) {
    // The profile keeps either driver value of vertical sync as "VSync".
    const wchar_t* name = &setting == &dk::VSyncControl ? dk::VSync.name : setting.name;
    return platform::ReadRegString(profile, name).value_or(setting.defaultText);
  });
  ShowRefreshRate(platform::ReadRegDword(profile, directdraw_key::ForceRefreshRate.name));
  ShowTemporalAA(platform::ReadRegString(profile, dk::TemporalAAMultiplier.name),
                 platform::ReadRegString(profile, dk::TemporalAAFrameThreshold.name).value_or(L"0"));
}

std::vector<TfrmD3D::Value> TfrmD3D::ChosenValues() const {
  const auto& self = *this;
  std::vector<Value> values;
  const int aa = self[L"cbAA"].ItemIndex();
  if (aa < 0) {
    values.push_back({&dk::AntiAlias, storedAntiAlias_});
    values.push_back({&dk::AntiAliasSamples, storedSamples_});
  } else {
    values.push_back({&dk::AntiAlias, aa == 0 ? L"1" : L"2"});
    values.push_back({&dk::AntiAliasSamples, std::to_wstring(2 * aa)});
  }

  const TComponent& af = self[L"cbAF"];
  if (af.ItemIndex() < 0) {
    values.push_back({&dk::AnisoDegree, storedAnisoDegree_});
    values.push_back({&dk::AnisoType, storedAnisoType_});
  } else if (af.ItemIndex() == 0) {
    values.push_back({&dk::AnisoDegree, L"0"});
    values.push_back({&dk::AnisoType, L"0"});
  } else {
    const std::wstring degree = af.Text().substr(0, af.Text().size() - 1);  // "16x" is 16
    std::wstring type = storedAnisoType_;
    if (self[L"rbPerf"].Checked()) type = L"1";
    if (self[L"rbQual"].Checked()) type = L"2";
    if (self[L"rbQualT"].Checked()) type = L"0";
    values.push_back({&dk::AnisoDegree, degree});
    values.push_back({&dk::AnisoType, type});
  }

  values.push_back({&dk::TextureOpt, std::to_wstring(3 - self[L"tbTP"].Position())});
  values.push_back({&dk::TextureLod, std::to_wstring(3 - self[L"tbMML"].Position())});
  values.push_back({aceMode_ ? &dk::VSyncControl : &dk::VSync, std::to_wstring(self[L"tbVS"].Position())});
  values.push_back({&dk::TruformMode, std::to_wstring(self[L"tbTF"].Position())});
  values.push_back({&dk::PixelCenter, Flag(self[L"cbAlter"].Checked())});
  values.push_back({&dk::ExportCompressedTex, Flag(self[L"cbDXT"].Checked())});
  values.push_back({&dk::ExportBumpMappedTex, Flag(self[L"cbBump"].Checked())});
  // Off is the driver's own default: the value goes.
  values.push_back({&dk::AnisotropyOptimise, self[L"cbAnisoOpt"].Checked() ? std::optional<std::wstring>(L"1")
                                                                             : std::nullopt});
  values.push_back({&dk::TrilinearOptimise, Flag(self[L"cbTriOpt"].Checked())});
  values.push_back({&dk::CatalystAI, ChosenCatalystAI()});

  if (aceMode_) {
    values.push_back({&dk::EnableTripleBuffering, Flag(self[L"cbTriple"].Checked())});
    const TComponent& depth = self[L"cbZBuf"];
    const std::wstring text = depth.Text();
    values.push_back({&dk::ForceZBufferDepth, depth.ItemIndex() < 0    ? storedZBuffer_
                                              : depth.ItemIndex() == 0 ? L"0"
                                                                       : text.substr(0, text.find(L' '))});
  }
  return values;
}

void TfrmD3D::ApplyToDriver() {
  DriverRegistry& driver = ctx_.profiles.driver;
  const std::vector<Value> values = ChosenValues();
  driver.OpenDriverKey();
  for (const Value& value : values) {
    if (value.text) {
      WriteSetting(driver, *value.setting, *value.text);
    } else {
      DeleteSetting(driver, value.setting->name);
    }
    if (value.setting == &dk::AntiAliasSamples) ctx_.profiles.quality.d3dAA = Level(*value.text);
    if (value.setting == &dk::AnisoDegree) ctx_.profiles.quality.d3dAF = Level(*value.text);
  }
  if (ctx_.profiles.UpdateTrayTip) ctx_.profiles.UpdateTrayTip();

  const TemporalAA temporal = ChosenTemporalAA();
  WriteSetting(driver, dk::TemporalAAMultiplier, temporal.multiplier);
  if (temporal.threshold) {
    WriteSetting(driver, dk::TemporalAAFrameThreshold, *temporal.threshold);
  } else {
    DeleteSetting(driver, dk::TemporalAAFrameThreshold.name);
  }

  const std::optional<uint32_t> rate = ChosenRefreshRate();
  driver.OpenDirectDrawKey();
  if (rate) {
    WriteSetting(driver, directdraw_key::ForceRefreshRate, static_cast<int32_t>(*rate));
  } else {
    DeleteSetting(driver, directdraw_key::ForceRefreshRate.name);
  }
  driver.CloseKey();
  if (ctx_.profiles.ReloadDriverSettings) ctx_.profiles.ReloadDriverSettings();
}

void TfrmD3D::WriteProfile(platform::RegistryKey& profile) {
  for (const Value& value : ChosenValues()) {
    const wchar_t* name = value.setting == &dk::VSyncControl ? dk::VSync.name : value.setting->name;
    // A value the driver goes without is "0" in a profile, which applying turns back.
    platform::WriteRegString(profile, name, value.text.value_or(L"0"));
  }
  const TemporalAA temporal = ChosenTemporalAA();
  platform::WriteRegString(profile, dk::TemporalAAMultiplier.name, temporal.multiplier);
  if (temporal.threshold) platform::WriteRegString(profile, dk::TemporalAAFrameThreshold.name, *temporal.threshold);
  if (const std::optional<uint32_t> rate = ChosenRefreshRate())
    platform::WriteRegDword(profile, directdraw_key::ForceRefreshRate.name, *rate);
}

}  // namespace corvane::driver3d
