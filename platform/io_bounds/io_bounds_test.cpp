#include "platform/io_bounds/io_bounds.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <vector>

namespace corvane::io_bounds {
namespace {

using namespace control_code;

// Configuration space by function; a BAR decodes the bits its size mask gives.
class FakeBus final : public PciConfigSource {
 public:
  struct Function {
    std::map<uint8_t, uint32_t> dwords;
    std::map<uint8_t, uint32_t> sizeMasks;
  };

  Function& Add(PciFunction at, uint32_t classCode, uint8_t headerType = 0) {
    Function& f = functions_[Key(at)];
    f.dwords[0x00] = 0x10021002;
    f.dwords[0x08] = classCode << 8;
    f.dwords[0x0C] = uint32_t{headerType} << 16;
    return f;
  }
  void SetBar(PciFunction at, uint8_t reg, uint32_t value, uint32_t sizeMask) {
    functions_[Key(at)].dwords[reg] = value;
    functions_[Key(at)].sizeMasks[reg] = sizeMask;
  }
  void Remove(PciFunction at) { functions_.erase(Key(at)); }

  uint32_t ReadConfig32(PciFunction at, uint8_t reg) override {
    auto f = functions_.find(Key(at));
    if (f == functions_.end()) return 0xFFFFFFFF;
    auto d = f->second.dwords.find(reg);
    return d == f->second.dwords.end() ? 0 : d->second;
  }
  uint32_t BarSizeMask(PciFunction at, uint8_t reg) override {
    ++sizings;
    auto f = functions_.find(Key(at));
    if (f == functions_.end()) return 0xFFFFFFFF;
    auto m = f->second.sizeMasks.find(reg);
    return m == f->second.sizeMasks.end() ? 0 : m->second;
  }

  int sizings = 0;

 private:
  static std::tuple<int, int, int> Key(PciFunction at) { return {at.bus, at.device, at.function}; }
  std::map<std::tuple<int, int, int>, Function> functions_;
};

constexpr PciFunction kCard{1, 0, 0};
constexpr PciFunction kSecondHead{1, 0, 1};
constexpr PciFunction kNetwork{2, 5, 0};
constexpr PciFunction kHostBridge{0, 0, 0};

// An AGP machine of 512 MB: the Radeon with its second head, a network card and the
// host bridge's graphics aperture.
class Machine {
 public:
  Machine() {
    bus.Add(kHostBridge, 0x060000);
    bus.SetBar(kHostBridge, 0x10, 0xE0000008, 0xF0000000);
    bus.Add(kCard, 0x030000, 0x80);
    bus.SetBar(kCard, 0x10, 0xD0000008, 0xF8000000);  // 128 MB frame buffer
    bus.SetBar(kCard, 0x14, 0x0000C001, 0xFFFFFF01);  // 256 ports
    bus.SetBar(kCard, 0x18, 0xFF8F0000, 0xFFFF0000);  // 64 KB registers
    bus.Add(kSecondHead, 0x038000);
    bus.SetBar(kSecondHead, 0x10, 0xD8000008, 0xF8000000);
    bus.Add(kNetwork, 0x020000);
    bus.SetBar(kNetwork, 0x10, 0x0000B801, 0x0000FF01);  // upper half of the mask wired to 0
    bus.SetBar(kNetwork, 0x14, 0xFEBFF000, 0xFFFFF000);
  }

