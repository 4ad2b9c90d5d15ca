#include "components/dialog/markup_format_tags.h"

#include <string>

#include "components/dialog/markup_images.h"
#include "components/dialog/markup_text.h"
#include "components/dialog/markup_values.h"

namespace {
constexpr int kListIndent = 12;

std::string_view After(std::string_view text, char c) {
  const std::size_t at = text.find(c);
  return at == std::string_view::npos ? text : text.substr(at + 1);
}

// The number between the double quotes after the first letter (either case) of
// the tag from its third character on; empty when the tag has none.
std::string_view QuotedAfterLetter(std::string_view markup, char letter) {
  const std::string_view tag = TagText(markup, 2);
  const std::size_t at = tag.find_first_of(std::string{letter, static_cast<char>(letter - 'a' + 'A')});
  if (at == std::string_view::npos) return {};
  const std::size_t open = tag.find('"', at + 1);
  if (open == std::string_view::npos) return {};
  const std::size_t close = tag.find('"', open + 1);
  return tag.substr(open + 1, (close == std::string_view::npos ? tag.size() : close) - open - 1);
}

void TilePicture(MarkupState& s, const TMarkupPicture& picture) {
  const RECT& b = s.bounds;
  const int width = picture.Width();
  const int height = picture.Height();
  HDC dc = s.canvas.Handle();
  // The caller's own clip (a windowless control's rectangle) comes back afterwards.
  RegionHandle saved(CreateRectRgn(0, 0, 0, 0));
  const bool hadClip = GetClipRgn(dc, saved.Get()) == 1;
  IntersectClipRect(dc, b.left, b.top, b.right, b.bottom);
  // Tiles wholly outside the visible part of the surface are not drawn.
  RECT visible{};
  GetClipBox(dc, &visible);
  const long long firstX =
      visible.left > b.left ? (visible.left - static_cast<long long>(b.left)) / width : 0;
  const long long firstY = visible.top > b.top ? (visible.top - static_cast<long long>(b.top)) / height : 0;
  for (long long y = b.top + firstY * height; y < b.bottom && y < visible.bottom; y += height)
    for (long long x = b.left + firstX * width; x < b.right && x < visible.right; x += width)
      picture.Draw(dc, static_cast<int>(x), static_cast<int>(y));
  SelectClipRgn(dc, hadClip ? saved.Get() : nullptr);
}
}  // namespace

void FontTag(LinePass& line, std::string_view markup) {
  MarkupState& s = line.state;
  MarkupFont& font = s.canvas.Font();
  const std::string attributes = TagAttributes(markup, 5);
  if (Contains(attributes, "FACE")) font.Name = AttributeValue(attributes, "FACE");
  if (!s.options.KeepColors) {
    // The leading blank keeps BGCOLOR from being read as COLOR.
    const std::string color = AttributeValue(attributes, " COLOR");
    if (!color.empty()) font.Color = ParseMarkupColor(color);
  }
  if (Contains(attributes, "BGCOLOR") && line.Drawing() && !s.options.KeepColors) {
    s.fontBackground = s.canvas.BrushColor;
    const std::string color = AttributeValue(attributes, "BGCOLOR");
    if (!color.empty()) s.canvas.BrushColor = ParseMarkupColor(color);
  }
  const std::size_t size = attributes.find("SIZE");
  if (size != std::string::npos) {
    std::string_view value = After(std::string_view(attributes).substr(size + 4), '=');
    if (Contains(value, "\"")) value = After(value, '"');
    const int n = ReadNumber(value);
    s.canvas.SetFontSize(n >= 1 && n <= 5 ? 6 + 2 * n : n);
  }
}

void FontTagEnd(LinePass& line) {
  MarkupState& s = line.state;
  MarkupFont& font = s.canvas.Font();
  font.Name = s.baseFont.Name;
  font.Height = s.baseFont.Height;
  if (line.Drawing() && !s.options.KeepColors) {
    font.Color = s.baseFont.Color;
    s.canvas.BrushColor = s.fontBackground;
  }
}

void ParagraphTag(LinePass& line, std::string_view markup) {
  MarkupState& s = line.state;
  const std::string attributes = TagAttributes(markup, 2);
  if (Contains(attributes, "ALIGN")) {
    const std::string align = AttributeValue(attributes, "ALIGN");
    if (Contains(align, "RIGHT")) s.align = MarkupAlign::maRight;
    if (Contains(align, "LEFT")) s.align = MarkupAlign::maLeft;
    if (Contains(align, "CENTER")) s.align = MarkupAlign::maCenter;
  }
  if (Contains(attributes, "INDENT")) s.indent = ReadPixels(AttributeValue(attributes, "INDENT"));
  if (Contains(attributes, "BGCOLOR") && line.Drawing()) {
    const std::string value = AttributeValue(attributes, "BGCOLOR");
    const TColor color = value.empty() ? clNone : ParseMarkupColor(value);
    s.flags.paragraphBackground = true;
    s.paragraphBrush = s.canvas.BrushColor;
    s.canvas.BrushColor = color;
    s.canvas.PenColor = color;
    s.canvas.FillRect({s.bounds.left, line.R.top, s.bounds.right, line.R.bottom});
  }
}

void BodyTag(LinePass& line, std::string_view markup) {
  MarkupState& s = line.state;
  if (!line.Drawing()) return;
  const std::string attributes = TagAttributes(markup, 5);
  if (Contains(attributes, "BACKGROUND")) {
    const TMarkupPicture* picture = LookupPicture(s, AttributeValue(attributes, "BACKGROUND"));
    if (picture && !picture->Empty() && picture->Width() > 0 && picture->Height() > 0)
      TilePicture(s, *picture);
  }
  if (Contains(attributes, "BGCOLOR")) {
    const std::string value = AttributeValue(attributes, "BGCOLOR");
    if (Contains(value, "CL")) s.canvas.BrushColor = ParseMarkupColor(value);
    if (Contains(value, "#"))
      s.canvas.BrushColor = ParseMarkupColor(std::string_view(value).substr(value.find('#')));
    s.fontBackground = s.canvas.BrushColor;
    s.canvas.FillRect(s.bounds);
  }
}

void PositionTag(LinePass& line, std::string_view markup) {
  const MarkupNumber x = ReadMarkupPixels(QuotedAfterLetter(markup, 'x'));
  if (!x.complete || line.lineWidth >= x.value) return;
  line.lineWidth = x.value;
  line.C.left = line.state.bounds.left + x.value;
}

void ListItem(LinePass& line) {
  MarkupState& s = line.state;
  line.Widen(s.listLevel * kListIndent);
  if (++line.listItems == 2) {
    line.deferred = true;  // one item per line: this one starts the next
    return;
  }
  line.C.left += (s.listLevel - 1) * kListIndent;
  if (line.Drawing()) {
    MarkupFont& font = s.canvas.Font();
    const std::string name = font.Name;
    font.Name = "Symbol";
    RECT bullet = line.C;
    s.canvas.DrawTextRect(s.listLevel % 2 != 0 ? "\xB7" : "o", bullet, 0);
    font.Name = name;
  }
  line.C.left += kListIndent;
}

void RotationTag(LinePass& line, std::string_view markup) {
  const long long degrees = ReadNumber(QuotedAfterLetter(markup, 'a'));
  line.state.canvas.PushRotatedFont(static_cast<int>(degrees * 10 % 3600));
}
