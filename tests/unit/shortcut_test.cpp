// ShortCut values, their names and the hotkey text made from a slot. Names of keys
// outside the fixed table come from the running system's keyboard layout, so the
// expected values are looked up here rather than written down.
#include "app/shortcut.h"

#include <doctest.h>
#include <windows.h>

#include <string>

#include "app/hotkeyreg.h"

namespace {
constexpr TShortCut kFirstCode = 8, kLastCode = 0x255;

// The first code whose system name is exactly name, or 0.
TShortCut FirstCodeNamed(const std::string& name) {
  for (TShortCut code = kFirstCode; code <= kLastCode; ++code)
    if (GetSpecialName(code) == name) return code;
  return 0;
}

THotkeyStruct Slot(int ctrl, int alt, int shift, char key) {
  THotkeyStruct slot;
  slot.IsCTRL = ctrl;
  slot.IsALT = alt;
  slot.IsSHIFT = shift;
  slot.KeyCode = key;
  return slot;
}

bool IsFixedName(std::uint8_t key) {
  return key == 0x08 || key == 0x09 || key == 0x0D || key == 0x1B || (key >= 0x20 && key <= 0x28) ||
         key == 0x2D || key == 0x2E || (key >= 0x30 && key <= 0x39) || (key >= 0x41 && key <= 0x5A) ||
         (key >= 0x60 && key <= 0x69) || (key >= 0x70 && key <= 0x87);
}
}  // namespace

TEST_CASE("the hotkey text joins CTRL, ALT, SHIFT and the key character, counting only flags of 1") {
  struct Case {
    THotkeyStruct slot;
    const char* text;
  };
  const Case cases[] = {
      {Slot(1, 1, 0, 'K'), "CTRL+ALT+K"},
      {Slot(0, 1, 1, '1'), "ALT+SHIFT+1"},
      {Slot(1, 1, 1, 'Z'), "CTRL+ALT+SHIFT+Z"},
      {Slot(1, 0, 0, 0), "CTRL"},
      {Slot(0, 0, 0, 'K'), "K"},
      {Slot(2, 0, 1, 'A'), "SHIFT+A"},
      {Slot(0, 0, 0, 0), ""},
      {Slot(-1, 5, 0, 'k'), "k"},
      {Slot(0, 1, 0, ';'), "ALT+;"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.text);
    CHECK(MakeHotkeyText(c.slot) == c.text);
  }
}

TEST_CASE("ShortCut and ShortCutToKey") {
  using enum ShiftFlag;
  CHECK(ShortCut('Z', {Shift, Ctrl}) == 0x605A);
  CHECK(ShortCut('K', {Ctrl, Alt}) == 0xC04B);
  CHECK(ShortCut('1', {Alt, Shift}) == 0xA031);
  CHECK(ShortCut('K', {}) == 0x004B);
  CHECK(ShortCut(0xFF, {Alt}) == 0x80FF);
  CHECK(ShortCut(0x15A, {}) == 0);
  CHECK(ShortCut(0x15A, {Shift, Alt, Ctrl}) == 0);
  CHECK(ShortCut(0x1000, {Ctrl}) == 0);

  struct Case {
    TShortCut value;
    std::uint16_t key;
    TShiftState shift;
  };
  const Case cases[] = {
      {0xE05A, 0x5A, {Shift, Alt, Ctrl}},
      {0x605A, 0x5A, {Shift, Ctrl}},
      {0x8031, 0x31, {Alt}},
      {0x4255, 0x255, {Ctrl}},
      {0x1FFF, 0x1FFF, {}},
      {0, 0, {}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.value);
    std::uint16_t key = 0xFFFF;
    TShiftState shift{Shift, Alt, Ctrl};
    ShortCutToKey(c.value, key, shift);
    CHECK(key == c.key);
    CHECK(shift == c.shift);
  }
}

