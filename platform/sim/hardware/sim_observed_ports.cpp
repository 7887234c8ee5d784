#include "platform/sim/hardware/sim_observed_ports.h"

namespace corvane::platform::sim {
namespace {

class ObservedContext final : public DisplayContext {
 public:
  ObservedContext(std::unique_ptr<DisplayContext> inner, const std::function<void()>& escaped)
      : inner_(std::move(inner)), escaped_(escaped) {}

  int32_t Escape(std::span<const uint8_t> input, std::span<uint8_t> output) override {
    const int32_t result = inner_->Escape(input, output);
    escaped_();
    return result;
  }

 private:
  std::unique_ptr<DisplayContext> inner_;
  const std::function<void()>& escaped_;  // the port's, which outlives its contexts
};

}  // namespace

void ObservedCardRegisters::Write8(uintptr_t window, uint32_t offset, uint8_t value) {
  inner_.Write8(window, offset, value);
  stored_();
}

void ObservedCardRegisters::Write16(uintptr_t window, uint32_t offset, uint16_t value) {
  inner_.Write16(window, offset, value);
  stored_();
}

void ObservedCardRegisters::Write32(uintptr_t window, uint32_t offset, uint32_t value) {
  inner_.Write32(window, offset, value);
  stored_();
}

std::unique_ptr<DisplayContext> ObservedDriverEscape::OpenContext(const std::wstring& deviceName) {
  std::unique_ptr<DisplayContext> context = inner_.OpenContext(deviceName);
  if (!context) return nullptr;
  return std::make_unique<ObservedContext>(std::move(context), escaped_);
}

}  // namespace corvane::platform::sim
