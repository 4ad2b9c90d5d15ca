#include "components/dialog/markup_anchor.h"

#include "components/dialog/markup_values.h"

namespace {
bool Hovered(const MarkupState& s) {
  return !s.options.UnderlineHoverOnly || s.options.HoverIndex == s.result.AnchorCount;
}

bool Focused(const MarkupState& s) { return s.result.AnchorCount - 1 == s.options.FocusIndex; }

void DrawFocus(MarkupState& s, RECT rect) {
  rect.left -= 1;
  rect.right += 1;
  DrawFocusRect(s.canvas.Handle(), &rect);
}

std::string Target(std::string_view tag) {
  const std::size_t open = tag.find('"');
  if (open == std::string_view::npos) return {};
  const std::size_t close = tag.find('"', open + 1);
  if (close == std::string_view::npos) return {};
  return std::string(tag.substr(open + 1, close - open - 1));
}
}  // namespace

void OpenAnchor(LinePass& line, std::string_view markup) {
  MarkupState& s = line.state;
  const MarkupOptions& o = s.options;
  MarkupFont& font = s.canvas.Font();
  if (o.FocusIndex == s.result.AnchorCount && line.Drawing()) {
    s.focusRect.left = line.C.left;
    s.focusRect.top = line.C.top;
  }
  ++s.result.AnchorCount;
  if (Hovered(s) && line.Drawing()) {
    font.Underline = true;
    if (o.HoverColor != clNone) {
      s.hoverSavedBrush = s.canvas.BrushColor;
      s.canvas.BrushColor = o.HoverColor;
    }
    if (o.HoverFontColor != clNone) {
      s.hoverSavedText = font.Color;
      font.Color = o.HoverFontColor;
    }
  }
  const bool hoverColored =
      o.UnderlineHoverOnly && o.HoverIndex == s.result.AnchorCount && o.HoverFontColor != clNone;
  if (!o.KeepColors && !hoverColored) font.Color = o.URLColor;
  s.anchorTarget = Target(TagText(markup, 0));
  s.anchorOpen = true;
  s.anchorStart = {line.R.left + line.lineWidth, line.R.top};
}

void CloseAnchor(LinePass& line) {
  MarkupState& s = line.state;
  const MarkupOptions& o = s.options;
  MarkupFont& font = s.canvas.Font();
  if (Hovered(s) && line.Drawing()) {
    font.Underline = false;
    if (o.HoverColor != clNone) s.canvas.BrushColor = s.hoverSavedBrush;
    if (o.HoverFontColor != clNone) font.Color = s.hoverSavedText;
  }
  if (!o.KeepColors) font.Color = s.baseFont.Color;
  s.anchorOpen = false;
  if (s.hoverPending) {
    // An anchor that began on an earlier line is reported on the line where it ends.
    if (s.anchorStart.y != line.R.top) s.anchorStart = {line.R.left, line.R.top};
    s.result.HitRect = {s.anchorStart.x, s.anchorStart.y, line.R.left + line.lineWidth, line.R.bottom};
    s.result.HitAnchor = s.result.AnchorCount;
    s.hoverPending = false;
  }
  if (Focused(s)) {
    s.focusRect.right = line.C.left;
    s.focusRect.bottom = line.C.bottom - s.pictureOffset;
    s.focusRect.top = s.focusRect.bottom - s.GhHeight();
    if (line.Drawing()) DrawFocus(s, s.focusRect);
  }
}

void ContinueFocusRect(LinePass& line) {
  MarkupState& s = line.state;
  if (!s.anchorOpen || !Focused(s)) return;
  s.focusRect.right = line.C.left;
  s.focusRect.bottom = line.C.bottom;
  DrawFocus(s, s.focusRect);
  s.focusRect.left = line.R.left + 1;
  s.focusRect.top = s.focusRect.bottom;
}
