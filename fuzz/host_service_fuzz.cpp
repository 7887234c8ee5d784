// What a plug-in hands the host service: any code, and input and output buffers holding
// whatever the plug-in put there (as large as any code needs: a smaller one is the
// plug-in's own fault), or none. Whatever the values, the host stays within the widths
// each code defines and the simulated machine's checks see every hardware access.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <vector>

#include "hardware/rvx.h"
#include "platform/sim/hardware/sim_machine.h"
#include "plugins/host/host_service.h"
#include "settings/program_settings.h"
#include "platform/sim/registry_sim.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  FuzzedDataProvider input(data, size);
  platform::sim::SimMachine machine;
  hardware::TRVX rvx(machine.Kernel(), machine.Registers(), L"C:\\Corvane\\", false, 0, 0);
  platform::SimRegistry registry;
  auto reg1 = settings::CreateProgramSettings(registry);
  const plugins::HostServiceContext context{&rvx, reg1.get(), 0x00010000, "SYSTEM\\Video\\0000"};
  while (input.remaining_bytes() > 0) {
    const uint32_t code = input.ConsumeIntegralInRange<uint32_t>(0, 31);
    std::array<uint8_t, 16> in{};
    std::array<uint8_t, 128> out{};
    const std::vector<uint8_t> inBytes = input.ConsumeBytes<uint8_t>(in.size());
    std::copy(inBytes.begin(), inBytes.end(), in.begin());
    const std::vector<uint8_t> outBytes = input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<size_t>(0, 8));
    std::copy(outBytes.begin(), outBytes.end(), out.begin());
    const bool noInput = input.ConsumeIntegralInRange<int>(0, 15) == 0;
    const bool noOutput = input.ConsumeIntegralInRange<int>(0, 15) == 0;
    plugins::ServeHostCall(context, code, noInput ? nullptr : in.data(), noOutput ? nullptr : out.data());
  }
  return 0;
}
