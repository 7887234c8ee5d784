// The display driver's replies to the private escapes: a driver of another version, or
// of another vendor, fills the reply buffers with whatever it likes and answers with any
// result. Every query the program makes, and the mode choice and settings persistence
// built on them, read the replies the fuzzer writes.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "display/driver_settings.h"
#include "display/escape_calls.h"
#include "display/escape_test_fakes.h"
#include "display/mode_choice.h"
#include "display/rotation.h"

namespace {

using namespace corvane;
using namespace corvane::display;

// Each escape takes its result and then as many reply bytes as the fuzzer gives, up to
// the buffer the caller offers. Once the input is used up every escape fails.
class FuzzedEscapes final : public platform::DriverEscape {
 public:
  explicit FuzzedEscapes(FuzzedDataProvider& input) : input_(input) {}
  std::unique_ptr<platform::DisplayContext> OpenContext(const std::wstring&) override {
    struct Fuzzed final : platform::DisplayContext {
      explicit Fuzzed(FuzzedDataProvider& input) : input(input) {}
      int32_t Escape(std::span<const uint8_t>, std::span<uint8_t> output) override {
        if (input.remaining_bytes() == 0) return -1;
        const int32_t result = input.ConsumeBool() ? 0 : input.ConsumeIntegral<int32_t>();
        const std::vector<uint8_t> reply =
            input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<size_t>(0, output.size()));
        std::copy(reply.begin(), reply.end(), output.begin());
        return result;
      }
      FuzzedDataProvider& input;
    };
    return std::make_unique<Fuzzed>(input_);
  }

 private:
  FuzzedDataProvider& input_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  testing::SimDisplayRig rig;
  FuzzedEscapes escapes(input);
  DisplayEnvironment env = rig.Environment(escapes);
  {
    EscapeContext dc(env.escapes, env.deviceName);
    QueryAdapterInfo(dc);
    QueryConnectedDisplays(dc);
    QueryOverlayAvailable(dc);
    ReadDriverSettingBlob(dc);
    GetControllerConfig(dc, 0);
    GetControllerConfig(dc, 1);
    GetPreferredMode(dc);
    for (uint32_t index = 0; index < 4; ++index) EnumDisplayModes(dc, index, 1);
    for (uint32_t property = 1; property <= 5; ++property) {
      GetOverlayRange(dc, property);
      GetOverlayValue(dc, property);
    }
    GetDisplayCaps(dc, 0);
    GetDisplayAdjustments(dc, 0);
    GetDisplayLimits(dc, 0);
    GetRotation(dc);
    GetTheaterMode(dc);
    GetBiosInfo(dc);
  }
  ControllerConfig config;
  std::vector<CandidateMode> candidates;
  ChooseMode(env, 1, 100000, config, candidates);
  GetCurrentRotation(env);
  PersistDriverSettings(env);
  return 0;
}
