#pragma once
// For the tests of the simulated hardware: what a program does with the kernel I/O
// port once the driver is in place (open the device, move ports, map windows), kept
// minimal so the tests read as port traffic.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "platform/sim/hardware/sim_machine.h"

namespace corvane::platform::sim {

inline constexpr uint32_t kManagerAllAccess = 0xF003F;
inline constexpr uint32_t kServiceAllAccess = 0xF01FF;

inline ServiceConfig DriverConfig(const std::wstring& name = L"corvane") {
  return ServiceConfig{name, name, kServiceAllAccess, 1, 3, 1, L"C:\\corvane\\" + name + L".sys"};
}

// Installs and starts the driver as a first run does and opens its device.
class TestDriver {
 public:
  explicit TestDriver(SimMachine& machine) : io_(machine.Kernel()) {
    const KernelHandle manager = io_.OpenServiceManager(kManagerAllAccess);
    const KernelHandle service = io_.CreateDriverService(manager, DriverConfig());
    io_.StartDriverService(service);
    io_.CloseServiceHandle(service);
    io_.CloseServiceHandle(manager);
    device_ = io_.OpenDevice(L"\\\\.\\corvane", 0xC0000000, 3, 0x80);
    EXPECT_NE(device_, kInvalidDevice);
  }
  ~TestDriver() { io_.CloseDevice(device_); }

  uint32_t In(uint16_t port, unsigned width) {
    const uint32_t code = width == 1 ? device_code::ReadPort8 : width == 2 ? device_code::ReadPort16 : device_code::ReadPort32;
    return Call(code, port, 0);
  }
  void Out(uint16_t port, unsigned width, uint32_t value) {
    const uint32_t code = width == 1 ? device_code::WritePort8 : width == 2 ? device_code::WritePort16 : device_code::WritePort32;
    Call(code, port, value);
  }
  // Configuration mechanism 1, the way the program does it.
  uint32_t ConfigRead(PciLocation at, uint8_t reg, unsigned width) {
    Out(0xCF8, 4, Address(at, reg));
    return In(static_cast<uint16_t>(0xCFC + (reg & 3)), width);
  }
  void ConfigWrite(PciLocation at, uint8_t reg, unsigned width, uint32_t value) {
    Out(0xCF8, 4, Address(at, reg));
    Out(static_cast<uint16_t>(0xCFC + (reg & 3)), width, value);
  }

  // 0 when the driver refuses.
  uint32_t Map(uint32_t physical, uint32_t length) {
    uint32_t request[4] = {physical, 0, length, 0};
    uint32_t address = 0;
    uint32_t returned = 0;
    io_.DeviceControl(device_, device_code::MapPhysical, Bytes(request), WritableBytes(address), returned);
    return address;
  }
  bool Unmap(uint32_t address) {
    uint32_t returned = 0;
    return io_.DeviceControl(device_, device_code::UnmapPhysical, Bytes(address), {}, returned);
  }

  KernelHandle Device() const { return device_; }

  template <typename T>
  static std::span<const uint8_t> Bytes(const T& value) {
    return {reinterpret_cast<const uint8_t*>(&value), sizeof value};
  }
  template <typename T>
  static std::span<uint8_t> WritableBytes(T& value) {
    return {reinterpret_cast<uint8_t*>(&value), sizeof value};
  }

 private:
  static uint32_t Address(PciLocation at, uint8_t reg) {
    return 0x80000000u | uint32_t{at.bus} << 16 | uint32_t(at.device << 3 | at.function) << 8 | (reg & 0xFCu);
  }
  uint32_t Call(uint32_t code, uint16_t port, uint32_t value) {
    uint32_t in[2] = {port, value};
    uint32_t out[2] = {0, 0};
    uint32_t returned = 0;
    io_.DeviceControl(device_, code, Bytes(in), WritableBytes(out), returned);
    return out[1];
  }

  SimKernelIo& io_;
  KernelHandle device_ = kInvalidDevice;
};

}  // namespace corvane::platform::sim
