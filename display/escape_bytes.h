#pragma once
// Little-endian 32-bit words in the byte buffers exchanged with the display driver.
// Every access is bounds-checked: a read past the end gives 0, a write past the end is
// dropped, so a short reply can never be read or written beyond its length.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace corvane::display {

inline uint32_t ReadWord(std::span<const uint8_t> bytes, size_t offset) {
  if (offset > bytes.size() || bytes.size() - offset < 4) return 0;
  return static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
         static_cast<uint32_t>(bytes[offset + 2]) << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

inline int32_t ReadSigned(std::span<const uint8_t> bytes, size_t offset) {
  return static_cast<int32_t>(ReadWord(bytes, offset));
}

inline void WriteWord(std::span<uint8_t> bytes, size_t offset, uint32_t value) {
  if (offset > bytes.size() || bytes.size() - offset < 4) return;
  for (size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

inline void WriteSigned(std::span<uint8_t> bytes, size_t offset, int32_t value) {
  WriteWord(bytes, offset, static_cast<uint32_t>(value));
}

// Copies what fits from `offset` into a std::array; the rest of `field` is zeroed.
template <typename Array>
void ReadArray(std::span<const uint8_t> bytes, size_t offset, Array& field) {
  std::fill(field.begin(), field.end(), typename Array::value_type{});
  if (offset >= bytes.size()) return;
  const size_t count = std::min(field.size(), bytes.size() - offset);
  for (size_t i = 0; i < count; ++i) field[i] = static_cast<typename Array::value_type>(bytes[offset + i]);
}

template <typename Array>
void WriteArray(std::span<uint8_t> bytes, size_t offset, const Array& field) {
  if (offset >= bytes.size()) return;
  const size_t count = std::min(field.size(), bytes.size() - offset);
  for (size_t i = 0; i < count; ++i) bytes[offset + i] = static_cast<uint8_t>(field[i]);
}

// A zero-padded character array up to its first zero; a full array has none.
template <typename Array>
std::string ArrayText(const Array& field) {
  const auto end = std::find(field.begin(), field.end(), '\0');
  return std::string(field.begin(), end);
}

}  // namespace corvane::display
