#pragma once
// The driver's escape operations, one function each, on an open context. Each builds its
// request, prepares a zero-filled reply (size-initialised unless the driver expects
// otherwise), and reads 0 as success. On failure, or on a reply that does not hold the
// record it should, each gives its neutral value: a driver or system that answers 0 and
// writes nothing (Wine, a non-ATI driver) therefore reads as "nothing there".

#include <cstdint>
#include <optional>

#include "display/escape_context.h"
#include "display/escape_records.h"

namespace corvane::display {

// Interface revision; 5 means the display functions are there. 0 when unknown.
uint32_t QueryAdapterInfo(EscapeContext& dc);
// DisplayMask of the connected displays; 0 on failure.
uint32_t QueryConnectedDisplays(EscapeContext& dc);
// The driver's next configuration record; nothing on failure or when the reply carries
// no value name (which is all a system that ignores the escape leaves).
std::optional<DriverSettingBlob> ReadDriverSettingBlob(EscapeContext& dc);
bool QueryOverlayAvailable(EscapeContext& dc);

// The driver's result is not looked at: a failed call gives the record as it was
// prepared (Size 76, the rest 0).
ControllerConfig GetControllerConfig(EscapeContext& dc, uint32_t controller);
// Controller 0 and 1 together; `storedConfiguration` asks for the longer reply used when a
// saved configuration is put back. The driver's result: 0 = accepted.
int32_t SetDisplayConfig(EscapeContext& dc, const ControllerConfig& first, const ControllerConfig& second,
                         bool storedConfiguration = false);
// A record of zeros on failure.
PreferredMode GetPreferredMode(EscapeContext& dc);
// Mode `index` of the display with `displayBit`; nothing ends the enumeration. A reply
// without a width ends it too: nothing was written.
std::optional<ModeEntry> EnumDisplayModes(EscapeContext& dc, uint32_t index, uint32_t displayBit);

// Nothing on failure, and when the range is empty (minimum and maximum both 0).
std::optional<OverlayRange> GetOverlayRange(EscapeContext& dc, uint32_t property);
// 0 on failure.
int32_t GetOverlayValue(EscapeContext& dc, uint32_t property);
// The value the driver reports back; 0 on failure.
int32_t SetOverlayValue(EscapeContext& dc, uint32_t property, int32_t value);

std::optional<AdjustmentCaps> GetDisplayCaps(EscapeContext& dc, uint32_t displayIndex);
std::optional<AdjustmentValues> GetDisplayAdjustments(EscapeContext& dc, uint32_t displayIndex);
// The driver's result: 0 = accepted.
int32_t SetDisplayAdjustments(EscapeContext& dc, uint32_t displayIndex, const AdjustmentValues& values);
// Nothing when the driver reports no maximum resolution.
std::optional<DisplayLimits> GetDisplayLimits(EscapeContext& dc, uint32_t displayIndex);

// The current rotation code, or Rotation::Unknown on failure or when the reply holds no
// rotation code (the field is prepared as -1 so a silent "success" is not read as 0°).
int32_t GetRotation(EscapeContext& dc);
bool SetRotation(EscapeContext& dc, const RotationRequest& request);
// True when the driver says the rotation is possible.
bool CheckRotation(EscapeContext& dc, const RotationRequest& request);

// The prepared record (Size 40, the rest 0) on failure.
TheaterMode GetTheaterMode(EscapeContext& dc);
// Sends ValidMask 3 and the word at 12 as 0, whatever `mode` holds there.
int32_t SetTheaterMode(EscapeContext& dc, const TheaterMode& mode);

namespace ReloadPhase {
inline constexpr uint32_t Before = 1;
inline constexpr uint32_t After = 2;
}  // namespace ReloadPhase
void DriverReloadNotify(EscapeContext& dc, uint32_t phase);

// Nothing when all three texts are empty.
std::optional<BiosInfo> GetBiosInfo(EscapeContext& dc);

}  // namespace corvane::display
