#include "platform/win32/smart_disks_win32.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <string>
#include <vector>

namespace corvane::platform {
namespace {

constexpr size_t kSectorSize = 512;
constexpr BYTE kMasterHead = 0xA0;
constexpr BYTE kSlaveHead = 0xB0;

bool IsWindowsNt() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

class Win32SmartDrive final : public SmartDrive {
 public:
  Win32SmartDrive(HANDLE handle, int slot) : handle_(handle), slot_(static_cast<BYTE>(slot)) {}
  ~Win32SmartDrive() override { CloseHandle(handle_); }
  Win32SmartDrive(const Win32SmartDrive&) = delete;
  Win32SmartDrive& operator=(const Win32SmartDrive&) = delete;

  bool SupportsSmart() override {
    GETVERSIONINPARAMS version{};
    DWORD returned = 0;
    if (!DeviceIoControl(handle_, SMART_GET_VERSION, nullptr, 0, &version, sizeof version, &returned, nullptr))
      return false;
    return (version.fCapabilities & CAP_SMART_CMD) != 0;
  }

  bool EnableOperations() override {
    SENDCMDINPARAMS in = Command(SMART_CMD, ENABLE_SMART, 0);
    SENDCMDOUTPARAMS out{};
    DWORD returned = 0;
    return DeviceIoControl(handle_, SMART_SEND_DRIVE_COMMAND, &in, sizeof in - 1, &out, sizeof out - 1, &returned,
                           nullptr) != 0;
  }

  std::optional<SmartSector> Identify() override { return Receive(ID_CMD, 0); }
  std::optional<SmartSector> ReadThresholds() override { return Receive(SMART_CMD, READ_THRESHOLDS); }
  std::optional<SmartSector> ReadAttributes() override { return Receive(SMART_CMD, READ_ATTRIBUTES); }

 private:
  SENDCMDINPARAMS Command(BYTE command, BYTE feature, DWORD bufferSize) const {
    SENDCMDINPARAMS in{};
    in.cBufferSize = bufferSize;
    in.irDriveRegs.bFeaturesReg = feature;
    in.irDriveRegs.bSectorCountReg = 1;
    in.irDriveRegs.bSectorNumberReg = 1;
    if (command == SMART_CMD) {
      in.irDriveRegs.bCylLowReg = SMART_CYL_LOW;
      in.irDriveRegs.bCylHighReg = SMART_CYL_HI;
    }
    in.irDriveRegs.bDriveHeadReg = (slot_ & 1) ? kSlaveHead : kMasterHead;
    in.irDriveRegs.bCommandReg = command;
    in.bDriveNumber = slot_;
    return in;
  }

  std::optional<SmartSector> Receive(BYTE command, BYTE feature) {
    SENDCMDINPARAMS in = Command(command, feature, kSectorSize);
    // The reply: the header, then the sector.
    std::vector<BYTE> out(sizeof(SENDCMDOUTPARAMS) - 1 + kSectorSize, 0);
    DWORD returned = 0;
    if (!DeviceIoControl(handle_, SMART_RCV_DRIVE_DATA, &in, sizeof in - 1, out.data(),
                         static_cast<DWORD>(out.size()), &returned, nullptr))
      return std::nullopt;
    const size_t dataAt = offsetof(SENDCMDOUTPARAMS, bBuffer);
    if (returned < dataAt + kSectorSize) return std::nullopt;
    SmartSector sector{};
    std::memcpy(sector.data(), out.data() + dataAt, kSectorSize);
    return sector;
  }

  HANDLE handle_;
  BYTE slot_;
};

}  // namespace

std::unique_ptr<SmartDrive> Win32SmartDisks::Open(int slot) {
  HANDLE handle = INVALID_HANDLE_VALUE;
  if (IsWindowsNt()) {
    const std::wstring path = L"\\\\.\\PhysicalDrive" + std::to_wstring(slot);
    handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  } else {
    handle = CreateFileW(L"\\\\.\\SMARTVSD", 0, 0, nullptr, CREATE_NEW, 0, nullptr);
  }
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32SmartDrive>(handle, slot);
}

}  // namespace corvane::platform
