// Random and mutated hotkey texts through TextToShortCut, random values through
// ShortCutToText and random slot records through MakeHotkeyText. The expected results
// come from the rules restated here (the key name table, the prefix loop, the first
// code whose name matches under the user's locale), with the names of keys outside
// the table taken from the running system; every call returns in time.
#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/hotkeyreg.h"
#include "app/shortcut.h"
#include "fuzz_run.h"

namespace {
constexpr std::uint32_t kSeed = 16011978;
constexpr int kCases = 3000;
// A text is matched against at most a few hundred key names; this is far beyond that.
constexpr double kSlowCallMs = 250;

constexpr TShortCut kFirstCode = 8, kLastCode = 0x255;
constexpr std::string_view kPrefixes[] = {"Shift+", "^", "Ctrl+", "Alt+"};
constexpr TShortCut kPrefixBits[] = {0x2000, 0x4000, 0x4000, 0x8000};

bool Same(std::string_view a, std::string_view b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) == CSTR_EQUAL;
}

// The key name table, restated, with the system's names for the keys it leaves open.
class KeyNames {
 public:
  KeyNames() {
    for (int key = 0; key < 256; ++key) names_[key] = TableName(static_cast<std::uint8_t>(key));
  }
  const std::string& Of(TShortCut value) const { return names_[value & 0xFF]; }

  std::string Text(TShortCut value) const {
    const std::string& name = Of(value);
    if (name.empty()) return {};
    std::string text;
    if (value & 0x2000) text += "Shift+";
    if (value & 0x4000) text += "Ctrl+";
    if (value & 0x8000) text += "Alt+";
    return text + name;
  }

  TShortCut FromText(std::string_view text) const {
    TShortCut modifiers = 0;
    for (bool found = true; found;) {
      found = false;
      for (std::size_t p = 0; p < std::size(kPrefixes) && !found; ++p) {
        if (text.size() >= kPrefixes[p].size() && Same(text.substr(0, kPrefixes[p].size()), kPrefixes[p])) {
          text.remove_prefix(kPrefixes[p].size());
          modifiers |= kPrefixBits[p];
          found = true;
        }
      }
    }
    if (text.empty()) return 0;
    for (TShortCut code = kFirstCode; code <= kLastCode; ++code)
      if (Same(text, Of(code))) return code | modifiers;
    return 0;
  }