TEST_CASE("ShortCutToText names keys by the fixed table and the system") {
  struct Case {
    TShortCut value;
    const char* text;
  };
  // Only the low byte names the key; code 0 has no scan code and so no name.
  const Case fixed[] = {
      {0x08, "BkSp"}, {0x09, "Tab"}, {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"}, {0x21, "PgUp"},
      {0x22, "PgDn"}, {0x23, "End"}, {0x24, "Home"},  {0x25, "Left"}, {0x26, "Up"},    {0x27, "Right"},
      {0x28, "Down"}, {0x2D, "Ins"}, {0x2E, "Del"},   {0x14B, "K"},   {0x131, "1"},    {0x2000, ""},
  };
  for (const Case& c : fixed) {
    CAPTURE(c.value);
    CHECK(ShortCutToText(c.value) == c.text);
  }
  for (TShortCut digit = 0; digit <= 9; ++digit) {
    CHECK(ShortCutToText(static_cast<TShortCut>(0x30 + digit)) == std::to_string(digit));
    CHECK(ShortCutToText(static_cast<TShortCut>(0x60 + digit)) == std::to_string(digit));
  }
  for (char letter = 'A'; letter <= 'Z'; ++letter) CHECK(ShortCutToText(letter) == std::string(1, letter));
  for (TShortCut f = 1; f <= 24; ++f)
    CHECK(ShortCutToText(static_cast<TShortCut>(0x6F + f)) == "F" + std::to_string(f));

  CHECK(ShortCutToText(0xE041) == "Shift+Ctrl+Alt+A");
  CHECK(ShortCutToText(0x2008) == "Shift+BkSp");
  CHECK(ShortCutToText(0x4079) == "Ctrl+F10");
  CHECK(ShortCutToText(0x8065) == "Alt+5");

  // Every other code takes the system's name of its low byte; an empty name drops the
  // modifier captions too.
  bool sawNamed = false, sawUnnamed = false;
  for (TShortCut code = 0; code <= 0xFF; ++code) {
    if (IsFixedName(static_cast<std::uint8_t>(code))) continue;
    CAPTURE(code);
    const std::string name = GetSpecialName(code);
    CHECK(GetSpecialName(code | 0x100) == name);
    if (name.empty()) {
      sawUnnamed = true;
      CHECK(ShortCutToText(code | 0xE000) == "");
    } else {
      sawNamed = true;
      CHECK(ShortCutToText(code | 0x6000) == "Shift+Ctrl+" + name);
    }
  }
  CHECK(sawNamed);
  CHECK(sawUnnamed);
}

TEST_CASE("TextToShortCut reads modifier prefixes and matches the rest against key names") {
  struct Case {
    const char* text;
    TShortCut value;
  };
  const Case cases[] = {
      {"CTRL+ALT+K", 0xC04B},
      {"CTRL+k", 0x404B},
      {"CTRL+K", 0x404B},
      {"ALT+SHIFT+1", 0xA031},  // the main-row digit, not the keypad's 0xA061
      {"CTRL+SHIFT+Z", 0x605A},
      {"CTRL+ALT+SHIFT+Z", 0xE05A},
      {"K", 0x004B},
      {"", 0},
      {"Ctrl+", 0},
      {"CTRL+ALT+", 0},
      {"CTRL+ ", 0},
      {"CTRL+^", 0},  // a second Ctrl prefix, then nothing is left
      {"^K", 0x404B},
      {"^^k", 0x404B},
      {"Ctrl+^CTRL+K", 0x404B},
      {"alt+ctrl+shift+alt+A", 0xE041},
      {"Shift+Ctrl+Alt+F5", 0xE074},
      {"Alt+Space", 0x8020},
      {"ctrl+bksp", 0x4008},
      {"SHIFT+del", 0x202E},
      {"f24", 0x0087},
      {"F25", 0},
      {"CTRL+KK", 0},
      {"CTRL-K", 0},
      {"Shif+K", 0},
      {"CTRL+ K", 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.text);
    CHECK(TextToShortCut(c.text) == c.value);
  }
}

TEST_CASE("TextToShortCut gives the first code of a fixed name") {
  for (TShortCut code = kFirstCode; code <= 0xFF; ++code) {
    if (!IsFixedName(static_cast<std::uint8_t>(code))) continue;
    CAPTURE(code);
    const TShortCut first = code >= 0x60 && code <= 0x69 ? code - 0x30 : code;  // keypad digits lose
    CHECK(TextToShortCut("Alt+" + ShortCutToText(code)) == (first | 0x8000));
  }
}

TEST_CASE("TextToShortCut matches other characters against the system's key names") {
  SUBCASE("CTRL alone is the key the system names Ctrl, without modifiers") {
    TShortCut expected = 0;
    for (TShortCut code = kFirstCode; code <= kLastCode && !expected; ++code)
      if (lstrcmpiA(GetSpecialName(code).c_str(), "Ctrl") == 0) expected = code;
    CHECK(TextToShortCut("CTRL") == expected);
  }
  SUBCASE("a punctuation key") {
    const TShortCut semicolon = FirstCodeNamed(";");
    REQUIRE(semicolon != 0);
    CHECK(TextToShortCut(";") == semicolon);
    CHECK(TextToShortCut("CTRL+;") == (semicolon | 0x4000));
  }
  SUBCASE("every one-character system name gives the first code bearing it") {
    for (TShortCut code = kFirstCode; code <= 0xFF; ++code) {
      const std::string name = GetSpecialName(code);
      if (name.size() != 1 || IsFixedName(static_cast<std::uint8_t>(code)) || IsCharAlphaNumericA(name[0]))
        continue;
      CAPTURE(name);
      CHECK(TextToShortCut("SHIFT+ALT+" + name) == (FirstCodeNamed(name) | 0xA000));
    }
  }
}
