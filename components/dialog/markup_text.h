#pragma once
// Byte-string helpers of the markup renderer: code page aware case folding,
// case-insensitive search, entity decoding and the preparation of a caption
// before it is laid out.
#include <cstddef>
#include <string>
#include <string_view>

inline char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// ASCII letters change case; the trail byte of a double-byte character is left
// alone, so a code page 932 face name survives being upper-cased.
std::string MarkupUpper(std::string_view text);
std::string MarkupLower(std::string_view text);

// Position of the first occurrence of needle at or after from, ignoring ASCII
// case; npos when there is none.
std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from = 0);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
// Whether part occurs in text as it stands (case counts).
inline bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// The caption as the line loop reads it: entities decoded (as many passes as it
// takes), the first "<#name>" made plain text, line feeds dropped and carriage
// returns turned into line break tags.
std::string PrepareMarkup(std::string markup);

// A text segment as it is drawn: "&nbsp;", "&lt;" and "&gt;" decoded.
std::string DecodeSegment(std::string_view segment);
