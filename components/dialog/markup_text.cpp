#include "components/dialog/markup_text.h"

#include <windows.h>

namespace {
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

constexpr Entity kEntities[] = {
    {"&amp;", "&&"},  // the text drawing call shows "&&" as one "&"
    {"&quot;", "\""},   {"&sect;", "\xA7"}, {"&permil;", "\x89"}, {"&reg;", "\xAE"},
    {"&copy;", "\xA9"}, {"&para;", "\xB6"}, {"&trade;", "\x99"},  {"&euro;", "\x80"},
};

// Entities are replaced until none is left, and the "&&" of "&amp;" takes part:
// "&amp;quot;" becomes "&" and a quote. No two entities can overlap (each is "&",
// letters, ";"), so it does not matter which is replaced first, and the only new
// entity a replacement can make starts at the second "&" of its "&&". One pass
// from left to right therefore ends where replacing again and again would, in
// time proportional to the caption rather than to its length times its entities.
std::string ReplaceEntities(std::string_view markup) {
  std::string result;
  result.reserve(markup.size());
  std::size_t i = 0;
  bool pendingAmpersand = false;  // the second "&" of a replaced "&amp;", not yet written
  while (i < markup.size() || pendingAmpersand) {
    // The text read here starts with the pending "&" (when there is one) and goes on
    // with the markup from i.
    const char first = pendingAmpersand ? '&' : markup[i];
    if (first != '&') {
      result += first;
      ++i;
      continue;
    }
    const std::string_view after = markup.substr(pendingAmpersand ? i : i + 1);
    const Entity* found = nullptr;
    for (const Entity& entity : kEntities)
      if (StartsWithNoCase(after, entity.name.substr(1))) found = &entity;
    if (!found) {
      result += '&';
      if (!pendingAmpersand) ++i;
      pendingAmpersand = false;
      continue;
    }
    i = static_cast<std::size_t>(after.data() - markup.data()) + found->name.size() - 1;
    if (found->text == "&&") {
      result += '&';
      pendingAmpersand = true;
    } else {
      result += found->text;
      pendingAmpersand = false;
    }
  }
  return result;
}

void ReplaceAllNoCase(std::string& text, std::string_view name, std::string_view replacement) {
  std::size_t pos = FindNoCase(text, name);
  while (pos != std::string::npos) {
    text.replace(pos, name.size(), replacement);
    pos = FindNoCase(text, name, pos + replacement.size());
  }
}
}  // namespace

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && FindNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

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
  if (markup.find('&') != std::string::npos) markup = ReplaceEntities(markup);

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
