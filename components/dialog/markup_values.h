#pragma once
// Reading attribute values out of a tag's text: quoted values, numbers and colours.
#include <string>
#include <string_view>

#include "framework/color.h"

// The tag at the front of the markup from its character at index from up to,
// not including, the first ">" (or the end when there is none).
std::string_view TagText(std::string_view markup, std::size_t from);
// The same, upper-cased: what attribute values are read from.
std::string TagAttributes(std::string_view markup, std::size_t from);

// The text between the first two double quotes after the first occurrence of
// name (a plain substring search); empty when no quote follows. An unquoted
// value is therefore never seen: the next quoted one is read instead.
std::string AttributeValue(std::string_view tagText, std::string_view name);

struct MarkupNumber {
  int value = 0;
  bool complete = false;  // digits were read and nothing else followed them
};

// Leading blanks, an optional sign, then decimal digits, or hexadecimal ones
// after "$" or "0x"; reading stops at the first other character.
MarkupNumber ReadMarkupNumber(std::string_view text);
inline int ReadNumber(std::string_view text) { return ReadMarkupNumber(text).value; }

// A number that is a distance on the surface, kept to a range where sums of such
// distances cannot overflow.
inline constexpr int kMaxMarkupPixels = 1 << 24;
MarkupNumber ReadMarkupPixels(std::string_view text);
inline int ReadPixels(std::string_view text) { return ReadMarkupPixels(text).value; }

// "#RRGGBB" (upper-case digits) or a colour name such as "clRed" or "clBtnFace";
// anything else, a "#" value too short to hold six digits included, is black.
TColor ParseMarkupColor(std::string_view value);
