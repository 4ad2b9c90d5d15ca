#include "components/dialog/markup_label_text.h"

#include <vector>

#include "components/dialog/markup_text.h"

namespace {
bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

// The tag's name: what follows "<" (and a "/") up to a blank, "/" or the end.
std::string_view TagName(std::string_view inside) {
  if (!inside.empty() && inside.front() == '/') inside.remove_prefix(1);
  const size_t end = inside.find_first_of(" \t/");
  return inside.substr(0, end);
}

// Calls text(position, length) for each run of shown characters and tag(position,
// length) for each tag, in order; an unclosed "<" is shown text up to the end.
template <class Text, class Tag>
void Walk(std::string_view markup, Text text, Tag tag) {
  size_t at = 0;
  while (at < markup.size()) {
    const size_t open = markup.find('<', at);
    const size_t close = open == std::string_view::npos ? open : markup.find('>', open);
    if (close == std::string_view::npos) {
      text(at, markup.size() - at);
      return;
    }
    if (open > at) text(at, open - at);
    tag(open, close - open + 1);
    at = close + 1;
  }
}
}  // namespace

std::string MarkupPlainText(std::string_view markup) {
  std::string plain;
  Walk(
      markup, [&](size_t at, size_t length) { plain.append(markup.substr(at, length)); },
      [&](size_t at, size_t length) {
        const std::string_view name = TagName(markup.substr(at + 1, length - 2));
        if (SameText(name, "BR") || SameText(name, "HR")) plain += "\r\n";
      });
  return plain;
}

std::string WrapShownText(std::string_view markup, std::string_view text, std::string_view tag,
                          bool caseSensitive) {
  if (text.empty()) return std::string(markup);
  // The shown characters, each with its place in the markup.
  std::string shown;
  std::vector<size_t> place;
  Walk(
      markup,
      [&](size_t at, size_t length) {
        for (size_t i = at; i < at + length; ++i) {
          shown += markup[i];
          place.push_back(i);
        }
      },
      [](size_t, size_t) {});
  // Where each opening and closing tag goes, as markup positions.
  std::vector<size_t> opens, closes;
  for (size_t i = 0; i + text.size() <= shown.size();) {
    const std::string_view candidate(shown.data() + i, text.size());
    if (caseSensitive ? candidate == text : SameText(candidate, text)) {
      opens.push_back(place[i]);
      closes.push_back(place[i + text.size() - 1] + 1);
      i += text.size();
    } else {
      ++i;
    }
  }
  const std::string open = "<" + std::string(tag) + ">", close = "</" + std::string(tag) + ">";
  std::string result;
  size_t o = 0, c = 0;
  for (size_t i = 0; i <= markup.size(); ++i) {
    while (c < closes.size() && closes[c] == i) result += close, ++c;
    while (o < opens.size() && opens[o] == i) result += open, ++o;
    if (i < markup.size()) result += markup[i];
  }
  return result;
}

std::string RemoveTag(std::string_view markup, std::string_view tag) {
  std::string result;
  Walk(
      markup, [&](size_t at, size_t length) { result.append(markup.substr(at, length)); },
      [&](size_t at, size_t length) {
        std::string_view inside = markup.substr(at + 1, length - 2);
        if (!inside.empty() && inside.front() == '/') inside.remove_prefix(1);
        if (!SameText(inside, tag)) result.append(markup.substr(at, length));
      });
  return result;
}
