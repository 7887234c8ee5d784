// The card's video BIOS as the program maps it at 0xC0000: a flashed, damaged or foreign
// image may hold any bytes, and the table pointers in it may point anywhere. The program
// reads the PLL table (legacy images) or the firmware clocks (ATOM images) when it
// finds the card, and computes the clocks from them.
#include <fuzzer/FuzzedDataProvider.h>

#include <string_view>

#include "hardware/rvx.h"
#include "platform/sim/hardware/sim_card_presets.h"
#include "platform/sim/hardware/sim_machine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  namespace sim = platform::sim;
  FuzzedDataProvider input(data, size);
  // A legacy card or an ATOM one, so that both readers see the image.
  const std::string_view preset = input.ConsumeBool() ? "X800 XT PE" : sim::kDefaultCardPreset;
  sim::CardSetup card = *sim::FindCardPreset(preset);
  card.biosImage = input.ConsumeRemainingBytes<uint8_t>();
  sim::SimMachine machine(card);
  hardware::TRVX rvx(machine.Kernel(), machine.Registers(), L"C:\\Corvane\\", false, 0, 0);
  rvx.ReadClocks();
  return 0;
}