  Refusal Request(uint32_t code, std::vector<uint32_t> words, uint32_t outputLength) {
    std::vector<uint8_t> bytes(words.size() * 4);
    for (size_t i = 0; i < words.size(); ++i) StoreWord(bytes.data(), static_cast<uint32_t>(i), words[i]);
    IoRequest request;
    if (Refusal r = DecodeRequest(code, bytes.data(), static_cast<uint32_t>(bytes.size()), outputLength, request);
        r != Refusal::None)
      return r;
    return CheckRequest(request, MachineState{bus, configAddress, ram, 2}, windows);
  }
  bool Map(uint32_t low, uint32_t length, uint32_t high = 0) {
    return Request(MapPhysical, {low, high, length, 0}, 4) == Refusal::None;
  }
  bool Port(uint32_t code, uint32_t port, uint32_t value = 0) { return Request(code, {port, value}, 8) == Refusal::None; }
  bool ConfigWrite(uint32_t address, uint32_t code, uint32_t port) {
    configAddress = address;
    return Port(code, port, 0xFFFFFFFF);
  }

  FakeBus bus;
  uint32_t configAddress = 0;
  AddressRange ram[2] = {{0, 0xA0000}, {0x100000, 0x1FF00000}};
  DeviceWindows windows;
};

TEST(IoBounds, MappingsOnlyInsideOneDisplayBarOrTheBiosWindow) {
  struct Case {
    uint32_t low, length, high;
    bool allowed;
    const char* what;
  };
  const Case cases[] = {
      {0xC0000, 0xFFFF, 0, true, "the video BIOS as the program maps it"},
      {0xC0000, 0x20000, 0, true, "the whole BIOS window"},
      {0xDFFFF, 1, 0, true, "the BIOS window's last byte"},
      {0xC0000, 0x20001, 0, false, "one byte past the BIOS window"},
      {0xBFFFF, 2, 0, false, "straddling the BIOS window's start"},
      {0xFF8F0000, 0x10000, 0, true, "the register BAR"},
      {0xFF8FFFFF, 1, 0, true, "the register BAR's last byte"},
      {0xFF8F0000, 0x10001, 0, false, "straddling the register BAR's end"},
      {0xFF8EFFFF, 2, 0, false, "straddling the register BAR's start"},
      {0xD01E2000, 0x1D4C00, 0, true, "a frame-buffer window"},
      {0xD7FFF000, 0x2000, 0, false, "from one display BAR into the next"},
      {0xD8000000, 0x1000, 0, true, "the second head (display class 0x0380)"},
      {0xFEBFF000, 0x1000, 0, false, "a network card's BAR"},
      {0xE0000000, 0x1000, 0, false, "the host bridge's aperture"},
      {0x00100000, 0x1000, 0, false, "system RAM"},
      {0x00000000, 0x1000, 0, false, "the interrupt vectors"},
      {0xFF8F0000, 0, 0, false, "an empty range"},
      {0xFF8F0000, 0xFFFFFFFF, 0, false, "a length that wraps past 4 GB"},
      {0xFFFFF000, 0x2000, 0, false, "a range that wraps to address 0"},
      {0xFF8F0000, 0x1000, 1, false, "the same low half above 4 GB"},
      {0xFEAFF000, 0x1000, 0, false, "a small display BAR whose view starts 60 KB before it"},
      {0xD8010800, 0x100, 0, true, "a view from a 64 KB boundary to a page inside one BAR"},
      {0xFEB00000, 0x100, 0, false, "a 256-byte display BAR: its view's page runs past it"},
  };
  Machine machine;
  machine.bus.SetBar(kSecondHead, 0x14, 0xFEAFF000, 0xFFFFF000);  // 4 KB, not on a 64 KB boundary
  machine.bus.SetBar(kSecondHead, 0x18, 0xFEB00000, 0xFFFFFF00);  // 256 bytes
  for (const Case& c : cases) EXPECT_EQ(machine.Map(c.low, c.length, c.high), c.allowed) << c.what;
}

TEST(IoBounds, PortsOnlyTheConfigurationPortsAndDisplayIoBars) {
  struct Case {
    uint32_t code, port;
    bool allowed;
    const char* what;
  };
  const Case cases[] = {
      {WritePort32, 0xCF8, true, "the configuration address"},
      {ReadPort32, 0xCF8, true, "reading the configuration address back"},
      {WritePort8, 0xCF9, false, "the reset control register beside it"},
      {WritePort8, 0xCF8, false, "a byte of the address register"},
      {ReadPort16, 0xCFA, false, "a word of the address register"},
      {ReadPort32, 0xCFC, true, "the configuration data"},
      {ReadPort8, 0xCFF, true, "the data port's last byte"},
      {ReadPort16, 0xCFE, true, "the data port's upper word"},
      {ReadPort16, 0xCFD, false, "a misaligned word"},
      {ReadPort32, 0xCFE, false, "a dword running past 0xCFF"},
      {ReadPort8, 0xD00, false, "the first port past the data port"},
      {ReadPort32, 0xC000, true, "the card's I/O BAR"},
      {WritePort8, 0xC0FF, true, "its last port"},
      {ReadPort32, 0xC0FE, false, "a misaligned dword in it"},
      {ReadPort8, 0xC100, false, "past its end"},
      {ReadPort8, 0xBFFF, false, "before its start"},
      {ReadPort8, 0xB800, false, "a network card's I/O BAR"},
      {WritePort8, 0x80, false, "the POST code port"},
      {WritePort8, 0x3C8, false, "the VGA palette index"},
      {ReadPort32, 0x10CF8, false, "a port number above 0xFFFF"},
      {ReadPort8, 0xFFFFFFFF, false, "the largest port word"},
  };
  Machine machine;
  for (const Case& c : cases) EXPECT_EQ(machine.Port(c.code, c.port), c.allowed) << c.what;
}

// Writing a display function's BAR would move a memory window anywhere.
TEST(IoBounds, ConfigurationWritesCannotMoveADisplayBar) {
  struct Case {
    uint32_t address, code, port;
    bool allowed;
    const char* what;
  };
  const Case cases[] = {
      {0x80010018, WritePort32, 0xCFC, false, "the register BAR"},
      {0x80010010, WritePort8, 0xCFF, false, "the frame-buffer BAR's top byte"},
      {0x80010024, WritePort16, 0xCFE, false, "the last BAR's upper word"},
      {0x80010110, WritePort32, 0xCFC, false, "the second head's BAR"},
      {0x8001000C, WritePort8, 0xCFD, true, "the card's latency timer"},
      {0x80010004, WritePort16, 0xCFC, true, "the card's command register"},
      {0x80010028, WritePort32, 0xCFC, true, "the register after the BARs"},
      {0x80010030, WritePort32, 0xCFC, true, "the expansion ROM BAR"},
      {0x80022814, WritePort32, 0xCFC, true, "a network card's BAR"},
      {0x00010018, WritePort32, 0xCFC, true, "the enable bit clear: reaches nothing"},
      {0x80010018, ReadPort32, 0xCFC, true, "reading the register BAR"},
  };
  Machine machine;
  for (const Case& c : cases) EXPECT_EQ(machine.ConfigWrite(c.address, c.code, c.port), c.allowed) << c.what;
}

TEST(IoBounds, WindowsFollowTheBarsAsTheyAreNow) {
  Machine machine;
  ASSERT_TRUE(machine.Map(0xFF8F0000, 0x10000));

  machine.bus.SetBar(kCard, 0x18, 0xFE000000, 0xFFFF0000);  // moved
  EXPECT_FALSE(machine.Map(0xFF8F0000, 0x10000));
  EXPECT_TRUE(machine.Map(0xFE000000, 0x10000));

  machine.bus.SetBar(kCard, 0x18, 0x00000000, 0xFFFF0000);  // unassigned
  EXPECT_FALSE(machine.Map(0x00000000, 0x1000));
  EXPECT_FALSE(machine.Map(0xFE000000, 0x1000));

  machine.bus.SetBar(kCard, 0x18, 0x00100000, 0xFFFF0000);  // over system RAM
  EXPECT_FALSE(machine.Map(0x00100000, 0x1000));

  machine.bus.SetBar(kCard, 0x14, 0x0000D001, 0xFFFFFF01);
  EXPECT_FALSE(machine.Port(ReadPort8, 0xC000));
  EXPECT_TRUE(machine.Port(ReadPort8, 0xD000));

  machine.bus.Remove(kCard);
  EXPECT_FALSE(machine.Map(0xD0000000, 0x1000));
  EXPECT_FALSE(machine.Port(ReadPort8, 0xD000));
  EXPECT_FALSE(machine.Map(0xD8000000, 0x1000));  // without function 0 the device is not there
  EXPECT_TRUE(machine.Map(0xC0000, 0x10000));     // the BIOS window always is
}

TEST(IoBounds, SixtyFourBitBarsBelowFourGigabytesOnly) {
  Machine machine;
  const PciFunction pcie{3, 0, 0};
  machine.bus.Add(pcie, 0x030000);
  machine.bus.SetBar(pcie, 0x10, 0xC000000C, 0xF0000000);  // 64-bit, prefetchable
  machine.bus.SetBar(pcie, 0x14, 0x00000000, 0xFFFFFFFF);  // its upper half
  machine.bus.SetBar(pcie, 0x18, 0x4000000C, 0xF0000000);
  machine.bus.SetBar(pcie, 0x1C, 0x00000001, 0xFFFFFFFF);  // at 0x1_4000_0000
  EXPECT_TRUE(machine.Map(0xC0000000, 0x10000000));
  EXPECT_FALSE(machine.Map(0x40000000, 0x1000));
  EXPECT_FALSE(machine.Map(0x40000000, 0x1000, 1));
}

TEST(IoBounds, RequestsWithBuffersOfTheWrongLengthOrUnknownCodes) {
  Machine machine;
  EXPECT_EQ(machine.Request(MapPhysical, {0xC0000, 0, 0x1000}, 4), Refusal::BadBuffers);
  EXPECT_EQ(machine.Request(MapPhysical, {0xC0000, 0, 0x1000, 0}, 8), Refusal::BadBuffers);
  EXPECT_EQ(machine.Request(UnmapPhysical, {0x20000000}, 4), Refusal::BadBuffers);
  EXPECT_EQ(machine.Request(UnmapPhysical, {0x20000000}, 0), Refusal::None);
  EXPECT_EQ(machine.Request(ReadPort32, {0xCFC}, 8), Refusal::BadBuffers);
  EXPECT_EQ(machine.Request(WritePort32, {0xCF8, 0}, 4), Refusal::BadBuffers);
  EXPECT_EQ(machine.Request(0x80002020, {0xCFC, 0}, 8), Refusal::UnknownCode);
  EXPECT_EQ(machine.Request(0x80002001, {0xCFC, 0}, 8), Refusal::UnknownCode);

  IoRequest request;
  EXPECT_EQ(DecodeRequest(MapPhysical, nullptr, 16, 4, request), Refusal::BadBuffers);
  const uint8_t write16[8] = {0xFE, 0x0C, 0, 0, 0x78, 0x56, 0x34, 0x12};
  ASSERT_EQ(DecodeRequest(WritePort16, write16, 8, 8, request), Refusal::None);
  EXPECT_EQ(request.kind, RequestKind::PortWrite);
  EXPECT_EQ(request.port, 0xCFEu);
  EXPECT_EQ(request.value, 0x5678u);  // cut to the access's width
}

// The bus is scanned only for requests that need it; the configuration ports need none.
TEST(IoBounds, ConfigurationPortsNeedNoScan) {
  Machine machine;
  machine.Port(WritePort32, 0xCF8, 0x80010000);
  machine.Port(ReadPort32, 0xCFC);
  EXPECT_EQ(machine.bus.sizings, 0);
  machine.Map(0xFF8F0000, 0x1000);
  EXPECT_GT(machine.bus.sizings, 0);
}

}  // namespace
}  // namespace corvane::io_bounds
