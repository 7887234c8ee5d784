#pragma once
// A simulated ATI display driver behind the escape port: its private escape 0x7306 with
// the connected displays, two controllers, per-display adjustments and limits, mode
// lists, rotation, theater mode, overlay controls, the BIOS record and the configuration
// records it keeps in the registry. Requests are checked as strictly as the records are
// fixed (lengths, Size words, prepared replies); a malformed one fails. No threads:
// `corvane.exe /simulate` runs on it too.
//
//   SimAtiDriver driver;                                  // interface revision 5
//   SimAtiDriver old(SimAtiDriverKind::OlderRevision);    // no display functions
//   SimAtiDriver none(SimAtiDriverKind::NoPrivateEscapes); // every escape fails

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/driver_escape.h"

namespace corvane::platform::sim {

enum class SimAtiDriverKind { Revision5, OlderRevision, NoPrivateEscapes };

// What the driver returns besides 0.
namespace SimEscapeResult {
inline constexpr int32_t Refused = 1;      // a well-formed request the driver turns down
inline constexpr int32_t Malformed = -2;   // lengths or Size words not as the record fixes
inline constexpr int32_t Unknown = -1;     // not an escape this driver knows
}  // namespace SimEscapeResult

struct SimAtiMode {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t refresh = 0;
  bool operator==(const SimAtiMode&) const = default;
};

struct SimAtiController {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t displays = 0;  // mask of the displays it drives
  uint32_t refresh = 0;
  std::array<uint8_t, 52> driverFields{};  // offsets 16-39 and 48-75 of the record
};

struct SimAtiCap {
  int32_t defaultValue = 0;
  int32_t minimum = 0;
  int32_t maximum = 0;
  int32_t fourth = 0;
};

struct SimAtiDisplay {
  uint32_t bit = 0;    // its DisplayMask bit
  uint32_t index = 0;  // its display index
  std::array<int32_t, 25> adjustments{};
  std::array<SimAtiCap, 26> caps{};
  SimAtiMode limits;
  std::vector<SimAtiMode> modes;  // in the driver's order
};

struct SimOverlayControl {
  int32_t defaultValue = 0;
  int32_t minimum = 0;
  int32_t maximum = 0;
  int32_t fourth = 0;
  int32_t value = 0;
};

struct SimSettingBlob {
  std::string name;
  std::vector<uint8_t> data;
};

struct SimEscapeCall {
  uint32_t function = 0;
  uint32_t index = 0;
  std::vector<uint8_t> input;
  size_t outputSize = 0;
  int32_t result = 0;
};

// Everything the driver knows; tests change it directly.
struct SimAtiDriverState {
  bool privateEscapes = true;
  uint32_t interfaceRevision = 5;
  uint32_t connectedDisplays = 0x1 | 0x2 | 0x8;
  std::array<SimAtiController, 2> controllers;
  std::vector<SimAtiDisplay> displays;
  SimAtiMode preferredMode;
  int32_t rotation = 0;
  uint32_t landscapeWidth = 1024;  // the desktop at rotation 0
  uint32_t landscapeHeight = 768;
  std::set<int32_t> refusedRotations;  // codes CheckRotation and SetRotation turn down
  std::array<uint8_t, 40> theaterMode{};  // the record as last set or as the driver starts
  bool overlayAvailable = true;
  std::array<SimOverlayControl, 6> overlay{};  // by property number 1-5
  std::string biosVersion;
  std::string biosPartNumber;
  std::string biosDate;
  std::vector<SimSettingBlob> settingBlobs;
  std::set<uint32_t> failingFunctions;  // answered with Refused
  uint32_t configurationsSet = 0;
  uint32_t reloads = 0;  // complete before/after notifications
};

class SimAtiDriver : public DriverEscape {
 public:
  explicit SimAtiDriver(SimAtiDriverKind kind = SimAtiDriverKind::Revision5,
                        std::wstring deviceName = L"\\\\.\\DISPLAY1");

  // Contexts keep a pointer to the driver: it has to outlive them.
  std::unique_ptr<DisplayContext> OpenContext(const std::wstring& deviceName) override;

  SimAtiDriverState& State() { return state_; }
  const SimAtiDriverState& State() const { return state_; }
  SimAtiDisplay* DisplayByIndex(uint32_t index);
  SimAtiDisplay* DisplayByBit(uint32_t bit);

  const std::vector<SimEscapeCall>& Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }
  int OpenContexts() const { return openContexts_; }
  int ContextsOpened() const { return contextsOpened_; }

  int32_t Escape(std::span<const uint8_t> input, std::span<uint8_t> output);

 private:
  friend class SimAtiContext;
  int32_t Answer(uint32_t function, std::span<const uint8_t> input, std::span<uint8_t> output);

  SimAtiDriverState state_;
  std::wstring deviceName_;
  std::vector<SimEscapeCall> calls_;
  size_t nextBlob_ = 0;
  bool reloadStarted_ = false;
  int openContexts_ = 0;
  int contextsOpened_ = 0;
};

}  // namespace corvane::platform::sim
