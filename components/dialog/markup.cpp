// The line loop: each line is laid out once to measure it, then once more, in its
// aligned place, to draw or hit-test it, so alignment and the sub/superscript and
// picture offsets can use the finished line's metrics.
#include "components/dialog/markup.h"

#include <string_view>

#include "components/dialog/markup_state.h"
#include "components/dialog/markup_text.h"

namespace {
// What the drawing pass of a line must start from: the values the line had
// before its measuring pass ran over its tags.
struct LineStart {
  int anchorCount;
  int listLevel;
  int pictureCounter;
  bool anchorOpen;
  std::string anchorTarget;
  MarkupFlags flags;
};

LineStart RememberLineStart(const MarkupState& s) {
  return {s.result.AnchorCount, s.listLevel, s.pictureCounter, s.anchorOpen, s.anchorTarget, s.flags};
}

RECT AlignedRect(const MarkupState& s, RECT rect, int lineWidth) {
  if (s.align == MarkupAlign::maRight && rect.right - lineWidth > rect.left)
    rect.left = rect.right - lineWidth;
  if (s.align == MarkupAlign::maCenter && rect.right - rect.left - lineWidth > 0)
    rect.left += (rect.right - rect.left - lineWidth) / 2;
  rect.left += s.indent;
  rect.bottom = rect.top + s.lineHeight + s.subscriptOffset + s.superscriptOffset;
  return rect;
}

void ResetResult(MarkupResult& result) {
  // HitHref is the caller's: an anchor hit only ever sets it.
  result.PlainText.clear();
  result.FocusHref.clear();
  result.ExtentX = 0;
  result.ExtentY = 0;
  result.AnchorCount = 0;
  result.HitAnchor = -1;
  result.HitRect = {};
}
}  // namespace

bool DrawMarkup(MarkupCanvas& canvas, const std::string& markup, const RECT& bounds,
                const MarkupOptions& options, MarkupResult& result) {
  MarkupState s(canvas, options, result, bounds);
  s.baseFont = canvas.Font();
  s.entryBrush = canvas.BrushColor;
  s.highlightText = s.hoverSavedText = s.baseFont.Color;
  canvas.BrushColor = clNone;
  MarkupFont measureFont = s.baseFont;
  MarkupFont drawFont = s.baseFont;
  ResetResult(result);
  SetBkMode(canvas.Handle(), TRANSPARENT);
  s.textFlags = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING;
  if (!options.WrapWords) s.textFlags |= DT_END_ELLIPSIS;

  const std::string prepared = PrepareMarkup(markup);
  std::string_view rest = prepared;
  RECT lineRect = bounds;
  lineRect.left += 1;
  bool hit = false;
  while (!rest.empty()) {
    canvas.Font() = measureFont;
    s.lineHeight = s.GhHeight();
    const int startHeight = s.lineHeight;
    s.subscriptOffset = s.superscriptOffset = s.pictureOffset = 0;
    s.flags.subscript = s.flags.superscript = false;
    const LineStart start = RememberLineStart(s);

    LinePass measure(s, MarkupPass::mpMeasure, lineRect);
    const std::size_t before = rest.size();
    DrawMarkupLine(measure, rest);
    if (rest.size() == before) rest = {};  // a line that takes nothing would come back forever
    measureFont = canvas.Font();
    s.anchorOpen = start.anchorOpen;
    s.anchorTarget = start.anchorTarget;

    const RECT aligned = AlignedRect(s, lineRect, measure.lineWidth);
    if (!options.MeasureOnly) {
      canvas.Font() = drawFont;
      s.result.AnchorCount = start.anchorCount;
      s.listLevel = start.listLevel;
      s.pictureCounter = start.pictureCounter;
      // A flag switched on late in the line must not reach back to the text before its tag.
      s.flags = start.flags;
      LinePass draw(s, options.HitTestOnly ? MarkupPass::mpHitTest : MarkupPass::mpDraw, aligned);
      std::string_view lineText = measure.lineText;
      DrawMarkupLine(draw, lineText);
      drawFont = canvas.Font();
      const int textBottom = aligned.bottom - s.pictureOffset;
      if (draw.pictureHit ||
          (draw.textHit && options.HitY > textBottom - s.GhHeight() && options.HitY < textBottom))
        hit = true;
    }

    const int advance = s.lineHeight + s.subscriptOffset + s.superscriptOffset;
    lineRect.top += advance;
    result.ExtentY += advance;
    const int nextHeight = s.PanelRevision() ? startHeight : s.lineHeight;
    if (!options.MeasureOnly && lineRect.top + nextHeight > bounds.bottom) break;
  }

  if (result.ExtentY == 0) result.ExtentY = s.GhHeight();
  canvas.PopAllRotatedFonts();
  canvas.Font() = s.baseFont;
  canvas.BrushColor = s.entryBrush;
  return hit;
}
