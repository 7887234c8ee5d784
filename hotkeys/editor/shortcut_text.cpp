#include "hotkeys/editor/shortcut_text.h"

#include <array>
#include <cwchar>
#include <map>
#include <optional>

#include "platform/text_encoding.h"
#include "ui/form.h"

namespace corvane::hotkeys {

namespace {

struct KeyName {
  uint8_t key;
  std::wstring_view name;
};

constexpr KeyName kKeyNames[] = {
    {0x08, L"BkSp"},   {0x09, L"Tab"},   {0x0D, L"Enter"},  {0x13, L"Pause"},  {0x14, L"Caps Lock"},
    {0x1B, L"Esc"},    {0x20, L"Space"}, {0x21, L"PgUp"},   {0x22, L"PgDn"},   {0x23, L"End"},
    {0x24, L"Home"},   {0x25, L"Left"},  {0x26, L"Up"},     {0x27, L"Right"},  {0x28, L"Down"},
    {0x2C, L"PrtSc"},  {0x2D, L"Ins"},   {0x2E, L"Del"},    {0x6A, L"Num *"},  {0x6B, L"Num +"},
    {0x6D, L"Num -"},  {0x6E, L"Num ."}, {0x6F, L"Num /"},  {0x90, L"Num Lock"}, {0x91, L"Scroll Lock"},
    {0xBA, L";"},      {0xBB, L"="},     {0xBC, L","},      {0xBD, L"-"},      {0xBE, L"."},
    {0xBF, L"/"},      {0xC0, L"`"},     {0xDB, L"["},      {0xDC, L"\\"},     {0xDD, L"]"},
    {0xDE, L"'"},
};

constexpr uint16_t kModifiers = ui::ShortCutFlag::Shift | ui::ShortCutFlag::Ctrl | ui::ShortCutFlag::Alt;

struct Modifier {
  uint16_t flag;
  std::wstring_view prefix;
};
constexpr Modifier kModifierPrefixes[] = {
    {ui::ShortCutFlag::Shift, L"Shift+"}, {ui::ShortCutFlag::Ctrl, L"Ctrl+"}, {ui::ShortCutFlag::Alt, L"Alt+"}};

std::wstring KeyText(uint8_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::wstring(1, static_cast<wchar_t>(key));
  if (key >= 0x60 && key <= 0x69) return L"Num " + std::to_wstring(key - 0x60);
  if (key >= 0x70 && key <= 0x87) return L"F" + std::to_wstring(key - 0x70 + 1);
  for (const KeyName& named : kKeyNames)
    if (named.key == key) return std::wstring(named.name);
  wchar_t hex[8];
  std::swprintf(hex, std::size(hex), L"$%02X", key);
  return hex;
}

std::optional<uint8_t> KeyOfText(std::wstring_view text) {
  static const std::map<std::wstring, uint8_t> kKeys = [] {
    std::map<std::wstring, uint8_t> keys;
    for (unsigned key = 1; key <= 0xFF; ++key)
      keys.emplace(platform::UpperAscii(KeyText(static_cast<uint8_t>(key))), static_cast<uint8_t>(key));
    return keys;
  }();
  const auto found = kKeys.find(platform::UpperAscii(text));
  if (found == kKeys.end()) return std::nullopt;
  return found->second;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() && platform::EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

std::wstring ShortCutToText(uint16_t code) {
  if (code == 0) return {};
  // Bits no key combination uses: the code itself, so it comes back unchanged.
  if ((code & 0x1F00) != 0 || (code & 0xFF) == 0) return L"#" + std::to_wstring(code);
  std::wstring text;
  for (const Modifier& modifier : kModifierPrefixes)
    if (code & modifier.flag) text += modifier.prefix;
  return text + KeyText(static_cast<uint8_t>(code & 0xFF));
}

uint16_t TextToShortCut(std::wstring_view text) {
  if (text.size() > 1 && text.front() == L'#') {
    unsigned value = 0;
    for (wchar_t c : text.substr(1)) {
      if (c < L'0' || c > L'9') return 0;
      value = value * 10 + static_cast<unsigned>(c - L'0');
      if (value > 0xFFFF) return 0;
    }
    return static_cast<uint16_t>(value);
  }
  uint16_t modifiers = 0;
  for (bool found = true; found && !text.empty();) {
    found = false;
    for (const Modifier& modifier : kModifierPrefixes) {
      // "+" alone is no key name here, so a prefix is a modifier whenever a key follows it.
      if (StartsWithNoCase(text, modifier.prefix) && text.size() > modifier.prefix.size()) {
        modifiers |= modifier.flag;
        text.remove_prefix(modifier.prefix.size());
        found = true;
      }
    }
  }
  const std::optional<uint8_t> key = KeyOfText(text);
  if (!key) return 0;
  return static_cast<uint16_t>((modifiers & kModifiers) | *key);
}

}  // namespace corvane::hotkeys
