#include "components/dialog/markup_text.h"

#include <windows.h>

namespace {
char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

template <class Fold>
std::string FoldCase(std::string_view text, Fold fold) {
  std::string result(text);
  for (std::size_t i = 0; i < result.size(); ++i) {
    if (IsDBCSLeadByte(static_cast<BYTE>(result[i])) && i + 1 < result.size()) {
      ++i;  // the trail byte may look like a letter
      continue;
    }
    result[i] = fold(result[i]);
  }
  return result;
}

struct Entity {
  std::string_view name;
  std::string_view text;
};

// Order matters: every pass replaces the first occurrence of each, top to bottom.
constexpr Entity kEntities[] = {
    {"&amp;", "&&"},           // the text drawing call shows "&&" as one "&"
    {"&quot;", "\""},          {"&sect;", "\xA7"}, {"&permil;", "\x89"}, {"&reg;", "\xAE"},
    {"&copy;", "\xA9"},        {"&para;", "\xB6"}, {"&trade;", "\x99"},  {"&euro;", "\x80"},
};

void ReplaceAllNoCase(std::string& text, std::string_view name, std::string_view replacement) {
  std::size_t pos = FindNoCase(text, name);
  while (pos != std::string::npos) {
    text.replace(pos, name.size(), replacement);
    pos = FindNoCase(text, name, pos + replacement.size());
  }
}
}  // namespace

std::string MarkupUpper(std::string_view text) { return FoldCase(text, AsciiUpper); }
std::string MarkupLower(std::string_view text) { return FoldCase(text, AsciiLower); }

std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
  if (needle.size() > text.size()) return std::string_view::npos;
  for (std::size_t i = from; i + needle.size() <= text.size(); ++i) {
    std::size_t k = 0;
    while (k < needle.size() && AsciiUpper(text[i + k]) == AsciiUpper(needle[k])) ++k;
    if (k == needle.size()) return i;
  }
  return std::string_view::npos;
}

std::string PrepareMarkup(std::string markup) {
  if (markup.find('&') != std::string::npos) {
    // Every replacement is shorter than its entity, so the passes run out.
    bool replaced = true;
    while (replaced) {
      replaced = false;
      for (const Entity& entity : kEntities) {
        const std::size_t pos = FindNoCase(markup, entity.name);
        if (pos == std::string::npos) continue;
        markup.replace(pos, entity.name.size(), entity.text);
        replaced = true;
      }
    }
  }

  // "<#name>" is how a caption writes a word that starts with "#".
  const std::size_t hash = markup.find("<#");
  if (hash != std::string::npos) {
    markup.erase(hash, 1);
    const std::size_t close = markup.find('>', hash);
    if (close != std::string::npos) markup.erase(close, 1);
  }

  std::string result;
  result.reserve(markup.size());
  for (char c : markup) {
    if (c == '\n') continue;
    if (c == '\r')
      result += "<BR>";
    else
      result += c;
  }
  return result;
}

std::string DecodeSegment(std::string_view segment) {
  std::string text(segment);
  if (text.find('&') == std::string::npos) return text;
  ReplaceAllNoCase(text, "&nbsp;", " ");
  ReplaceAllNoCase(text, "&lt;", "<");
  ReplaceAllNoCase(text, "&gt;", ">");
  return text;
}
