#include "platform/sim/hardware/sim_machine_state.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <vector>

namespace corvane::platform::sim {
namespace {

using namespace radeon_reg;
using namespace radeon_pll;

struct Named {
  uint32_t at;
  const char* name;
};

// The PLL registers a fresh card has set; every other one starts at 0.
constexpr Named kClockPll[] = {{kMpllRefFbDiv, "X_MPLL_REF_FB_DIV"},
                               {kXpllCntl, "XPLL_CNTL"},
                               {kXdllCntl, "XDLL_CNTL"},
                               {kXclkCntl, "XCLK_CNTL"},
                               {kMclkCntl, "MCLK_CNTL"}};

constexpr Named kTimingRegisters[] = {{kMemCntl, "MEM_CNTL"},
                                      {kMcTimingCntl, "MC_TIMING_CNTL"},
                                      {kMcSdramModeReg, "MC_SDRAM_MODE_REG"},
                                      {kMcRefreshCntl, "MC_REFRESH_CNTL"}};

constexpr size_t kPaletteLine = 16;
constexpr uint32_t kLargestMode = 16384;
constexpr uint32_t kHighestRefresh = 1000;

const char* NameOf(std::span<const Named> table, uint32_t at) {
  for (const Named& each : table)
    if (each.at == at) return each.name;
  return nullptr;
}

template <typename... Args>
void Append(std::string& out, const char* format, Args... args) {
  char line[160];
  const int length = std::snprintf(line, sizeof line, format, args...);
  if (length > 0) out.append(line, std::min<size_t>(static_cast<size_t>(length), sizeof line - 1));
}

// The words of a line up to a '#'.
std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t at = 0;
  while (at < line.size() && line[at] != '#') {
    if (line[at] == ' ' || line[at] == '\t' || line[at] == '\r') {
      ++at;
      continue;
    }
    const size_t start = at;
    while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r' && line[at] != '#') ++at;
    words.push_back(line.substr(start, at - start));
  }
  return words;
}

std::optional<uint32_t> Hex(std::string_view word, uint32_t largest = 0xFFFFFFFF) {
  if (word.empty() || word.size() > 8) return std::nullopt;
  uint32_t value = 0;
  for (char c : word) {
    uint32_t digit = 0;
    if (c >= '0' && c <= '9') digit = static_cast<uint32_t>(c - '0');
    else if (c >= 'a' && c <= 'f') digit = static_cast<uint32_t>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F') digit = static_cast<uint32_t>(c - 'A' + 10);
    else return std::nullopt;
    value = value << 4 | digit;
  }
  if (value > largest) return std::nullopt;
  return value;
}

std::optional<int64_t> Decimal(std::string_view word, int64_t lowest, int64_t highest) {
  size_t at = 0;
  const bool negative = !word.empty() && word[0] == '-';
  if (negative || (!word.empty() && word[0] == '+')) at = 1;
  if (at == word.size() || word.size() - at > 10) return std::nullopt;
  int64_t value = 0;
  for (; at < word.size(); ++at) {
    if (word[at] < '0' || word[at] > '9') return std::nullopt;
    value = value * 10 + (word[at] - '0');
  }
  if (negative) value = -value;
  if (value < lowest || value > highest) return std::nullopt;
  return value;
}

std::optional<int32_t> Signed(std::string_view word, int32_t lowest = INT32_MIN, int32_t highest = INT32_MAX) {
  const auto value = Decimal(word, lowest, highest);
  if (!value) return std::nullopt;
  return static_cast<int32_t>(*value);
}

void ReadPll(const std::vector<std::string_view>& w, RadeonRegisters& card) {
  const auto index = Hex(w[1], RadeonRegisters::kPllRegisterCount - 1);
  const auto value = Hex(w[2]);
  if (index && value) card.SetPll(static_cast<uint8_t>(*index), *value);
}

void ReadRegister(const std::vector<std::string_view>& w, RadeonRegisters& card) {
  const auto offset = Hex(w[1]);
  const auto value = Hex(w[2]);
  // Only the timing registers: other registers describe the card and are not kept.
  if (offset && value && NameOf(kTimingRegisters, *offset)) card.SetRegister(*offset, *value);
}

void ReadPalette(const std::vector<std::string_view>& w, RadeonRegisters& card) {
  const auto first = Hex(w[1], RadeonRegisters::kPaletteSize - 1);
  if (!first) return;
  for (size_t k = 2; k < w.size() && *first + (k - 2) < RadeonRegisters::kPaletteSize; ++k)
    if (const auto entry = Hex(w[k], 0x00FFFFFF)) card.SetPaletteEntry(static_cast<uint8_t>(*first + k - 2), *entry);
}

void ReadController(const std::vector<std::string_view>& w, std::array<SimAtiController, 2>& controllers) {
  if (w.size() < 6) return;
  const auto index = Decimal(w[1], 0, 1);
  const auto width = Decimal(w[2], 0, kLargestMode);
  const auto height = Decimal(w[3], 0, kLargestMode);
  const auto refresh = Decimal(w[4], 0, kHighestRefresh);
  const auto displays = Hex(w[5]);
  if (!index || !width || !height || !refresh || !displays) return;
  SimAtiController& c = controllers[static_cast<size_t>(*index)];
  c.width = static_cast<uint32_t>(*width);
  c.height = static_cast<uint32_t>(*height);
  c.refresh = static_cast<uint32_t>(*refresh);
  c.displays = *displays;
}

// What the driver itself would accept from a configuration request.
bool DriverWouldTake(const std::array<SimAtiController, 2>& controllers, uint32_t connected) {
  uint32_t used = 0;
  for (const SimAtiController& c : controllers) {
    if ((c.displays & ~connected) || (c.displays & used)) return false;
    if (c.displays && (c.width == 0 || c.height == 0)) return false;
    used |= c.displays;
  }
  return controllers[0].displays != 0;
}

SimAtiDisplay* DisplayByIndex(SimAtiDriverState& driver, uint32_t index) {
  for (SimAtiDisplay& display : driver.displays)
    if (display.index == index) return &display;
  return nullptr;
}

void ReadAdjustments(const std::vector<std::string_view>& w, SimAtiDriverState& driver) {
  const auto index = Decimal(w[1], 0, UINT32_MAX);
  SimAtiDisplay* display = index ? DisplayByIndex(driver, static_cast<uint32_t>(*index)) : nullptr;
  if (!display) return;
  for (size_t k = 2; k < w.size() && k - 2 < display->adjustments.size(); ++k)
    if (const auto value = Signed(w[k])) display->adjustments[k - 2] = *value;
}

void ReadOverlay(const std::vector<std::string_view>& w, SimAtiDriverState& driver) {
  const auto property = Decimal(w[1], 1, static_cast<int64_t>(driver.overlay.size()) - 1);
  if (!property) return;
  SimOverlayControl& control = driver.overlay[static_cast<size_t>(*property)];
  if (const auto value = Signed(w[2], control.minimum, control.maximum)) control.value = *value;
}

// Theater mode: its mode (0, 1 or 4) and the aspect bits (0-1 video, 4-5 display).
void ReadTheater(const std::vector<std::string_view>& w, SimAtiDriverState& driver) {
  const auto mode = Decimal(w[1], 0, 4);
  const auto aspect = Hex(w[2], 0x33);
  if (!mode || !aspect) return;
  const auto put = [&](size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) driver.theaterMode[at + i] = static_cast<uint8_t>(value >> (8 * i));
  };
  put(8, static_cast<uint32_t>(*mode));
  put(16, *aspect);
}

