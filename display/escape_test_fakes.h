#pragma once
// Stand-ins for the escape port in tests: a system that answers every escape with 0 and
// writes nothing (as Wine and non-ATI drivers do), one that answers with random bytes,
// and a driver library that records its calls.

#include <cstdint>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "display/display_environment.h"
#include "platform/driver_escape.h"
#include "platform/sim/hardware/sim_ati_driver.h"
#include "platform/sim/hardware/sim_display_devices.h"
#include "platform/sim/registry_sim.h"
#include "platform/sim/user_interaction_sim.h"

namespace corvane::display::testing {

class SilentEscapes : public platform::DriverEscape {
 public:
  std::unique_ptr<platform::DisplayContext> OpenContext(const std::wstring&) override {
    struct Silent : platform::DisplayContext {
      int32_t Escape(std::span<const uint8_t>, std::span<uint8_t>) override { return 0; }
    };
    return std::make_unique<Silent>();
  }
};

// Replies of random length-preserving bytes, sometimes with the Size word the caller
// prepared kept, and random results that are mostly "success".
class RandomEscapes : public platform::DriverEscape {
 public:
  explicit RandomEscapes(uint32_t seed) : random_(seed) {}
  std::unique_ptr<platform::DisplayContext> OpenContext(const std::wstring&) override {
    struct Random : platform::DisplayContext {
      explicit Random(std::mt19937& random) : random(random) {}
      int32_t Escape(std::span<const uint8_t>, std::span<uint8_t> output) override {
        const bool keepSize = random() % 2 == 0;
        const uint32_t written = random() % (output.size() + 1);
        for (size_t i = keepSize ? 4 : 0; i < written; ++i) output[i] = static_cast<uint8_t>(random());
        return random() % 8 == 0 ? static_cast<int32_t>(random()) : 0;
      }
      std::mt19937& random;
    };
    return std::make_unique<Random>(random_);
  }

 private:
  std::mt19937 random_;
};

// Passes every escape on to a driver and then clears the Size word of its reply, as a
// driver that fills in only the fields it has would leave it.
class SizeWordClearingEscapes : public platform::DriverEscape {
 public:
  explicit SizeWordClearingEscapes(platform::DriverEscape& driver) : driver_(driver) {}
  std::unique_ptr<platform::DisplayContext> OpenContext(const std::wstring& device) override {
    struct Clearing : platform::DisplayContext {
      explicit Clearing(std::unique_ptr<platform::DisplayContext> inner) : inner(std::move(inner)) {}
      int32_t Escape(std::span<const uint8_t> input, std::span<uint8_t> output) override {
        const int32_t result = inner->Escape(input, output);
        for (size_t i = 0; i < 4 && i < output.size(); ++i) output[i] = 0;
        return result;
      }
      std::unique_ptr<platform::DisplayContext> inner;
    };
    std::unique_ptr<platform::DisplayContext> inner = driver_.OpenContext(device);
    if (!inner) return nullptr;
    return std::make_unique<Clearing>(std::move(inner));
  }

 private:
  platform::DriverEscape& driver_;
};

class RecordingDriverLibrary : public platform::DriverLibrary {
 public:
  bool loaded = true;
  bool hasEntryPoint = true;
  std::vector<std::pair<int32_t, int32_t>> calls;

  bool Loaded() const override { return loaded; }
  bool EnableExtendedDesktop(int32_t first, int32_t second) override {
    if (!loaded || !hasEntryPoint) return false;
    calls.emplace_back(first, second);
    return true;
  }
};

// The simulated machine the display operations run on: the ATI driver (or another escape
// port), the two display heads, the registry with the driver key, scripted message boxes.
struct SimDisplayRig {
  explicit SimDisplayRig(platform::sim::SimAtiDriverKind kind = platform::sim::SimAtiDriverKind::Revision5)
      : driver(kind) {}

  DisplayEnvironment Environment() { return Environment(driver); }
  DisplayEnvironment Environment(platform::DriverEscape& escapes) {
    DisplayEnvironment env{escapes, library, displays, registry, user, L"\\\\.\\DISPLAY1", kDriverKey, {}, {}};
    RefreshCurrentDisplayMode(env);
    return env;
  }
  std::unique_ptr<platform::RegistryKey> DriverKey() {
    return registry.OpenKey(platform::RegistryRoot::LocalMachine, kDriverKey, false);
  }
  // The driver's functions in the order they were called.
  std::vector<uint32_t> Functions() const {
    std::vector<uint32_t> functions;
    for (const platform::sim::SimEscapeCall& call : driver.Calls()) functions.push_back(call.function);
    return functions;
  }

  inline static const std::wstring kDriverKey = std::wstring(platform::sim::kSimVideoKey) + L"\\0000";
  platform::SimRegistry registry;
  platform::sim::SimDisplayDevices displays{registry};
  platform::sim::SimAtiDriver driver;
  platform::SimUserInteraction user;
  RecordingDriverLibrary library;
};

}  // namespace corvane::display::testing
