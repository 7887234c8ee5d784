#pragma once
// A device context on the primary display for one escape or a run of them (a loop, the
// rotation flow). When the system gives no context every escape fails, so the operations
// fall back to their neutral values.

#include <memory>
#include <span>
#include <string>

#include "platform/driver_escape.h"

namespace corvane::display {

class EscapeContext {
 public:
  EscapeContext(platform::DriverEscape& port, const std::wstring& deviceName)
      : context_(port.OpenContext(deviceName)) {}

  bool Open() const { return context_ != nullptr; }
  int32_t Call(std::span<const uint8_t> input, std::span<uint8_t> output) {
    return context_ ? context_->Escape(input, output) : platform::kEscapeNoContext;
  }

 private:
  std::unique_ptr<platform::DisplayContext> context_;
};

}  // namespace corvane::display
