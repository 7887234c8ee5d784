#pragma once
// The card register and driver escape ports of a simulated machine, passed through with a
// call after every store and every escape: how the machine's state file learns that the
// hardware may have changed.

#include <functional>
#include <memory>
#include <string>

#include "platform/card_registers.h"
#include "platform/driver_escape.h"

namespace corvane::platform::sim {

class ObservedCardRegisters final : public CardRegisters {
 public:
  ObservedCardRegisters(CardRegisters& inner, std::function<void()> stored)
      : inner_(inner), stored_(std::move(stored)) {}

  uint8_t Read8(uintptr_t window, uint32_t offset) override { return inner_.Read8(window, offset); }
  uint16_t Read16(uintptr_t window, uint32_t offset) override { return inner_.Read16(window, offset); }
  uint32_t Read32(uintptr_t window, uint32_t offset) override { return inner_.Read32(window, offset); }
  void Write8(uintptr_t window, uint32_t offset, uint8_t value) override;
  void Write16(uintptr_t window, uint32_t offset, uint16_t value) override;
  void Write32(uintptr_t window, uint32_t offset, uint32_t value) override;

 private:
  CardRegisters& inner_;
  std::function<void()> stored_;
};

class ObservedDriverEscape final : public DriverEscape {
 public:
  ObservedDriverEscape(DriverEscape& inner, std::function<void()> escaped)
      : inner_(inner), escaped_(std::move(escaped)) {}

  std::unique_ptr<DisplayContext> OpenContext(const std::wstring& deviceName) override;

 private:
  DriverEscape& inner_;
  std::function<void()> escaped_;
};

}  // namespace corvane::platform::sim
