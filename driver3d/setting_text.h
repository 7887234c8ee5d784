#pragma once
// How the driver's text settings look as stored bytes: UTF-16LE in a REG_BINARY (the
// "ACE" storage, no terminator) or in a REG_SZ. The driver and other tools write these
// keys too, so stored data is checked strictly and anything odd decodes to nothing.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/decimal_text.h"

namespace corvane::driver3d {

// The largest binary text read; the driver's settings are a few digits.
inline constexpr size_t kMaxBinaryTextBytes = 255;
// The largest REG_SZ text read: 255 characters and the terminator.
inline constexpr size_t kMaxStringTextBytes = 512;

// The text in `bytes`, up to a zero character that may end it. Nothing when the data is
// longer than `maxBytes`, has an odd length (not UTF-16), or carries anything but zero
// characters after the first zero (not a single text).
std::optional<std::wstring> DecodeStoredText(std::span<const uint8_t> bytes, size_t maxBytes);

// UTF-16LE code units of `text`, two bytes each, no terminator: the binary storage.
std::vector<uint8_t> EncodeBinaryText(std::wstring_view text);

using settings::TrimBlanks;

}  // namespace corvane::driver3d
