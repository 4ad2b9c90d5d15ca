#include "app/shortcut.h"

#include <windows.h>

#include <cstring>
#include <string_view>

#include "app/hotkeyreg.h"

namespace {
constexpr int kKeyNameSize = 256;         // GetKeyNameTextA's buffer, also the longest key name
constexpr TShortCut kFirstNamedCode = 8;  // candidates run from here up to 0x255

struct FixedName {
  std::uint8_t key;
  const char* name;
};
constexpr FixedName kFixedNames[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
    {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
    {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"},
};

// The fixed word of the key name table, or nullptr.
const char* FixedKeyName(std::uint8_t key) {
  for (const FixedName& entry : kFixedNames)
    if (entry.key == key) return entry.name;
  return nullptr;
}

// The system's name of the key into name (kKeyNameSize bytes); returns its length.
int SpecialName(std::uint8_t key, char* name) {
  const UINT scan = MapVirtualKeyA(key, 0);
  const LONG param = static_cast<LONG>(scan << 16);
  if (param == 0) return 0;
  name[0] = '\0';
  const int length = GetKeyNameTextA(param, name, kKeyNameSize);
  return length > 0 ? static_cast<int>(strnlen(name, kKeyNameSize)) : 0;
}

// The key name table's name of the low byte, written into name (kKeyNameSize bytes)
// without allocating, since TextToShortCut asks for hundreds of them.
std::string_view KeyName(TShortCut value, char* name) {
  const auto key = static_cast<std::uint8_t>(value & 0xFF);
  if (const char* fixed = FixedKeyName(key)) return fixed;
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    name[0] = static_cast<char>(key);
    return {name, 1};
  }
  if (key >= 0x60 && key <= 0x69) {  // numeric keypad digits
    name[0] = static_cast<char>('0' + key - 0x60);
    return {name, 1};
  }
  if (key >= 0x70 && key <= 0x87) {  // F1..F24
    const int number = key - 0x6F;
    int length = 0;
    name[length++] = 'F';
    if (number >= 10) name[length++] = static_cast<char>('0' + number / 10);
    name[length++] = static_cast<char>('0' + number % 10);
    return {name, static_cast<size_t>(length)};
  }
  return {name, static_cast<size_t>(SpecialName(key, name))};
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) == CSTR_EQUAL;
}

// Removes prefix from the front of text when its first bytes match it.
bool TakePrefix(std::string_view& text, std::string_view prefix) {
  if (text.size() < prefix.size() || !SameIgnoringCase(text.substr(0, prefix.size()), prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}
}  // namespace

std::string GetSpecialName(TShortCut value) {
  char name[kKeyNameSize];
  return std::string(name, SpecialName(static_cast<std::uint8_t>(value & 0xFF), name));
}

std::string ShortCutToText(TShortCut value) {
  char buffer[kKeyNameSize];
  const std::string_view name = KeyName(value, buffer);
  if (name.empty()) return {};
  std::string text;
  if (value & kShortCutShift) text += "Shift+";
  if (value & kShortCutCtrl) text += "Ctrl+";
  if (value & kShortCutAlt) text += "Alt+";
  text += name;
  return text;
}

TShortCut TextToShortCut(const std::string& text) {
  std::string_view rest = text;
  TShortCut modifiers = 0;
  for (;;) {
    if (TakePrefix(rest, "Shift+"))
      modifiers |= kShortCutShift;
    else if (TakePrefix(rest, "^") || TakePrefix(rest, "Ctrl+"))
      modifiers |= kShortCutCtrl;
    else if (TakePrefix(rest, "Alt+"))
      modifiers |= kShortCutAlt;
    else
      break;
  }
  if (rest.empty()) return 0;
  // Every candidate code (8..0x255) is below 0x2000, so its text is the bare key name,
  // which depends on the low byte only: past 0x107 the names repeat ones already
  // tried, so stopping there yields the same first match with half the lookups.
  char buffer[kKeyNameSize];
  for (TShortCut code = kFirstNamedCode; code < 0x100 + kFirstNamedCode; ++code)
    if (SameIgnoringCase(rest, KeyName(code, buffer))) return code | modifiers;
  return 0;
}

std::string MakeHotkeyText(const THotkeyStruct& slot) {
  std::string text;
  auto append = [&text](std::string_view part) {
    if (!text.empty()) text += '+';
    text += part;
  };
  if (slot.IsCTRL == 1) append("CTRL");
  if (slot.IsALT == 1) append("ALT");
  if (slot.IsSHIFT == 1) append("SHIFT");
  if (slot.KeyCode != 0) append(std::string_view(&slot.KeyCode, 1));
  return text;
}
