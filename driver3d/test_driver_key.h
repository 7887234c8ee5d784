#pragma once
// A driver key in the simulated registry with raw access to its values: what the driver
// or another tool may have left there, and exactly what the program wrote.

#include <gtest/gtest.h>

#include "driver3d/driver_registry.h"
#include "platform/registry_values.h"
#include "platform/sim/registry_sim.h"

namespace corvane::driver3d::testing {

namespace RegType = platform::RegType;
using Bytes = std::vector<uint8_t>;
inline const std::wstring kDriverKey = L"SYSTEM\\CurrentControlSet\\Control\\Video\\{5E8C3F1A}\\0000";

class DriverKeyTest : public ::testing::Test {
 protected:
  DriverKeyTest() { Key(kDriverKey); }
  std::unique_ptr<platform::RegistryKey> Key(const std::wstring& path) {
    return sim.OpenKey(platform::RegistryRoot::LocalMachine, path, true);
  }
  void Put(const std::wstring& name, uint32_t type, const Bytes& data, const std::wstring& path = kDriverKey) {
    ASSERT_TRUE(Key(path)->WriteValue(name, type, data));
  }
  std::optional<platform::RegistryValue> Stored(const std::wstring& name, const std::wstring& path = kDriverKey) {
    return Key(path)->ReadValue(name);
  }
  // The driver's registry object after start-up.
  std::unique_ptr<DriverRegistry> StartUp(const std::wstring& path = kDriverKey) {
    auto registry = std::make_unique<DriverRegistry>(sim, path);
    registry->ReadStorageMode();
    return registry;
  }

  platform::SimRegistry sim;
};

// UTF-16LE code units, no terminator.
inline Bytes Utf16(std::wstring_view text) {
  Bytes bytes;
  for (wchar_t c : text) bytes.insert(bytes.end(), {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8)});
  return bytes;
}
inline Bytes Join(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace corvane::driver3d::testing
