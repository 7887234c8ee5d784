#include "driver3d/profiles/profile_store.h"

#include <optional>

#include "driver3d/setting_values.h"
#include "driver3d/settings_table.h"
#include "platform/registry_values.h"
#include "settings/decimal_text.h"
#include "settings/profile_name.h"

namespace corvane::driver3d {
namespace {

using platform::RegistryKey;
using platform::RegistryRoot;
namespace dk = driver_key;
namespace gl = opengl_key;

// One text value of a Direct3D profile, a copy of the driver setting of the same name.
struct D3DValue {
  const TextSetting* setting;
  // What saving stores when the driver does not have the value; saving writes it into the
  // driver too when `createOnSave`. Matching reads the driver with the same default.
  const wchar_t* driverDefault;
  bool createOnSave;
  // What applying writes when the profile lacks the value; matching reads it the same way.
  const wchar_t* profileDefault;
  bool aceModeOnly;
};

// "VSync" holds the driver's "VSyncControl" in AceMode (see DriverSide).
const D3DValue kD3DValues[] = {
    {&dk::AntiAlias, L"1", false, L"", false},
    {&dk::AntiAliasSamples, L"0", false, L"", false},
    {&dk::AnisoType, L"2", false, L"", false},
    {&dk::AnisoDegree, L"0", false, L"", false},
    {&dk::TextureOpt, L"0", false, L"", false},
    {&dk::TextureLod, L"0", false, L"", false},
    {&dk::VSync, L"0", false, L"", false},
    {&dk::TruformMode, L"0", false, L"", false},
    {&dk::PixelCenter, L"0", false, L"", false},
    {&dk::ExportCompressedTex, L"0", false, L"", false},
    {&dk::ExportBumpMappedTex, L"1", false, L"", false},
    {&dk::AnisotropyOptimise, L"0", false, L"", false},
    {&dk::TrilinearOptimise, L"0", true, L"", false},
    {&dk::CatalystAI, L"0", false, L"0", false},
    {&dk::EnableTripleBuffering, L"0", false, L"", true},
    {&dk::ForceZBufferDepth, L"0", false, L"", true},
    {&dk::TemporalAAMultiplier, L"0", false, L"0", false},
    {&dk::TemporalAAFrameThreshold, L"0", false, L"0", false},
};

// The OpenGL key's settings an OpenGL profile copies, with their own defaults.
const DwordSetting* const kOpenGLDwords[] = {
    &gl::OGLFullSceneAAScale, &gl::OGLMaxAnisotropy, &gl::OGLForceZBufferDepth, &gl::OGLTextureOpt,
    &gl::OGLLODBias,          &gl::OGLWaitVerticalSync, &gl::OGLTruformMode, &gl::OGLEnableTripleBuffering,
    &gl::OGLAnisoType,        &gl::OGLEnableFastFullSceneAA,
};

// Driver-key text settings an OpenGL profile carries too.
const TextSetting* const kOpenGLTexts[] = {&dk::CatalystAI, &dk::TemporalAAMultiplier, &dk::TemporalAAFrameThreshold};

// In AceMode one set of driver values serves both interfaces: where each OpenGL value goes.
struct SharedValue {
  const DwordSetting* from;
  const TextSetting* to;
};
const SharedValue kSharedValues[] = {
    {&gl::OGLAnisoType, &dk::AnisoType},
    {&gl::OGLFullSceneAAScale, &dk::AntiAliasSamples},
    {&gl::OGLMaxAnisotropy, &dk::AnisoDegree},
    {&gl::OGLForceZBufferDepth, &dk::ForceZBufferDepth},
    {&gl::OGLTextureOpt, &dk::TextureOpt},
    {&gl::OGLLODBias, &dk::TextureLod},
    {&gl::OGLWaitVerticalSync, &dk::VSyncControl},
    {&gl::OGLTruformMode, &dk::TruformMode},
    {&gl::OGLEnableTripleBuffering, &dk::EnableTripleBuffering},
};

bool Applies(const D3DValue& value, bool aceMode) { return aceMode || !value.aceModeOnly; }

// The driver setting a Direct3D profile value stands for in this storage mode.
const TextSetting& DriverSide(const D3DValue& value, bool aceMode) {
  return aceMode && value.setting == &dk::VSync ? dk::VSyncControl : *value.setting;
}

std::unique_ptr<RegistryKey> OpenProfile(const Profile3DContext& ctx, ProfileKind kind, const std::wstring& name) {
  if (!settings::IsProfileName(name)) return nullptr;
  return ctx.registry.OpenKey(RegistryRoot::CurrentUser, ProfileKey(ctx, kind, name), false);
}

// Saving replaces the whole profile, so nothing of an older one survives.
std::unique_ptr<RegistryKey> ReplaceProfile(const Profile3DContext& ctx, ProfileKind kind, const std::wstring& name) {
  ctx.registry.OpenKey(RegistryRoot::CurrentUser, ProfileKindKey(ctx, kind), true);
  const std::wstring path = ProfileKey(ctx, kind, name);
  ctx.registry.DeleteKey(RegistryRoot::CurrentUser, path);
  return ctx.registry.OpenKey(RegistryRoot::CurrentUser, path, true);
}

std::wstring ProfileText(const RegistryKey& profile, const std::wstring& name, const std::wstring& absent) {
  return platform::ReadRegString(profile, name).value_or(absent);
}

// A profile dword that cannot be read counts as 0.
int32_t ProfileDword(const RegistryKey& profile, const std::wstring& name) {
  return static_cast<int32_t>(platform::ReadRegDword(profile, name).value_or(0));
}

// A dword of the open driver key that is there only while it overrides something.
std::optional<uint32_t> DriverDword(const DriverRegistry& driver, const std::wstring& name) {
  const RegistryKey* key = driver.Key();
  return key ? platform::ReadRegDword(*key, name) : std::nullopt;
}

// The tooltip shows levels as numbers; a text that is not one shows as 0.
uint16_t LevelFromText(const std::wstring& text) {
  return static_cast<uint16_t>(settings::ParseDecimal(text).value_or(0));
}

// An override the driver has only while it is on: copied when the profile has it and
// removed otherwise.
void ApplyOptionalDword(DriverRegistry& driver, const RegistryKey& profile, const DwordSetting& setting) {
  if (std::optional<uint32_t> value = platform::ReadRegDword(profile, setting.name)) {
    WriteSetting(driver, setting, static_cast<int32_t>(*value));
  } else {
    DeleteSetting(driver, setting.name);
  }
}

void SaveOptionalDword(DriverRegistry& driver, RegistryKey& profile, const DwordSetting& setting) {
  if (std::optional<uint32_t> value = DriverDword(driver, setting.name))
    platform::WriteRegDword(profile, setting.name, *value);
}

// Into the open driver key. Only the multipliers the driver knows (2 and 3, by their
// first character) switch temporal anti-aliasing on, and a frame threshold stays only
// while it is on.
void ApplyTemporalAA(DriverRegistry& driver, const RegistryKey& profile) {
  std::wstring multiplier = ProfileText(profile, dk::TemporalAAMultiplier.name, L"0").substr(0, 1);
  if (multiplier != L"2" && multiplier != L"3") multiplier = L"0";
  WriteSetting(driver, dk::TemporalAAMultiplier, multiplier);
  const std::wstring threshold = ProfileText(profile, dk::TemporalAAFrameThreshold.name, L"0");
  if (multiplier != L"0" && threshold != L"0") {
    WriteSetting(driver, dk::TemporalAAFrameThreshold, threshold);
  } else {
    DeleteSetting(driver, dk::TemporalAAFrameThreshold.name);
  }
}

void CopyText(DriverRegistry& driver, const RegistryKey& profile, const TextSetting& setting,
              const std::wstring& absent) {
  WriteSetting(driver, setting, ProfileText(profile, setting.name, absent));
}

}  // namespace

std::wstring ProfileKindKey(const Profile3DContext& ctx, ProfileKind kind) {
  return ctx.profilesRoot + (kind == ProfileKind::Direct3D ? L"d3d" : L"ogl");
}

std::wstring ProfileKey(const Profile3DContext& ctx, ProfileKind kind, const std::wstring& name) {
  return ProfileKindKey(ctx, kind) + L"\\" + name;
}

std::vector<std::wstring> ListedProfileNames(const Profile3DContext& ctx, ProfileKind kind) {
  auto key = ctx.registry.OpenKey(RegistryRoot::CurrentUser, ProfileKindKey(ctx, kind), false);
  if (!key) return {};
  std::vector<std::wstring> names = key->SubKeyNames();
  std::erase(names, kBackupProfileName);
  return names;
}

void SaveD3DProfile(const Profile3DContext& ctx, const std::wstring& name) {
  if (!settings::IsProfileName(name)) return;
  auto profile = ReplaceProfile(ctx, ProfileKind::Direct3D, name);
  if (!profile) return;
  DriverRegistry& driver = ctx.driver;
  const bool ace = driver.AceMode();
  driver.OpenDriverKey();
  for (const D3DValue& value : kD3DValues) {
    if (!Applies(value, ace)) continue;
    const std::wstring text =
        ReadSettingText(driver, DriverSide(value, ace).name, value.createOnSave, value.driverDefault);
    platform::WriteRegString(*profile, value.setting->name, text);
  }
  driver.OpenDirectDrawKey();
  SaveOptionalDword(driver, *profile, directdraw_key::ForceRefreshRate);
}

void SaveOpenGLProfile(const Profile3DContext& ctx, const std::wstring& name) {
  DriverRegistry& driver = ctx.driver;
  if (driver.AceMode() || !settings::IsProfileName(name)) return;
  auto profile = ReplaceProfile(ctx, ProfileKind::OpenGL, name);
  if (!profile) return;
  driver.OpenOpenGLKey();
  for (const DwordSetting* setting : kOpenGLDwords)
    platform::WriteRegDword(*profile, setting->name, static_cast<uint32_t>(ReadSetting(driver, *setting)));
  driver.OpenDriverKey();
  for (const TextSetting* setting : kOpenGLTexts)
    platform::WriteRegString(*profile, setting->name, ReadSettingText(driver, setting->name, false, L"0"));
  SaveOptionalDword(driver, *profile, dk::OGLForceRate);
}

void ApplyD3DProfile(const Profile3DContext& ctx, const std::wstring& name) {
  auto profile = OpenProfile(ctx, ProfileKind::Direct3D, name);
  if (!profile) return;
  DriverRegistry& driver = ctx.driver;
  const bool ace = driver.AceMode();
  driver.OpenDriverKey();

  for (const TextSetting* setting :
       {&dk::AntiAlias, &dk::AntiAliasSamples, &dk::AnisoType, &dk::AnisoDegree, &dk::TextureOpt, &dk::TextureLod})
    CopyText(driver, *profile, *setting, L"");
  ctx.quality.d3dAA = LevelFromText(ProfileText(*profile, dk::AntiAliasSamples.name, L""));
  ctx.quality.d3dAF = LevelFromText(ProfileText(*profile, dk::AnisoDegree.name, L""));

  WriteSetting(driver, ace ? dk::VSyncControl : dk::VSync, ProfileText(*profile, dk::VSync.name, L""));
  for (const TextSetting* setting : {&dk::TruformMode, &dk::PixelCenter, &dk::ExportCompressedTex})
    CopyText(driver, *profile, *setting, L"");
  CopyText(driver, *profile, dk::CatalystAI, L"0");

  // Without a stored value the driver's own default applies.
  if (std::optional<std::wstring> bump = platform::ReadRegString(*profile, dk::ExportBumpMappedTex.name)) {
    WriteSetting(driver, dk::ExportBumpMappedTex, *bump);
  } else {
    DeleteSetting(driver, dk::ExportBumpMappedTex.name);
  }
  if (ProfileText(*profile, dk::AnisotropyOptimise.name, L"") == L"1") {
    WriteSetting(driver, dk::AnisotropyOptimise, L"1");
  } else {
    DeleteSetting(driver, dk::AnisotropyOptimise.name);
  }
  const bool trilinear = ProfileText(*profile, dk::TrilinearOptimise.name, L"") == L"1";
  WriteSetting(driver, dk::TrilinearOptimise, trilinear ? L"1" : L"0");

  // A profile saved outside AceMode holds neither.
  if (ace) {
    for (const TextSetting* setting : {&dk::EnableTripleBuffering, &dk::ForceZBufferDepth})
      if (std::optional<std::wstring> text = platform::ReadRegString(*profile, setting->name))
        WriteSetting(driver, *setting, *text);
  }

  driver.OpenDirectDrawKey();
  ApplyOptionalDword(driver, *profile, directdraw_key::ForceRefreshRate);
  driver.OpenDriverKey();
  ApplyTemporalAA(driver, *profile);

  if (ctx.UpdateTrayTip) ctx.UpdateTrayTip();
  if (ctx.ReloadDriverSettings) ctx.ReloadDriverSettings();
}

void ApplyOpenGLProfile(const Profile3DContext& ctx, const std::wstring& name) {
  auto profile = OpenProfile(ctx, ProfileKind::OpenGL, name);
  if (!profile) return;
  DriverRegistry& driver = ctx.driver;
  const int32_t aaScale = ProfileDword(*profile, gl::OGLFullSceneAAScale.name);

  if (driver.AceMode()) {
    driver.OpenDriverKey();
    for (const SharedValue& shared : kSharedValues)
      WriteSetting(driver, *shared.to, std::to_wstring(ProfileDword(*profile, shared.from->name)));
    WriteSetting(driver, dk::AntiAlias, aaScale != 0 ? L"2" : L"1");
    ctx.quality.oglAA = static_cast<uint16_t>(aaScale);
    CopyText(driver, *profile, dk::CatalystAI, L"0");
    if (ctx.UpdateTrayTip) ctx.UpdateTrayTip();
  } else {
    driver.OpenOpenGLKey();
    for (const DwordSetting* setting : kOpenGLDwords)
      WriteSetting(driver, *setting, ProfileDword(*profile, setting->name));
    ctx.quality.oglAA = static_cast<uint16_t>(aaScale);
    ctx.quality.oglAF = static_cast<uint16_t>(ProfileDword(*profile, gl::OGLMaxAnisotropy.name));
    if (ctx.UpdateTrayTip) ctx.UpdateTrayTip();
    driver.OpenDriverKey();
    CopyText(driver, *profile, dk::CatalystAI, L"0");
  }
  ApplyOptionalDword(driver, *profile, dk::OGLForceRate);
  ApplyTemporalAA(driver, *profile);
}

DriverSnapshot3D ReadDriverSnapshot(const Profile3DContext& ctx, ProfileKind kind) {
  DriverSnapshot3D now;
  now.kind = kind;
  DriverRegistry& driver = ctx.driver;
  if (kind == ProfileKind::Direct3D) {
    const bool ace = driver.AceMode();
    driver.OpenDriverKey();
    for (const D3DValue& value : kD3DValues)
      now.texts.push_back(Applies(value, ace) ? ReadSettingText(driver, DriverSide(value, ace).name, false,
                                                                value.driverDefault)
                                              : std::wstring());
    driver.OpenDirectDrawKey();
    now.forcedRate = DriverDword(driver, directdraw_key::ForceRefreshRate.name);
  } else {
    driver.OpenOpenGLKey();
    for (const DwordSetting* setting : kOpenGLDwords)
      now.dwords.push_back(ReadSettingDword(driver, setting->name, false, setting->defaultValue));
    driver.OpenDriverKey();
    for (const TextSetting* setting : kOpenGLTexts) now.texts.push_back(ReadSettingText(driver, setting->name, false, L"0"));
    now.forcedRate = DriverDword(driver, dk::OGLForceRate.name);
  }
  return now;
}

bool ProfileMatches(const Profile3DContext& ctx, const std::wstring& name, const DriverSnapshot3D& now) {
  auto profile = OpenProfile(ctx, now.kind, name);
  if (!profile) return false;
  if (now.kind == ProfileKind::Direct3D) {
    const bool ace = ctx.driver.AceMode();
    for (size_t i = 0; i < std::size(kD3DValues); ++i) {
      const D3DValue& value = kD3DValues[i];
      if (Applies(value, ace) && now.texts[i] != ProfileText(*profile, value.setting->name, value.profileDefault))
        return false;
    }
    return now.forcedRate == platform::ReadRegDword(*profile, directdraw_key::ForceRefreshRate.name);
  }
  for (size_t i = 0; i < std::size(kOpenGLDwords); ++i)
    if (now.dwords[i] != ProfileDword(*profile, kOpenGLDwords[i]->name)) return false;
  for (size_t i = 0; i < std::size(kOpenGLTexts); ++i)
    if (now.texts[i] != ProfileText(*profile, kOpenGLTexts[i]->name, L"0")) return false;
  return now.forcedRate == platform::ReadRegDword(*profile, dk::OGLForceRate.name);
}

bool D3DProfileMatches(const Profile3DContext& ctx, const std::wstring& name) {
  return ProfileMatches(ctx, name, ReadDriverSnapshot(ctx, ProfileKind::Direct3D));
}

bool OpenGLProfileMatches(const Profile3DContext& ctx, const std::wstring& name) {
  return ProfileMatches(ctx, name, ReadDriverSnapshot(ctx, ProfileKind::OpenGL));
}

}  // namespace corvane::driver3d
