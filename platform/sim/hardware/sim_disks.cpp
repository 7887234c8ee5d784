#include "platform/sim/hardware/sim_disks.h"

namespace corvane::platform::sim {
namespace {

constexpr uint8_t kTemperatureAttribute = 194;
constexpr size_t kFirstAttribute = 2;
constexpr size_t kAttributeSize = 12;

// An ATA string field: blank padded, each 16-bit word stored with its bytes swapped.
void PutAtaString(SmartSector& data, size_t at, size_t length, const std::string& text) {
  for (size_t i = 0; i < length; ++i) {
    const char c = i < text.size() ? text[i] : ' ';
    data[at + (i ^ 1)] = static_cast<uint8_t>(c);
  }
}

void PutWord(SmartSector& data, size_t word, uint16_t value) {
  data[word * 2] = static_cast<uint8_t>(value);
  data[word * 2 + 1] = static_cast<uint8_t>(value >> 8);
}

SmartSector MakeAttributes(const SimDisk& disk) {
  SmartSector page{};
  page[0] = 0x10;  // revision
  size_t at = kFirstAttribute;
  auto add = [&](uint8_t id, uint8_t raw) {
    page[at] = id;
    page[at + 3] = 100;  // current value
    page[at + 4] = 100;  // worst
    page[at + 5] = raw;
    at += kAttributeSize;
  };
  add(1, 0);    // read error rate
  add(9, 200);  // power-on hours
  if (disk.hasTemperature) add(kTemperatureAttribute, disk.temperature);
  add(12, 31);  // power cycles
  return page;
}

}  // namespace

SmartSector MakeIdentifyData(const SimDisk& disk) {
  SmartSector data{};
  PutAtaString(data, 20, 20, disk.serial);
  PutAtaString(data, 46, 8, disk.firmware);
  PutAtaString(data, 54, 40, disk.model);
  PutWord(data, 21, static_cast<uint16_t>(disk.cacheKb * 2));
  PutWord(data, 60, static_cast<uint16_t>(disk.sectors));
  PutWord(data, 61, static_cast<uint16_t>(disk.sectors >> 16));
  return data;
}

class SimSmartDisks::Drive final : public SmartDrive {
 public:
  Drive(SimSmartDisks& owner, SimDisk& disk) : owner_(owner), disk_(disk) { ++owner_.open_; }
  ~Drive() override { --owner_.open_; }
  bool SupportsSmart() override { return disk_.smart; }
  bool EnableOperations() override { return disk_.smart; }
  std::optional<SmartSector> Identify() override {
    if (!disk_.smart) return std::nullopt;
    return MakeIdentifyData(disk_);
  }
  std::optional<SmartSector> ReadThresholds() override {
    if (!disk_.smart || disk_.readsFail) return std::nullopt;
    return SmartSector{};
  }
  std::optional<SmartSector> ReadAttributes() override {
    if (!disk_.smart || disk_.readsFail) return std::nullopt;
    return MakeAttributes(disk_);
  }

 private:
  SimSmartDisks& owner_;
  SimDisk& disk_;
};

SimSmartDisks SimSmartDisks::Default() {
  SimSmartDisks disks;
  SimDisk system;
  system.model = "SIMULATED HDD 80GB";
  system.temperature = 41;
  disks.Put(0, system);
  SimDisk data;
  data.model = "SIMULATED HDD 250GB";
  data.serial = "SIM0002";
  data.cacheKb = 8192;
  data.sectors = 488397168;
  data.temperature = 37;
  disks.Put(1, data);
  SimDisk old;
  old.model = "SIMULATED OLD HDD";
  old.smart = false;
  disks.Put(2, old);
  return disks;
}

std::unique_ptr<SmartDrive> SimSmartDisks::Open(int slot) {
  auto found = disks_.find(slot);
  if (found == disks_.end()) return nullptr;
  return std::make_unique<Drive>(*this, found->second);
}

}  // namespace corvane::platform::sim
