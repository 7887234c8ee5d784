#pragma once
// Reads and writes of the driver's settings on the key a DriverRegistry has open. Every
// read gives the caller's default when no key is open or the stored data is not what the
// setting should hold (wrong type, wrong size, not one clean text); writes swallow errors.

#include <cstdint>
#include <string>

#include "driver3d/driver_registry.h"

namespace corvane::driver3d {

// A text setting, in either storage whatever the mode: REG_BINARY as UTF-16LE, REG_SZ or
// REG_EXPAND_SZ; trimmed of blanks. An empty name gives `defaultText` as it is. An absent
// value gives `defaultText` trimmed and, with `create`, is first written in the storage
// of the mode (binary in AceMode).
std::wstring ReadSettingText(DriverRegistry& registry, const std::wstring& name, bool create,
                             const std::wstring& defaultText);

// `binary`: AceMode for the settings whose storage follows the mode, false for those
// that are always REG_SZ. The binary form is UTF-16LE without terminator; an empty text
// is a zero-length value.
void WriteSettingText(DriverRegistry& registry, const std::wstring& name, const std::wstring& text, bool binary);

// A REG_DWORD of four bytes; an absent value gives `defaultValue`, written first with `create`.
int32_t ReadSettingDword(DriverRegistry& registry, const std::wstring& name, bool create, int32_t defaultValue);
void WriteSettingDword(DriverRegistry& registry, const std::wstring& name, int32_t value);

// "DisableSmartSave": a REG_DWORD, or a REG_BINARY of one to four bytes, little-endian.
// An absent value gives `defaultValue`, written first with `create` as a four-byte binary.
int32_t ReadBinaryFlag(DriverRegistry& registry, const std::wstring& name, int32_t defaultValue, bool create);
// Four bytes of REG_BINARY, little-endian, as the driver keeps this flag.
void WriteBinaryFlag(DriverRegistry& registry, const std::wstring& name, int32_t value);

// Deleting returns a setting to the driver's own default; deleting an absent one is harmless.
void DeleteSetting(DriverRegistry& registry, const std::wstring& name);
// Whether the open key holds the value at all, of any type.
bool SettingExists(const DriverRegistry& registry, const std::wstring& name);

}  // namespace corvane::driver3d
