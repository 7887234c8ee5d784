#pragma once
// What a plug-in's calls of the host service do: the host's hardware access on its TRVX,
// with the fixed input and output widths of each code. Runs on the thread that calls it.

#include <cstdint>
#include <string>

#include "hardware/rvx.h"
#include "settings/reg_values.h"

namespace corvane::plugins {

struct HostServiceContext {
  hardware::TRVX* rvx = nullptr;  // null: every hardware code does nothing
  const settings::TRegValues* reg1 = nullptr;  // "ClockMode" for setting clocks
  uint32_t hostVersion = 0;       // major << 16 | minor of the program's file version
  std::string driverKeyPath;      // the display driver's key below HKEY_LOCAL_MACHINE, ANSI
};

// One call of the service. A code that needs an input or an output does nothing when that
// pointer is null; codes above 29 do nothing. The driver key (code 2) is copied without a
// terminating zero and cut at 127 bytes, so a 128-byte zeroed buffer stays terminated.
void ServeHostCall(const HostServiceContext& ctx, uint32_t code, const void* in, void* out);

}  // namespace corvane::plugins
