#include "components/dialog/markup_values.h"

#include <algorithm>
#include <cstdint>

#include "components/dialog/markup_text.h"

namespace {
struct NamedColor {
  std::string_view name;
  TColor color;
};

constexpr NamedColor kNamedColors[] = {
    {"clred", 0x0000FF},
    {"clblack", 0x000000},
    {"clblue", 0xFF0000},
    {"clgreen", 0x008000},
    {"claqua", 0xFFFF00},
    {"clyellow", 0x00FFFF},
    {"clfuchsia", 0xFF00FF},
    {"clwhite", 0xFFFFFF},
    {"cllime", 0x00FF00},
    {"clsilver", 0xC0C0C0},
    {"clgray", 0x808080},
    {"clolive", 0x008080},
    {"clnavy", 0x800000},
    {"clpurple", 0x800080},
    {"clteal", 0x808000},
    {"clmaroon", 0x000080},
    {"clbackground", 0x80000001},
    {"clactivecaption", 0x80000002},
    {"clinactivecaption", 0x80000003},
    {"clmenu", 0x80000004},
    {"clwindow", 0x80000005},
    {"clwindowframe", 0x80000006},
    {"clmenutext", 0x80000007},
    {"clwindowtext", 0x80000008},
    {"clcaptiontext", 0x80000009},
    {"clactiveborder", 0x8000000A},
    {"clinactiveborder", 0x8000000B},
    {"clappworkspace", 0x8000000C},
    {"clhighlight", 0x8000000D},
    {"clhighlighttext", 0x8000000E},
    {"clbtnface", 0x8000000F},
    {"clbtnshadow", 0x80000010},
    {"clgraytext", 0x80000011},
    {"clbtntext", 0x80000012},
    {"clinactivecaptiontext", 0x80000013},
    {"clbtnhighlight", 0x80000014},
    {"cl3ddkshadow", 0x80000015},
    {"cl3dlight", 0x80000016},
    {"clinfotext", 0x80000017},
    {"clinfobk", 0x80000018},
};

int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  return value < base ? value : -1;
}

// The colour digits are read the simple way, as upper-case hexadecimal; any other
// character gives a value out of range, as it always has.
int ColorDigit(char c) {
  const int code = static_cast<unsigned char>(c);
  return code <= 64 ? code - 48 : code - 55;
}
}  // namespace

std::string_view TagText(std::string_view markup, std::size_t from) {
  const std::size_t end = std::min(markup.find('>'), markup.size());
  return from < end ? markup.substr(from, end - from) : std::string_view{};
}

std::string TagAttributes(std::string_view markup, std::size_t from) {
  return MarkupUpper(TagText(markup, from));
}

std::string AttributeValue(std::string_view tagText, std::string_view name) {
  const std::size_t at = tagText.find(name);
  if (at == std::string_view::npos) return {};
  const std::size_t open = tagText.find('"', at + name.size());
  if (open == std::string_view::npos) return {};
  const std::size_t close = tagText.find('"', open + 1);
  const std::size_t end = close == std::string_view::npos ? tagText.size() : close;
  return std::string(tagText.substr(open + 1, end - open - 1));
}

MarkupNumber ReadMarkupNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  std::int64_t value = 0;
  bool anyDigit = false;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) break;
    anyDigit = true;
    if (value < 0x7FFFFFFF) value = value * base + digit;  // saturates instead of overflowing
  }
  if (value > 0x7FFFFFFF) value = 0x7FFFFFFF;
  MarkupNumber number;
  number.value = static_cast<int>(negative ? -value : value);
  number.complete = anyDigit && i == text.size();
  return number;
}

MarkupNumber ReadMarkupPixels(std::string_view text) {
  MarkupNumber number = ReadMarkupNumber(text);
  number.value = std::clamp(number.value, -kMaxMarkupPixels, kMaxMarkupPixels);
  return number;
}

TColor ParseMarkupColor(std::string_view value) {
  if (!value.empty() && value[0] == '#') {
    if (value.size() < 7) return clBlack;
    const int red = ColorDigit(value[1]) * 16 + ColorDigit(value[2]);
    const int green = ColorDigit(value[3]) * 16 + ColorDigit(value[4]);
    const int blue = ColorDigit(value[5]) * 16 + ColorDigit(value[6]);
    return static_cast<TColor>(red + green * 256 + blue * 65536);
  }
  const std::string name = MarkupLower(value);
  for (const NamedColor& named : kNamedColors)
    if (named.name == name) return named.color;
  return clBlack;
}
