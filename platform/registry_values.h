#pragma once
// Typed access to registry values: strings as UTF-16LE REG_SZ, 32-bit DWORDs, raw binary.
// Reads are strict about type and size and give nothing when the stored data does not fit.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/registry.h"

namespace corvane::platform {

// REG_SZ or REG_EXPAND_SZ, up to the first NUL; an odd trailing byte is ignored.
std::optional<std::wstring> ReadRegString(const RegistryKey& key, const std::wstring& name);
// REG_DWORD of exactly four bytes.
std::optional<uint32_t> ReadRegDword(const RegistryKey& key, const std::wstring& name);
// REG_BINARY of any size.
std::optional<std::vector<uint8_t>> ReadRegBinary(const RegistryKey& key, const std::wstring& name);
// A double as the program stores floats and dates: REG_BINARY of exactly eight bytes.
std::optional<double> ReadRegDouble(const RegistryKey& key, const std::wstring& name);

bool WriteRegString(RegistryKey& key, const std::wstring& name, const std::wstring& value);
bool WriteRegDword(RegistryKey& key, const std::wstring& name, uint32_t value);
bool WriteRegBinary(RegistryKey& key, const std::wstring& name, std::span<const uint8_t> value);
bool WriteRegDouble(RegistryKey& key, const std::wstring& name, double value);

}  // namespace corvane::platform
