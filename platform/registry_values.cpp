#include "platform/registry_values.h"

#include <cstring>

#include "platform/text_encoding.h"

namespace corvane::platform {

std::optional<std::wstring> ReadRegString(const RegistryKey& key, const std::wstring& name) {
  auto value = key.ReadValue(name);
  if (!value || (value->type != RegType::String && value->type != RegType::ExpandString)) return std::nullopt;
  return FromUtf16LeBytes(value->data);
}

std::optional<uint32_t> ReadRegDword(const RegistryKey& key, const std::wstring& name) {
  auto value = key.ReadValue(name);
  if (!value || value->type != RegType::Dword || value->data.size() != 4) return std::nullopt;
  const auto& d = value->data;
  return static_cast<uint32_t>(d[0]) | (static_cast<uint32_t>(d[1]) << 8) | (static_cast<uint32_t>(d[2]) << 16) |
         (static_cast<uint32_t>(d[3]) << 24);
}

std::optional<std::vector<uint8_t>> ReadRegBinary(const RegistryKey& key, const std::wstring& name) {
  auto value = key.ReadValue(name);
  if (!value || value->type != RegType::Binary) return std::nullopt;
  return std::move(value->data);
}

std::optional<double> ReadRegDouble(const RegistryKey& key, const std::wstring& name) {
  std::optional<std::vector<uint8_t>> bytes = ReadRegBinary(key, name);
  if (!bytes || bytes->size() != sizeof(double)) return std::nullopt;
  double value = 0;
  std::memcpy(&value, bytes->data(), sizeof value);
  return value;
}

bool WriteRegString(RegistryKey& key, const std::wstring& name, const std::wstring& value) {
  return key.WriteValue(name, RegType::String, ToUtf16LeBytes(value));
}

bool WriteRegDword(RegistryKey& key, const std::wstring& name, uint32_t value) {
  const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  return key.WriteValue(name, RegType::Dword, bytes);
}

bool WriteRegBinary(RegistryKey& key, const std::wstring& name, std::span<const uint8_t> value) {
  return key.WriteValue(name, RegType::Binary, value);
}

bool WriteRegDouble(RegistryKey& key, const std::wstring& name, double value) {
  uint8_t bytes[sizeof(double)];
  std::memcpy(bytes, &value, sizeof value);
  return WriteRegBinary(key, name, bytes);
}

}  // namespace corvane::platform
