#pragma once
// The numbers the program offers for the driver's settings; what it writes is always one
// of these, as decimal text or a dword.

#include <array>
#include <cstdint>

namespace corvane::driver3d {

// Full-screen refresh rates (Hz) wherever a custom rate or frame threshold is chosen.
inline constexpr std::array<uint16_t, 11> RefreshRateChoices = {60, 70, 72, 75, 85, 90, 100, 120, 150, 160, 200};

// Forced anti-aliasing samples ("AntiAliasSamples" with "AntiAlias" "2", "OGLFullSceneAAScale").
inline constexpr std::array<uint16_t, 3> AntiAliasSampleChoices = {2, 4, 6};
// Forced anisotropy degrees ("AnisoDegree", "OGLMaxAnisotropy"); 0 leaves it to the application.
inline constexpr std::array<uint16_t, 4> AnisoDegreeChoices = {2, 4, 8, 16};
// Forced Z-buffer depths in bits ("ForceZBufferDepth", "OGLForceZBufferDepth"); 0 disables.
inline constexpr std::array<uint16_t, 2> ZBufferDepthChoices = {16, 24};
// Shader version overrides, the version times ten ("20" is 2.0).
inline constexpr std::array<uint16_t, 7> PixelShaderVersions = {10, 11, 12, 13, 14, 20, 21};
inline constexpr std::array<uint16_t, 3> VertexShaderVersions = {10, 11, 20};

}  // namespace corvane::driver3d
