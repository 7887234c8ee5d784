#include "platform/sim/hardware/sim_bios_image.h"

#include <cstring>
#include <string_view>

namespace corvane::platform::sim {
namespace {

using namespace bios_layout;

void PutText(std::vector<uint8_t>& image, uint32_t offset, std::string_view text) {
  if (image.size() < offset + text.size()) image.resize(offset + text.size());
  std::memcpy(image.data() + offset, text.data(), text.size());
}

// The option ROM header every video BIOS starts with; the checksum byte at the end
// makes all bytes add up to 0.
std::vector<uint8_t> BlankRom() {
  std::vector<uint8_t> image(kBiosImageSize, 0);
  image[0] = 0x55;
  image[1] = 0xAA;
  image[2] = static_cast<uint8_t>(kBiosImageSize / 512);
  image[3] = 0xE9;  // jump to the initialisation code
  PutText(image, 0x30, " 761295520");  // ATI's signature
  PutText(image, 0x50, "113-A07501-101");
  return image;
}

void Checksum(std::vector<uint8_t>& image) {
  uint8_t sum = 0;
  for (size_t i = 0; i + 1 < image.size(); ++i) sum = static_cast<uint8_t>(sum + image[i]);
  image.back() = static_cast<uint8_t>(0x100 - sum);
}

}  // namespace

void PutWord(std::vector<uint8_t>& image, uint32_t offset, uint16_t value) {
  if (image.size() < offset + 2u) image.resize(offset + 2u);
  image[offset] = static_cast<uint8_t>(value);
  image[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void PutDword(std::vector<uint8_t>& image, uint32_t offset, uint32_t value) {
  PutWord(image, offset, static_cast<uint16_t>(value));
  PutWord(image, offset + 2, static_cast<uint16_t>(value >> 16));
}

uint16_t GetWord(const std::vector<uint8_t>& image, uint32_t offset) {
  auto byte = [&](uint32_t at) { return at < image.size() ? image[at] : uint8_t{0}; };
  return static_cast<uint16_t>(byte(offset) | byte(offset + 1) << 8);
}

uint32_t GetDword(const std::vector<uint8_t>& image, uint32_t offset) {
  return GetWord(image, offset) | uint32_t{GetWord(image, offset + 2)} << 16;
}

std::vector<uint8_t> BuildLegacyBios(const BiosClocks& clocks) {
  std::vector<uint8_t> image = BlankRom();
  PutWord(image, kHeaderPointer, kLegacyHeader);
  PutWord(image, kLegacyHeader + 0x00, 0x0001);  // header revision
  PutWord(image, kLegacyHeader + kLegacyPllPointer, kLegacyPllBlock);

  const uint32_t pll = kLegacyPllBlock;
  image[pll] = 0x03;  // table revision
  image[pll + 1] = kLegacyPllBlockSize;
  PutWord(image, pll + kPllMemClock, clocks.defaultMemClock);
  PutWord(image, pll + kPllCoreClock, clocks.defaultCoreClock);
  PutWord(image, pll + kPllRefClock, clocks.refClock);
  PutWord(image, pll + kPllRefDiv, clocks.refDiv);
  PutDword(image, pll + 18, 12500);  // lowest PLL output
  PutDword(image, pll + 22, 40000);  // highest PLL output
  Checksum(image);
  return image;
}

std::vector<uint8_t> BuildAtomBios(const BiosClocks& clocks) {
  std::vector<uint8_t> image = BlankRom();
  PutWord(image, kHeaderPointer, kAtomRomHeader);

  const uint32_t rom = kAtomRomHeader;
  PutWord(image, rom, 0x0048);  // structure size
  image[rom + 2] = 1;           // format and content revision
  image[rom + 3] = 1;
  PutText(image, rom + 4, "ATOM");
  PutWord(image, rom + 0x1E, 0x0300);  // master command table (not simulated)
  PutWord(image, rom + kAtomMasterDataPointer, kAtomMasterDataTable);

  const uint32_t data = kAtomMasterDataTable;
  PutWord(image, data, 0x0050);
  image[data + 2] = 1;
  image[data + 3] = 1;
  PutWord(image, data + kAtomFirmwareInfoPointer, kAtomFirmwareInfo);

  const uint32_t info = kAtomFirmwareInfo;
  PutWord(image, info, kAtomFirmwareInfoSize);
  image[info + 2] = 1;
  image[info + 3] = 2;
  PutDword(image, info + 4, 0x00010000);  // firmware revision
  PutDword(image, info + kFirmwareCoreClock, clocks.defaultCoreClock);
  PutDword(image, info + kFirmwareMemClock, clocks.defaultMemClock);
  PutDword(image, info + 24, 80000);  // highest engine PLL output
  PutDword(image, info + 28, 80000);  // highest memory PLL output
  PutWord(image, info + 60, 100);     // lowest engine PLL input
  PutWord(image, info + 62, 1350);    // highest engine PLL input
  PutWord(image, info + kFirmwareRefClock, clocks.refClock);
  Checksum(image);
  return image;
}

}  // namespace corvane::platform::sim
