#pragma once
// The driver's 3D settings the program touches: where each lives, how it is stored, the
// value assumed when it is absent and whether the menu refresh writes that value in.
// Text values hold decimal digits ("0", "1", "16" ...); deleting one gives the driver
// its own default.

#include <cstdint>
#include <string>

#include "driver3d/driver_registry.h"

namespace corvane::driver3d {

enum class TextStorage {
  FollowsMode,   // REG_SZ, or UTF-16 REG_BINARY in AceMode
  AlwaysString,  // REG_SZ in both modes
};

struct TextSetting {
  const wchar_t* name;
  TextStorage storage;
  const wchar_t* defaultText;  // empty: no value means no override
  bool created;
};

struct DwordSetting {
  const wchar_t* name;
  int32_t defaultValue;
  bool created;
};

// A number the driver keeps as four bytes of REG_BINARY, read from that or a REG_DWORD.
struct BinaryFlagSetting {
  const wchar_t* name;
  int32_t defaultValue;
  bool created;
};

// Driver key: Direct3D and settings shared by both interfaces.
namespace driver_key {
using enum TextStorage;
inline constexpr TextSetting AntiAlias{L"AntiAlias", FollowsMode, L"1", false};  // "1" application, "2" forced
inline constexpr TextSetting AntiAliasSamples{L"AntiAliasSamples", FollowsMode, L"0", false};
inline constexpr TextSetting AnisoType{L"AnisoType", FollowsMode, L"2", false};  // "1" perf., "2" quality, "0" trilinear
inline constexpr TextSetting AnisoDegree{L"AnisoDegree", FollowsMode, L"0", false};
inline constexpr TextSetting TextureOpt{L"TextureOpt", FollowsMode, L"0", false};  // "3" fastest ... "0" best
inline constexpr TextSetting TextureLod{L"TextureLod", FollowsMode, L"0", false};
inline constexpr TextSetting VSync{L"VSync", FollowsMode, L"0", true};                // outside AceMode
inline constexpr TextSetting VSyncControl{L"VSyncControl", FollowsMode, L"0", false};  // in AceMode
inline constexpr TextSetting TruformMode{L"TruformMode", FollowsMode, L"0", true};
inline constexpr TextSetting PixelCenter{L"PixelCenter", FollowsMode, L"0", false};
inline constexpr TextSetting ExportCompressedTex{L"ExportCompressedTex", FollowsMode, L"1", true};
inline constexpr TextSetting ExportBumpMappedTex{L"ExportBumpMappedTex", FollowsMode, L"1", false};
inline constexpr TextSetting AnisotropyOptimise{L"AnisotropyOptimise", FollowsMode, L"0", false};
inline constexpr TextSetting TrilinearOptimise{L"TrilinearOptimise", FollowsMode, L"0", true};
inline constexpr TextSetting GI{L"GI", FollowsMode, L"0", false};
inline constexpr TextSetting OptimizePSCode{L"OptimizePSCode", FollowsMode, L"1", false};
inline constexpr TextSetting DXVA_WMV{L"DXVA_WMV", FollowsMode, L"0", false};
inline constexpr TextSetting CatalystAI{L"CatalystAI", FollowsMode, L"1", false};
inline constexpr TextSetting ZMaskEnable{L"ZMaskEnable", FollowsMode, L"1", false};
inline constexpr TextSetting FastZClearEnabled{L"FastZClearEnabled", FollowsMode, L"1", false};
inline constexpr TextSetting ZCompressionMode{L"ZCompressionMode", AlwaysString, L"", false};
inline constexpr TextSetting PixelShaderVersion{L"PixelShaderVersion", AlwaysString, L"", false};
inline constexpr TextSetting VertexShaderVersion{L"VertexShaderVersion", AlwaysString, L"", false};
inline constexpr TextSetting TemporalAAMultiplier{L"TemporalAAMultiplier", AlwaysString, L"0", false};
// The custom threshold dialog assumes "60" instead.
inline constexpr TextSetting TemporalAAFrameThreshold{L"TemporalAAFrameThreshold", AlwaysString, L"0", false};
inline constexpr TextSetting ForceZBufferDepth{L"ForceZBufferDepth", FollowsMode, L"0", false};          // AceMode
inline constexpr TextSetting EnableTripleBuffering{L"EnableTripleBuffering", FollowsMode, L"0", false};  // AceMode

// 1 when VPU recovery is off.
inline constexpr BinaryFlagSetting DisableSmartSave{L"DisableSmartSave", 0, true};
inline constexpr DwordSetting DisableDMACopy{L"DisableDMACopy", 0, false};
inline constexpr DwordSetting DisableBlockWrite{L"DisableBlockWrite", 0, false};
// OpenGL full-screen refresh rate in Hz; absent: no override.
inline constexpr DwordSetting OGLForceRate{L"OGLForceRate", 0, false};

// Read once at start-up, never written.
inline constexpr TextSetting ACE{L"ACE", FollowsMode, L"", false};
inline constexpr DwordSetting UseNewOGLRegPath{L"UseNewOGLRegPath", 0, false};
}  // namespace driver_key

// OpenGL key (the driver key itself in AceMode or with "UseNewOGLRegPath"), all dwords.
namespace opengl_key {
inline constexpr DwordSetting OGLFullSceneAAScale{L"OGLFullSceneAAScale", 0, false};
inline constexpr DwordSetting OGLMaxAnisotropy{L"OGLMaxAnisotropy", 0, false};
inline constexpr DwordSetting OGLAnisoType{L"OGLAnisoType", 0, false};  // 0 with application degree, 1 perf., 2 quality
inline constexpr DwordSetting OGLEnableFastFullSceneAA{L"OGLEnableFastFullSceneAA", 0, false};
inline constexpr DwordSetting OGLTextureOpt{L"OGLTextureOpt", 3, true};
inline constexpr DwordSetting OGLLODBias{L"OGLLODBias", 3, true};
inline constexpr DwordSetting OGLWaitVerticalSync{L"OGLWaitVerticalSync", 0, false};
inline constexpr DwordSetting OGLTruformMode{L"OGLTruformMode", 0, false};
inline constexpr DwordSetting OGLForceZBufferDepth{L"OGLForceZBufferDepth", 0, false};
inline constexpr DwordSetting OGLEnableTripleBuffering{L"OGLEnableTripleBuffering", 0, false};
}  // namespace opengl_key

// DirectDraw key.
namespace directdraw_key {
// Direct3D full-screen refresh rate in Hz; absent: no override.
inline constexpr DwordSetting ForceRefreshRate{L"ForceRefreshRate", 0, false};
}  // namespace directdraw_key

// With the setting's default and creation, on the key `registry` has open.
std::wstring ReadSetting(DriverRegistry& registry, const TextSetting& setting);
int32_t ReadSetting(DriverRegistry& registry, const DwordSetting& setting);
int32_t ReadSetting(DriverRegistry& registry, const BinaryFlagSetting& setting);
// In the setting's storage: binary only for mode-following settings in AceMode.
void WriteSetting(DriverRegistry& registry, const TextSetting& setting, const std::wstring& text);
void WriteSetting(DriverRegistry& registry, const DwordSetting& setting, int32_t value);
void WriteSetting(DriverRegistry& registry, const BinaryFlagSetting& setting, int32_t value);

}  // namespace corvane::driver3d
