#include "platform/sim/hardware/sim_card_presets.h"

#include "platform/sim/hardware/sim_bios_image.h"

namespace corvane::platform::sim {
namespace {

// Memory type in MC_SDRAM_MODE_REG bits 0-2, bus width in MEM_CNTL bits 0-1, pipes in
// GB_TILE_CONFIG bits 1-3.
constexpr uint32_t kGddr3 = 0, kDdrSdram = 2;
constexpr uint32_t kBus128 = 1, kBus256 = 2;
constexpr uint32_t kPipes4 = 0 << 1, kPipes8 = 3 << 1, kPipes16 = 7 << 1;

CardSetup Radeon9800Pro() {
  CardSetup card;
  card.name = "9800 PRO";
  card.deviceId = 0x4E48;
  card.secondaryDeviceId = 0x4E68;
  card.subsystemId = 0x0002;
  card.refDivider = 12;
  card.coreFeedbackDivider = 169;  // 380.25 MHz
  card.memFeedbackDivider = 151;   // 339.75 MHz
  card.coreSourceSelect = 2;
  card.memSourceSelect = 2;
  card.xclkCntlOtherBits = 0x00008000;
  card.mclkCntlOtherBits = 0x003F0000;
  card.xpllCntl = 0x0000A01D;
  card.xdllCntl = 0x00000F84;
  card.memorySize = 128u << 20;
  card.memCntl = 0x29002A00 | kBus256;
  card.mcTimingCntl = 0x24B46A35;
  card.mcSdramModeReg = 0x35000130 | kDdrSdram;
  card.mcRefreshCntl = 0x0000F0A8;
  card.gbTileConfig = 0x00000011 | kPipes8;
  card.biosScratch0 = 0x00000005;
  card.biosImage = BuildLegacyBios({.defaultCoreClock = 38000, .defaultMemClock = 34000, .refClock = 2700, .refDiv = 12});
  return card;
}

CardSetup RadeonX800XtPe() {
  CardSetup card;
  card.name = "X800 XT PE";
  card.deviceId = 0x4A50;
  card.secondaryDeviceId = 0x4A70;
  card.subsystemId = 0x0002;
  card.refDivider = 12;
  card.coreFeedbackDivider = 231;  // 519.75 MHz
  card.memFeedbackDivider = 249;   // 560.25 MHz
  card.coreSourceSelect = 2;
  card.memSourceSelect = 2;
  card.xclkCntlOtherBits = 0x00008000;
  card.mclkCntlOtherBits = 0x003F0000;
  card.xpllCntl = 0x0000A01D;
  card.xdllCntl = 0x00000F84;
  card.memorySize = 256u << 20;
  card.memCntl = 0x29002A00 | kBus256;
  card.mcTimingCntl = 0x2596A946;
  card.mcSdramModeReg = 0x35000330 | kGddr3;
  card.mcRefreshCntl = 0x0000F0C0;
  card.gbTileConfig = 0x00000011 | kPipes16;
  card.biosScratch0 = 0x00000005;
  // The reference divider of an ATOM card lives in its PLL, not in its BIOS.
  card.biosImage = BuildAtomBios({.defaultCoreClock = 52000, .defaultMemClock = 56000, .refClock = 2700, .refDiv = 0});
  return card;
}

CardSetup Radeon9600Sync() {
  CardSetup card;
  card.name = "9600 SYNC";
  card.deviceId = 0x4150;
  card.secondaryDeviceId = 0x4170;
  card.subsystemId = 0x0002;
  card.refDivider = 12;
  card.coreFeedbackDivider = 178;  // 400.5 MHz on the memory PLL's post divider
  card.memFeedbackDivider = 178;
  card.coreSourceSelect = 7;  // the core runs off the memory clock
  card.memSourceSelect = 2;
  card.xclkCntlOtherBits = 0x00008000;
  card.mclkCntlOtherBits = 0x003F0000;
  card.xpllCntl = 0x0000A01D;
  card.xdllCntl = 0x00000F84;
  card.memorySize = 128u << 20;
  card.memCntl = 0x29002A00 | kBus128;
  card.mcTimingCntl = 0x24B46A35;
  card.mcSdramModeReg = 0x35000130 | kDdrSdram;
  card.mcRefreshCntl = 0x0000F0A8;
  card.gbTileConfig = 0x00000011 | kPipes4;
  card.biosScratch0 = 0x00000005;
  card.biosImage = BuildLegacyBios({.defaultCoreClock = 40000, .defaultMemClock = 40000, .refClock = 2700, .refDiv = 12});
  return card;
}

struct Preset {
  std::string_view name;
  CardSetup (*make)();
};

constexpr Preset kPresets[] = {
    {"9800 PRO", Radeon9800Pro},
    {"X800 XT PE", RadeonX800XtPe},
    {"9600 SYNC", Radeon9600Sync},
};

}  // namespace

std::optional<CardSetup> FindCardPreset(std::string_view name) {
  for (const Preset& preset : kPresets)
    if (preset.name == name) return preset.make();
  return std::nullopt;
}

std::vector<std::string_view> CardPresetNames() {
  std::vector<std::string_view> names;
  for (const Preset& preset : kPresets) names.push_back(preset.name);
  return names;
}

}  // namespace corvane::platform::sim
