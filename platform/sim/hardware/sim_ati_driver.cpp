#include "platform/sim/hardware/sim_ati_driver.h"

#include <algorithm>
#include <initializer_list>
#include <memory>

#include "platform/text_encoding.h"

namespace corvane::platform::sim {
namespace {

// The driver's function codes.
enum Function : uint32_t {
  kQueryAdapterInfo = 0x110001,
  kQueryConnectedDisplays = 0x110002,
  kReadDriverSettingBlob = 0x110005,
  kQueryOverlayAvailable = 0x110011,
  kGetControllerConfig = 0x120002,
  kSetDisplayConfig = 0x120003,
  kGetPreferredMode = 0x120008,
  kEnumDisplayModes = 0x120009,
  kGetOverlayRange = 0x12000D,
  kGetOverlayValue = 0x12000E,
  kSetOverlayValue = 0x12000F,
  kGetDisplayCaps = 0x130001,
  kGetDisplayAdjustments = 0x130002,
  kSetDisplayAdjustments = 0x130003,
  kGetDisplayLimits = 0x130005,
  kGetRotation = 0x40010E,
  kSetRotation = 0x40010F,
  kCheckRotation = 0x400110,
  kGetTheaterMode = 0x40011C,
  kSetTheaterMode = 0x40011D,
  kDriverReloadNotify = 0x40012A,
  kGetBiosInfo = 0x400132,
};

// How each request has to look: the header's Size word, the input length, the output
// lengths the driver accepts, and whether the caller prepares the reply with its length.
struct RequestShape {
  uint32_t function;
  uint32_t headerSize;
  size_t inputSize;
  std::initializer_list<size_t> outputSizes;
  bool sizedReply;
};

const RequestShape kShapes[] = {
    {kQueryAdapterInfo, 16, 16, {32}, true},
    {kQueryConnectedDisplays, 16, 16, {20}, true},
    {kReadDriverSettingBlob, 16, 16, {1288}, true},
    {kQueryOverlayAvailable, 16, 16, {48}, false},
    {kGetControllerConfig, 16, 16, {76}, true},
    {kSetDisplayConfig, 168, 168, {16, 56}, true},
    {kGetPreferredMode, 16, 28, {28}, true},
    {kEnumDisplayModes, 16, 24, {24}, true},
    {kGetOverlayRange, 16, 48, {32}, true},
    {kGetOverlayValue, 48, 48, {8}, false},
    {kSetOverlayValue, 48, 48, {32}, true},
    {kGetDisplayCaps, 16, 16, {420}, true},
    {kGetDisplayAdjustments, 16, 16, {104}, true},
    {kSetDisplayAdjustments, 16, 120, {4}, false},
    {kGetDisplayLimits, 16, 16, {32}, true},
    {kGetRotation, 16, 16, {64}, true},
    {kSetRotation, 80, 80, {16}, true},
    {kCheckRotation, 80, 80, {16}, true},
    {kGetTheaterMode, 16, 16, {40}, true},
    {kSetTheaterMode, 56, 56, {4}, true},
    {kDriverReloadNotify, 16, 80, {8}, true},
    {kGetBiosInfo, 16, 16, {192}, true},
};

uint32_t Word(std::span<const uint8_t> bytes, size_t at) {
  if (at + 4 > bytes.size()) return 0;
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

void Put(std::span<uint8_t> bytes, size_t at, uint32_t value) {
  if (at + 4 > bytes.size()) return;
  for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

void PutSigned(std::span<uint8_t> bytes, size_t at, int32_t value) { Put(bytes, at, static_cast<uint32_t>(value)); }

void PutText(std::span<uint8_t> bytes, size_t at, size_t width, const std::string& text) {
  const size_t count = std::min(text.size(), width);
  for (size_t i = 0; i < count && at + i < bytes.size(); ++i) bytes[at + i] = static_cast<uint8_t>(text[i]);
}

// Fills a reply from scratch: the driver writes every byte of the records it returns.
void Clear(std::span<uint8_t> out, uint32_t size) {
  std::fill(out.begin(), out.end(), uint8_t{0});
  Put(out, 0, size);
}

bool Sideways(int32_t code) { return code == 1 || code == 3; }

SimAtiMode Mode(uint32_t width, uint32_t height, uint32_t refresh) { return {width, height, refresh}; }

SimAtiDisplay Monitor(uint32_t bit, uint32_t index, std::vector<SimAtiMode> modes, SimAtiMode limits) {
  SimAtiDisplay display;
  display.bit = bit;
  display.index = index;
  display.modes = std::move(modes);
  display.limits = limits;
  // Position and size within a few steps, sync polarities as switches.
  for (size_t k = 4; k <= 7; ++k) display.caps[k] = {0, -20, 20, 1};
  for (size_t k = 17; k <= 19; ++k) display.caps[k] = {0, 0, 1, 0};
  display.adjustments[4] = 2;
  display.adjustments[5] = -3;
  display.adjustments[17] = 1;
  display.adjustments[24] = 0x5A5A;  // a slot only the driver knows
  return display;
}

SimAtiDisplay Tv(uint32_t index) {
  SimAtiDisplay tv = Monitor(0x8, index, {Mode(800, 600, 60), Mode(640, 480, 60)}, Mode(800, 600, 60));
  tv.caps[2] = {100, 0, 200, 1};  // saturation
  tv.caps[3] = {100, 0, 200, 1};  // contrast
  tv.caps[8] = {0, 0, 1, 0};      // dot crawl
  tv.caps[9] = {1, 0, 3, 0};      // S-Video sharpness
  tv.caps[10] = {1, 0, 4, 0};     // composite sharpness
  tv.caps[12] = {60, 0, 100, 1};  // flicker filter
  tv.caps[13] = {1, 1, 0x2000, 0};  // TV standard
  tv.caps[15] = {1, 0, 1, 0};     // overscan
  for (size_t k = 17; k <= 19; ++k) tv.caps[k] = {};
  tv.adjustments[2] = 110;
  tv.adjustments[3] = 120;
  tv.adjustments[9] = 1;
  tv.adjustments[10] = 1;
  tv.adjustments[12] = 60;
  tv.adjustments[13] = 0x8;  // PAL-B
  tv.adjustments[15] = 1;
  tv.adjustments[17] = 0;
  return tv;
}

SimAtiDriverState Revision5State() {
  SimAtiDriverState state;
  for (uint32_t c = 0; c < 2; ++c) {
    for (size_t i = 0; i < state.controllers[c].driverFields.size(); ++i)
      state.controllers[c].driverFields[i] = static_cast<uint8_t>(0x40 + 16 * c + i);
  }
  state.controllers[0] = {1024, 768, 0x1, 85, state.controllers[0].driverFields};
  state.controllers[1] = {800, 600, 0, 60, state.controllers[1].driverFields};
  state.displays.push_back(Monitor(0x1, 0,
                                   {Mode(1600, 1200, 60), Mode(1280, 1024, 75), Mode(1024, 768, 85), Mode(800, 600, 75),
                                    Mode(640, 480, 60)},
                                   Mode(1600, 1200, 85)));
  state.displays.push_back(Monitor(0x2, 1, {Mode(1280, 1024, 60), Mode(1024, 768, 60), Mode(800, 600, 60)},
                                   Mode(1280, 1024, 60)));
  state.displays.push_back(Tv(3));
  state.preferredMode = Mode(1280, 1024, 60);
  Put(state.theaterMode, 0, 40);
  Put(state.theaterMode, 4, 3);
  Put(state.theaterMode, 8, 0);
  Put(state.theaterMode, 16, 0x11);
  for (size_t i = 20; i < 40; ++i) state.theaterMode[i] = static_cast<uint8_t>(0xA0 + i);
  state.overlay[1] = {0, -100, 100, 1, 0};     // brightness
  state.overlay[2] = {100, 50, 250, 1, 100};   // gamma
  state.overlay[3] = {100, 0, 200, 1, 100};    // contrast
  state.overlay[4] = {100, 0, 200, 1, 120};    // saturation
  state.overlay[5] = {0, -180, 180, 1, 0};     // hue
  state.biosVersion = "BK-SIM 008.016M.069";
  state.biosPartNumber = "113-SIM9800-104";
  state.biosDate = "2003/06/18 12:34";
  state.settingBlobs = {{"DisplayLayout", {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
                        {"MonitorAdjust", {0x02, 0xFD, 0xFF, 0xFF}},
                        {"TvAdjust", std::vector<uint8_t>(300, 0x5C)}};
  return state;
}

}  // namespace

class SimAtiContext : public DisplayContext {
 public:
  explicit SimAtiContext(SimAtiDriver& driver) : driver_(driver) {
    ++driver_.openContexts_;
    ++driver_.contextsOpened_;
  }
  ~SimAtiContext() override { --driver_.openContexts_; }
  SimAtiContext(const SimAtiContext&) = delete;
  SimAtiContext& operator=(const SimAtiContext&) = delete;

  int32_t Escape(std::span<const uint8_t> input, std::span<uint8_t> output) override {
    return driver_.Escape(input, output);
  }

 private:
  SimAtiDriver& driver_;
};

SimAtiDriver::SimAtiDriver(SimAtiDriverKind kind, std::wstring deviceName)
    : state_(Revision5State()), deviceName_(std::move(deviceName)) {
  if (kind == SimAtiDriverKind::OlderRevision) {
    // The layout before revision 5: the TV sits at display index 2.
    state_.interfaceRevision = 4;
    if (SimAtiDisplay* tv = DisplayByBit(0x8)) tv->index = 2;
  } else if (kind == SimAtiDriverKind::NoPrivateEscapes) {
    state_.privateEscapes = false;
  }
}

std::unique_ptr<DisplayContext> SimAtiDriver::OpenContext(const std::wstring& deviceName) {
  if (!deviceName.empty() && !EqualsNoCase(deviceName, deviceName_)) return nullptr;
  return std::make_unique<SimAtiContext>(*this);
}

SimAtiDisplay* SimAtiDriver::DisplayByIndex(uint32_t index) {
  for (SimAtiDisplay& display : state_.displays)
    if (display.index == index) return &display;
  return nullptr;
}

SimAtiDisplay* SimAtiDriver::DisplayByBit(uint32_t bit) {
  for (SimAtiDisplay& display : state_.displays)
    if (display.bit == bit) return &display;
  return nullptr;
}

int32_t SimAtiDriver::Escape(std::span<const uint8_t> input, std::span<uint8_t> output) {
  SimEscapeCall call{Word(input, 4), Word(input, 8), std::vector<uint8_t>(input.begin(), input.end()), output.size(), 0};
  if (!state_.privateEscapes || input.size() < 16) {
    call.result = SimEscapeResult::Unknown;
  } else {
    const RequestShape* shape = nullptr;
    for (const RequestShape& each : kShapes)
      if (each.function == call.function) shape = &each;
    if (!shape) {
      call.result = SimEscapeResult::Unknown;
    } else if (Word(input, 0) != shape->headerSize || input.size() != shape->inputSize ||
               std::find(shape->outputSizes.begin(), shape->outputSizes.end(), output.size()) ==
                   shape->outputSizes.end() ||
               (shape->sizedReply && Word(output, 0) != output.size())) {
      call.result = SimEscapeResult::Malformed;
    } else if (state_.failingFunctions.count(call.function)) {
      call.result = SimEscapeResult::Refused;
    } else {
      call.result = Answer(call.function, input, output);
    }
  }
  calls_.push_back(std::move(call));
  return calls_.back().result;
}

int32_t SimAtiDriver::Answer(uint32_t function, std::span<const uint8_t> in, std::span<uint8_t> out) {
  constexpr int32_t kOk = 0;
  constexpr int32_t kRefused = SimEscapeResult::Refused;
  const uint32_t index = Word(in, 8);
  switch (function) {
    case kQueryAdapterInfo:
      Clear(out, 32);
      Put(out, 4, 0x1002);  // vendor
      Put(out, 12, state_.interfaceRevision);
      return kOk;
    case kQueryConnectedDisplays:
      Clear(out, 20);
      Put(out, 4, state_.connectedDisplays);
      return kOk;
    case kReadDriverSettingBlob: {
      // The same request walks the records; after the last one the walk starts over.
      if (nextBlob_ >= state_.settingBlobs.size()) {
        nextBlob_ = 0;
        return kRefused;
      }
      const SimSettingBlob& blob = state_.settingBlobs[nextBlob_++];
      Clear(out, 1288);
      PutText(out, 4, 255, blob.name);
      const size_t length = std::min<size_t>(blob.data.size(), 1024);
      Put(out, 260, static_cast<uint32_t>(length));
      std::copy_n(blob.data.begin(), length, out.begin() + 264);
      return kOk;
    }
    case kQueryOverlayAvailable:
      Clear(out, 48);
      Put(out, 12, state_.overlayAvailable ? 1 : 0);
      return kOk;
    case kGetControllerConfig: {
      if (index > 1) return kRefused;
      const SimAtiController& c = state_.controllers[index];
      Clear(out, 76);
      Put(out, 4, index);
      Put(out, 8, c.width);
      Put(out, 12, c.height);
      std::copy_n(c.driverFields.begin(), 24, out.begin() + 16);
      Put(out, 40, c.displays);
      Put(out, 44, c.refresh);
      std::copy_n(c.driverFields.begin() + 24, 28, out.begin() + 48);
      return kOk;
    }
    case kSetDisplayConfig: {
      SimAtiController next[2] = {state_.controllers[0], state_.controllers[1]};
      uint32_t used = 0;
      for (uint32_t c = 0; c < 2; ++c) {
        const size_t at = 16 + 76 * c;
        if (Word(in, at) != 76 || Word(in, at + 4) != c) return kRefused;
        const uint32_t displays = Word(in, at + 40);
        // Only connected displays, each on one controller, and a mode for what is driven.
        if ((displays & ~state_.connectedDisplays) || (displays & used)) return kRefused;
        if (displays && (Word(in, at + 8) == 0 || Word(in, at + 12) == 0)) return kRefused;
        used |= displays;
        next[c].width = Word(in, at + 8);
        next[c].height = Word(in, at + 12);
        next[c].displays = displays;
        next[c].refresh = Word(in, at + 44);
      }
      if (next[0].displays == 0) return kRefused;  // the primary desktop needs a display
      state_.controllers[0] = next[0];
      state_.controllers[1] = next[1];
      ++state_.configurationsSet;
      // The record the driver keeps its layout in follows.
      for (SimSettingBlob& blob : state_.settingBlobs) {
        if (blob.name != "DisplayLayout") continue;
        blob.data.assign(8, 0);
        Put(blob.data, 0, next[0].displays);
        Put(blob.data, 4, next[1].displays);
      }
      Clear(out, static_cast<uint32_t>(out.size()));
      return kOk;
    }
    case kGetPreferredMode:
      if (Word(in, 16) != 12 || Word(in, 20) != 1 || Word(in, 24) != 8) return SimEscapeResult::Malformed;
      Clear(out, 28);
      Put(out, 12, state_.preferredMode.width);
      Put(out, 16, state_.preferredMode.height);
      Put(out, 20, state_.preferredMode.refresh);
      return kOk;
    case kEnumDisplayModes: {
      const SimAtiDisplay* display = DisplayByBit(Word(in, 20));
      const uint32_t mode = Word(in, 16);
      if (!display || mode >= display->modes.size()) return kRefused;
      Clear(out, 24);
      Put(out, 8, display->modes[mode].width);
      Put(out, 12, display->modes[mode].height);
      Put(out, 16, display->modes[mode].refresh);
      return kOk;
    }
    case kGetOverlayRange:
    case kGetOverlayValue:
    case kSetOverlayValue: {
      const uint32_t property = Word(in, 20);
      if (Word(in, 16) != 32) return SimEscapeResult::Malformed;
      if (!state_.overlayAvailable || property < 1 || property > 5) return kRefused;
      SimOverlayControl& control = state_.overlay[property];
      if (function == kGetOverlayRange) {
        Clear(out, 32);
        PutSigned(out, 4, control.defaultValue);
        PutSigned(out, 8, control.minimum);
        PutSigned(out, 12, control.maximum);
        PutSigned(out, 16, control.fourth);
      } else if (function == kGetOverlayValue) {
        std::fill(out.begin(), out.end(), uint8_t{0});
        PutSigned(out, 4, control.value);
      } else {
        control.value = std::clamp(static_cast<int32_t>(Word(in, 24)), control.minimum, control.maximum);
        Clear(out, 32);
        Put(out, 4, property);
        PutSigned(out, 8, control.value);
      }
      return kOk;
    }
    case kGetDisplayCaps: {
      const SimAtiDisplay* display = DisplayByIndex(index);
      if (!display) return kRefused;
      Clear(out, 420);
      for (size_t k = 0; k < display->caps.size(); ++k) {
        const SimAtiCap& cap = display->caps[k];
        PutSigned(out, 4 + 16 * k, cap.defaultValue);
        PutSigned(out, 8 + 16 * k, cap.minimum);
        PutSigned(out, 12 + 16 * k, cap.maximum);
        PutSigned(out, 16 + 16 * k, cap.fourth);
      }
      return kOk;
    }
    case kGetDisplayAdjustments: {
      const SimAtiDisplay* display = DisplayByIndex(index);
      if (!display) return kRefused;
      Clear(out, 104);
      for (size_t k = 0; k < display->adjustments.size(); ++k) PutSigned(out, 4 + 4 * k, display->adjustments[k]);
      return kOk;
    }
    case kSetDisplayAdjustments: {
      SimAtiDisplay* display = DisplayByIndex(index);
      if (Word(in, 16) != 104) return SimEscapeResult::Malformed;
      if (!display || !(state_.connectedDisplays & display->bit)) return kRefused;
      // What the display supports stays within its caps; other slots are kept as sent.
      for (size_t k = 0; k < display->adjustments.size(); ++k) {
        const SimAtiCap& cap = display->caps[k];
        const auto value = static_cast<int32_t>(Word(in, 20 + 4 * k));
        const bool supported = cap.minimum != 0 || cap.maximum != 0;
        display->adjustments[k] = supported ? std::clamp(value, cap.minimum, cap.maximum) : value;
      }
      std::fill(out.begin(), out.end(), uint8_t{0});
      return kOk;
    }
    case kGetDisplayLimits: {
      const SimAtiDisplay* display = DisplayByIndex(index);
      if (!display) return kRefused;
      Clear(out, 32);
      Put(out, 8, display->limits.width);
      Put(out, 12, display->limits.height);
      Put(out, 16, display->limits.refresh);
      return kOk;
    }
    case kGetRotation:
      Clear(out, 64);
      PutSigned(out, 16, state_.rotation);
      return kOk;
    case kSetRotation:
    case kCheckRotation: {
      if (Word(in, 16) != 64) return SimEscapeResult::Malformed;
      const uint32_t width = Word(in, 20);
      const uint32_t height = Word(in, 24);
      const uint32_t bits = Word(in, 28);
      const int32_t code = static_cast<int32_t>(Word(in, 32));
      // The desktop keeps its size; only its orientation turns.
      const uint32_t wantWidth = Sideways(code) ? state_.landscapeHeight : state_.landscapeWidth;
      const uint32_t wantHeight = Sideways(code) ? state_.landscapeWidth : state_.landscapeHeight;
      const bool possible = code >= 0 && code <= 3 && (bits == 16 || bits == 32) && width == wantWidth &&
                            height == wantHeight && !state_.refusedRotations.count(code);
      if (!possible) return kRefused;
      if (function == kSetRotation) {
        state_.rotation = code;
        state_.controllers[0].width = width;
        state_.controllers[0].height = height;
      }
      Clear(out, 16);
      return kOk;
    }
    case kGetTheaterMode:
      std::copy(state_.theaterMode.begin(), state_.theaterMode.end(), out.begin());
      Put(out, 0, 40);
      return kOk;
    case kSetTheaterMode:
      if (Word(in, 16) != 40 || Word(in, 20) != 3) return SimEscapeResult::Malformed;
      std::copy_n(in.begin() + 16, 40, state_.theaterMode.begin());
      Clear(out, 4);
      return kOk;
    case kDriverReloadNotify: {
      if (Word(in, 16) != 8) return SimEscapeResult::Malformed;
      const uint32_t phase = Word(in, 20);
      if (phase == 1) {
        reloadStarted_ = true;
      } else if (phase == 2 && reloadStarted_) {
        reloadStarted_ = false;
        ++state_.reloads;
      } else {
        return kRefused;
      }
      Clear(out, 8);
      return kOk;
    }
    case kGetBiosInfo:
      Clear(out, 192);
      PutText(out, 12, 23, state_.biosVersion);
      PutText(out, 36, 63, state_.biosPartNumber);
      PutText(out, 100, 91, state_.biosDate);
      return kOk;
    default:
      return SimEscapeResult::Unknown;
  }
}

}  // namespace corvane::platform::sim