 private:
  static std::string TableName(std::uint8_t key) {
    static constexpr std::pair<std::uint8_t, const char*> kFixed[] = {
        {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
        {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
        {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"}};
    for (const auto& [code, name] : kFixed)
      if (code == key) return name;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
      return std::string(1, static_cast<char>(key));
    if (key >= 0x60 && key <= 0x69) return std::string(1, static_cast<char>('0' + key - 0x60));
    if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x6F);
    const UINT scan = MapVirtualKeyA(key, 0);
    if ((scan << 16) == 0) return {};
    char name[256] = {};
    GetKeyNameTextA(static_cast<LONG>(scan << 16), name, sizeof name);
    return std::string(name, strnlen(name, sizeof name));
  }

  std::array<std::string, 256> names_;
};

constexpr const char* kValidTexts[] = {
    "Ctrl+Alt+K",  "Shift+F1", "CTRL+ALT+SHIFT+Z", "ctrl+shift+z", "^A",
    "Alt+Shift+1", "Ctrl+",    "CTRL+ ",           "CTRL+^",       "BkSp",
    "Shift+PgDn",  "F24",      "alt+del",          "Ctrl+Space",   "CTRL",
    "K",           "^^^^Q",    "Alt+Alt+Tab",      "Enter",        "Shift+9",
    "f10"};

class TextMaker {
 public:
  TextMaker(std::uint32_t seed, const KeyNames& names) : random_(seed), names_(names) {}

  std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }
  char Byte() { return static_cast<char>(Below(256)); }
  char LeadByte() { return static_cast<char>(Below(2) ? 0x81 + Below(0x1F) : 0xE0 + Below(0x1D)); }

  std::string Next() {
    switch (Below(4)) {
      case 0: {  // random bytes, at times very long
        std::string text(Below(10) == 0 ? Below(5000) : Below(12), '\0');
        for (char& c : text) c = Byte();
        return text;
      }
      case 1:  // a value's own text
        return names_.Text(static_cast<TShortCut>(Below(0x10000)));
      default:
        return Mutated(Below(3) == 0 ? names_.Text(static_cast<TShortCut>(Below(0x10000)))
                                     : std::string(kValidTexts[Below(std::size(kValidTexts))]));
    }
  }

 private:
  std::string Mutated(std::string text) {
    for (std::size_t n = Below(4) + 1; n > 0; --n) {
      const std::size_t at = Below(text.size() + 1);
      switch (Below(8)) {
        case 0:
          if (at < text.size()) text.erase(at, Below(4) + 1);
          break;
        case 1:
          text.insert(at, 1, Byte());
          break;
        case 2:  // a lone lead byte at the end, or before junk that cannot trail it
          text += LeadByte();
          if (Below(2)) text += static_cast<char>(Below(0x40));
          break;
        case 3:  // flip the case of an ASCII letter
          if (at < text.size() && std::isalpha(static_cast<unsigned char>(text[at]))) text[at] ^= 0x20;
          break;
        case 4:
          text.insert(0, kPrefixes[Below(std::size(kPrefixes))]);
          break;
        case 5:
          text.resize(at);
          break;
        case 6:  // many prefixes
          for (std::size_t k = Below(200); k > 0; --k) text.insert(0, kPrefixes[Below(std::size(kPrefixes))]);
          break;
        default:
          text.insert(at, 1, '\0');
          break;
      }
    }
    return text;
  }

  std::mt19937 random_;
  const KeyNames& names_;
};

// MakeHotkeyText as its steps say.
std::string ExpectedHotkeyText(const THotkeyStruct& slot) {
  std::string text;
  auto append = [&text](const std::string& part) { text += (text.empty() ? "" : "+") + part; };
  if (slot.IsCTRL == 1) append("CTRL");
  if (slot.IsALT == 1) append("ALT");
  if (slot.IsSHIFT == 1) append("SHIFT");
  if (slot.KeyCode != 0) append(std::string(1, slot.KeyCode));
  return text;
}
}  // namespace

TEST_CASE("fixed texts: every byte alone and after Ctrl+, and lone lead bytes after modifiers") {
  const KeyNames names;
  std::vector<std::string> texts = {""};
  for (int byte = 0; byte < 256; ++byte) {
    texts.emplace_back(1, static_cast<char>(byte));
    texts.push_back("Ctrl+" + std::string(1, static_cast<char>(byte)));
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    texts.push_back("Ctrl+Alt+" + std::string(1, static_cast<char>(lead)));
    texts.push_back("Shift+" + std::string(1, static_cast<char>(lead)) + "\x01z");
  }
  for (const std::string& text : texts) {
    CAPTURE(CLiteral(text));
    CHECK(TextToShortCut(text) == names.FromText(text));
  }
  // Letters of either case give the capital letter's code, digits the main row's.
  CHECK(TextToShortCut("a") == 'A');
  CHECK(TextToShortCut("Ctrl+7") == (0x4000 | '7'));
}

TEST_CASE("random texts, values and slot records: results as the rules give them, every call in time") {
  const KeyNames names;
  FuzzRun fuzz("shortcut", kSeed, kCases, kSlowCallMs);
  TextMaker maker(fuzz.Seed(), names);
  for (int run = 0; run < fuzz.Cases(); ++run) {
    CAPTURE(run);
    // A text: the value it names.
    const std::string text = maker.Next();
    TShortCut value = 0;
    double ms = fuzz.Time([&] { value = TextToShortCut(text); });
    if (value != names.FromText(text) || fuzz.TooSlow(ms)) {
      CAPTURE(CLiteral(text));
      CHECK(value == names.FromText(text));
      CHECK(ms <= kSlowCallMs);
      break;
    }

    // A value: its text, and back to the first code of that name with the same modifiers.
    const auto random = static_cast<TShortCut>(maker.Below(0x10000));
    std::string shortcutText;
    ms = fuzz.Time([&] { shortcutText = ShortCutToText(random); });
    const std::string& name = names.Of(random);
    const bool plainName = !name.empty() && names.FromText(name) != 0;
    const TShortCut back = TextToShortCut(shortcutText);
    const TShortCut modifiers = random & 0xE000;
    if (shortcutText != names.Text(random) || fuzz.TooSlow(ms) ||
        (plainName && (back != (names.FromText(name) | modifiers) || ShortCutToText(back) != shortcutText))) {
      CAPTURE(random);
      CAPTURE(CLiteral(shortcutText));
      CHECK(shortcutText == names.Text(random));
      CHECK(ms <= kSlowCallMs);
      if (plainName) {
        CHECK(back == (names.FromText(name) | modifiers));
        CHECK(ShortCutToText(back) == shortcutText);
      }
      break;
    }

    // A slot record: its hotkey text, and the value a letter or digit key gives.
    THotkeyStruct slot;
    constexpr std::int32_t kFlags[] = {0, 1, 1, 2, -1, 0x10001};
    slot.IsCTRL = kFlags[maker.Below(std::size(kFlags))];
    slot.IsALT = kFlags[maker.Below(std::size(kFlags))];
    slot.IsSHIFT = kFlags[maker.Below(std::size(kFlags))];
    slot.KeyCode = maker.Byte();
    std::string hotkeyText;
    ms = fuzz.Time([&] { hotkeyText = MakeHotkeyText(slot); });
    TShortCut hotkey = 0;
    ms = std::max(ms, fuzz.Time([&] { hotkey = TextToShortCut(hotkeyText); }));
    const auto key = static_cast<unsigned char>(slot.KeyCode);
    TShortCut expectedHotkey = names.FromText(hotkeyText);
    if (std::isalnum(key)) {
      expectedHotkey =
          static_cast<TShortCut>(std::toupper(key) | (slot.IsCTRL == 1 ? 0x4000 : 0) |
                                 (slot.IsALT == 1 ? 0x8000 : 0) | (slot.IsSHIFT == 1 ? 0x2000 : 0));
    }
    if (hotkeyText != ExpectedHotkeyText(slot) || hotkey != expectedHotkey || fuzz.TooSlow(ms)) {
      CAPTURE(slot.IsCTRL);
      CAPTURE(slot.IsALT);
      CAPTURE(slot.IsSHIFT);
      CAPTURE(static_cast<int>(key));
      CHECK(CLiteral(hotkeyText) == CLiteral(ExpectedHotkeyText(slot)));
      CHECK(hotkey == expectedHotkey);
      CHECK(ms <= kSlowCallMs);
      break;
    }
  }
  MESSAGE("slowest call: " << fuzz.SlowestMs() << " ms");
}