uint32_t TheaterWord(const SimAtiDriverState& driver, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value |= static_cast<uint32_t>(driver.theaterMode[at + i]) << (8 * i);
  return value;
}

}  // namespace

std::string MachineStateText(const SimRadeon& card, const SimAtiDriverState& driver) {
  const RadeonRegisters& regs = card.Registers();
  std::string out =
      "# The simulated machine of corvane.exe /simulate, kept between runs.\n"
      "# Delete this file to start from a fresh machine.\n";
  for (uint32_t index = 0; index < RadeonRegisters::kPllRegisterCount; ++index) {
    const char* name = NameOf(kClockPll, index);
    const uint32_t value = regs.Pll(static_cast<uint8_t>(index));
    if (!name && value == 0) continue;  // as a fresh card has it
    Append(out, "pll %02X %08X", index, value);
    if (name) Append(out, "  # %s", name);
    if (index == kMpllRefFbDiv)
      Append(out, ": core %.2f MHz, memory %.2f MHz", card.CoreClockMhz(), card.MemClockMhz());
    out += '\n';
  }
  for (const Named& reg : kTimingRegisters)
    Append(out, "register %04X %08X  # %s\n", reg.at, regs.Register(reg.at), reg.name);
  for (uint32_t first = 0; first < RadeonRegisters::kPaletteSize; first += kPaletteLine) {
    Append(out, "palette %02X", first);
    for (uint32_t i = first; i < first + kPaletteLine; ++i)
      Append(out, " %06X", regs.PaletteEntry(static_cast<uint8_t>(i)));
    out += '\n';
  }
  out += "# controller: index, width, height, refresh, display mask\n";
  for (uint32_t c = 0; c < driver.controllers.size(); ++c) {
    const SimAtiController& controller = driver.controllers[c];
    Append(out, "controller %u %u %u %u %X\n", c, controller.width, controller.height, controller.refresh,
           controller.displays);
  }
  Append(out, "rotation %d\n", driver.rotation);
  out += "# adjustments: display index, then its 25 values\n";
  for (const SimAtiDisplay& display : driver.displays) {
    Append(out, "adjustments %u", display.index);
    for (int32_t value : display.adjustments) Append(out, " %d", value);
    out += '\n';
  }
  for (size_t property = 1; property < driver.overlay.size(); ++property)
    Append(out, "overlay %u %d\n", static_cast<unsigned>(property), driver.overlay[property].value);
  Append(out, "theater %u %X  # mode, aspect bits\n", TheaterWord(driver, 8), TheaterWord(driver, 16));
  return out;
}

void ReadMachineState(std::string_view text, SimRadeon& card, SimAtiDriverState& driver) {
  RadeonRegisters& regs = card.Registers();
  std::array<SimAtiController, 2> controllers = driver.controllers;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::vector<std::string_view> w = Words(text.substr(start, end - start));
    start = end + 1;
    if (w.size() < 2) continue;
    if (w[0] == "pll" && w.size() >= 3) ReadPll(w, regs);
    else if (w[0] == "register" && w.size() >= 3) ReadRegister(w, regs);
    else if (w[0] == "palette") ReadPalette(w, regs);
    else if (w[0] == "controller") ReadController(w, controllers);
    else if (w[0] == "rotation") {
      if (const auto rotation = Signed(w[1], 0, 3)) driver.rotation = *rotation;
    } else if (w[0] == "adjustments") ReadAdjustments(w, driver);
    else if (w[0] == "overlay" && w.size() >= 3) ReadOverlay(w, driver);
    else if (w[0] == "theater" && w.size() >= 3) ReadTheater(w, driver);
  }
  if (DriverWouldTake(controllers, driver.connectedDisplays)) driver.controllers = controllers;
}

}  // namespace corvane::platform::sim
