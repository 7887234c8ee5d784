#pragma once
// The 28 hotkey actions: what each action number does with its argument, given the
// operations of the main form it reaches.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "hotkeys/hotkey_audio.h"
#include "hotkeys/stored_hotkey.h"
#include "platform/shell.h"

namespace corvane::hotkeys {

namespace HotkeyAction {
inline constexpr int LoadD3DProfile = 0;
inline constexpr int LoadOpenGLProfile = 1;
inline constexpr int LoadOverProfile = 2;
inline constexpr int RunProgram = 3;
inline constexpr int GammaUp = 4;
inline constexpr int GammaDown = 5;
inline constexpr int BrightnessUp = 6;
inline constexpr int BrightnessDown = 7;
inline constexpr int ContrastUp = 8;
inline constexpr int ContrastDown = 9;
inline constexpr int ResetColor = 10;
inline constexpr int LoadColorProfile = 11;
inline constexpr int MonitorOff = 12;
inline constexpr int MonitorOn = 13;
inline constexpr int VolumeUp = 14;
inline constexpr int VolumeDown = 15;
inline constexpr int ToggleMute = 16;
inline constexpr int Rotate0 = 17;
inline constexpr int Rotate90Right = 18;
inline constexpr int Rotate180 = 19;
inline constexpr int Rotate90Left = 20;
inline constexpr int AlternateRotation = 21;
inline constexpr int DefaultSingleDisplay = 22;
inline constexpr int LoadDisplayProfile = 23;
inline constexpr int StartRecording = 24;
inline constexpr int StopRecording = 25;
inline constexpr int Screenshot = 26;
inline constexpr int ToggleExtendedDesktop = 27;
}  // namespace HotkeyAction

// The colour steps, in the order of actions 4 to 10.
enum class ColorStep { GammaUp, GammaDown, BrightnessUp, BrightnessDown, ContrastUp, ContrastDown, Reset };

// What the actions reach. Every member may be left empty; its actions then do nothing.
struct HotkeyOperations {
  // While a watched 3D program runs, the profile actions 0, 1 and 23 stay out of its way.
  std::function<bool()> App3DRunning;
  std::function<void(const std::wstring&)> ApplyD3DProfile;
  std::function<void(const std::wstring&)> ApplyOpenGLProfile;
  std::function<void(const std::wstring&)> ApplyOverProfile;
  std::function<void(const std::wstring&)> ApplyColorProfile;
  std::function<void(const std::wstring&)> ApplyDisplayProfile;
  // Starts a program (ShellExecute).
  std::function<void(const platform::ShellExecuteRequest&)> Execute;
  platform::WindowHandle owner = 0;
  // A colour step; the colour table is applied after it.
  std::function<void(ColorStep)> Color;
  std::function<void()> MonitorOff;
  std::function<void()> MonitorOn;
  // The driver's rotation code (Rotation::Unknown when it cannot say) and the switch.
  std::function<int32_t()> CurrentRotation;
  std::function<void(int32_t)> SetRotation;
  std::function<void()> DefaultSingleDisplay;
  std::function<void()> Screenshot;
  std::function<void()> ToggleExtendedDesktop;
  HotkeyAudio audio;
};

// Action 3's argument: the file before the first "*" and the parameters after it, run in
// the file's folder.
platform::ShellExecuteRequest StartProgramRequest(const std::wstring& argument, platform::WindowHandle owner);

// Action 21: 0 and 180 degrees swap; any other rotation stays.
std::optional<int32_t> AlternatedRotation(int32_t current);

void RunHotkeyAction(const HotkeyEntry& entry, const HotkeyOperations& ops);

}  // namespace corvane::hotkeys
