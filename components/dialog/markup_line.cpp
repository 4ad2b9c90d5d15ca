// One pass over one line of markup: text segments are cut at tags and (with word
// wrap) at spaces, measured or drawn, and the tags between them handled.
#include <algorithm>

#include "components/dialog/markup_anchor.h"
#include "components/dialog/markup_state.h"
#include "components/dialog/markup_text.h"
#include "components/dialog/markup_underline.h"

namespace {
struct Segment {
  std::string_view raw;
  bool cutAtSpace = false;
};

// Looking for whichever of "<" and " " comes first, rather than for each on its
// own, keeps a caption of many tags and no spaces (or the reverse) from being
// searched to its end once per segment.
Segment CutSegment(std::string_view markup, bool wrapWords) {
  const std::size_t cut = wrapWords ? markup.find_first_of("< ") : markup.find('<');
  if (cut == std::string_view::npos) return {markup, false};
  if (markup[cut] == '<') return {markup.substr(0, cut), false};
  return {markup.substr(0, cut + 1), true};
}

void DrawSegment(LinePass& line, const std::string& text) {
  MarkupState& s = line.state;
  MarkupCanvas& canvas = s.canvas;
  RECT& C = line.C;
  if (s.flags.superscript) C.bottom -= s.superscriptOffset;
  if (s.flags.subscript) C.bottom += s.subscriptOffset;
  C.bottom -= s.pictureOffset;
  if (s.flags.shadow) {
    const TColor color = canvas.Font().Color;
    canvas.Font().Color = s.options.ShadowColor;
    RECT shadow = C;
    OffsetRect(&shadow, s.options.ShadowOffset, s.options.ShadowOffset);
    canvas.DrawTextRect(text, shadow, s.textFlags);
    canvas.Font().Color = color;
  }
  canvas.DrawTextRect(text, C, s.textFlags);
  C.right = C.left + canvas.DrawnWidth(text, C, s.textFlags);
  if (s.anchorOpen && s.result.AnchorCount - 1 == s.options.FocusIndex) s.result.FocusHref = s.anchorTarget;
  if (s.flags.errorUnderline) {
    RECT clip{};
    GetClipBox(canvas.Handle(), &clip);
    canvas.PenColor = 0x0000FF;
    canvas.PenWidth = 1;
    canvas.Polyline(ErrorUnderlinePoints(C.left, C.right, line.R.bottom, clip.left, clip.right));
  }
  C.left = C.right;
  C.right = line.R.right;
  C.top = line.R.top;
  C.bottom = line.R.bottom;
}

// The segment's width on the line, and whether the hit point lies on it inside an anchor.
int MeasureSegment(LinePass& line, const std::string& text) {
  MarkupState& s = line.state;
  const int width = s.canvas.DrawnWidth(text, line.R, s.textFlags);
  line.Widen(width);
  const int x = s.options.HitX - line.R.left;
  if (s.anchorOpen && x >= line.lineWidth - width && x <= line.lineWidth) {
    line.textHit = true;
    if (s.options.HitY > line.R.top) {
      s.result.HitHref = s.anchorTarget;
      s.hoverPending = true;
    }
  }
  return width;
}

// Lays out one text segment; returns the width of its trailing space when it
// stays on the line, and ends the line when it does not.
void PlaceSegment(LinePass& line, std::string_view& markup, Segment segment, int& trailingSpace) {
  MarkupState& s = line.state;
  const std::string text = DecodeSegment(segment.raw);
  const int height = s.canvas.TextHeight(text);
  if (s.flags.subscript) s.subscriptOffset = std::max(s.subscriptOffset, height / 4);
  if (s.flags.superscript) s.superscriptOffset = std::max(s.superscriptOffset, height / 4);
  s.lineHeight = std::max(s.lineHeight, height);
  if (s.flags.hidden) {
    if (line.Measuring()) s.result.PlainText += text;
    markup.remove_prefix(segment.raw.size());
    return;
  }

  int width = 0;
  if (line.Drawing())
    DrawSegment(line, text);
  else
    width = MeasureSegment(line, text);

  bool fits = line.lineWidth < line.RWidth() || width >= line.RWidth();
  // A segment that continues a word stays with it rather than leaving half a word behind.
  if (!fits && !line.textSoFar.empty() && line.textSoFar.back() != ' ') fits = true;
  const bool hadText = !line.textSoFar.empty();
  line.textSoFar += text;

  if (fits || !s.options.WrapWords) {
    // Only here, so a word moved on to the next line is not in the plain text twice.
    if (line.Measuring()) s.result.PlainText += text;
    line.lineText += segment.raw;
    markup.remove_prefix(segment.raw.size());
    if (!fits && !line.Drawing() && hadText) markup = {};  // cut at the ellipsis: the rest is dropped
    trailingSpace = segment.cutAtSpace ? s.canvas.TextWidth(" ") : 0;
  } else {
    line.lineEnded = true;
    line.lineWidth -= width;
  }
}
}  // namespace

void DrawMarkupLine(LinePass& line, std::string_view& markup) {
  MarkupState& s = line.state;
  line.R.bottom -= s.subscriptOffset;
  line.C = line.R;
  if (s.flags.paragraphBackground && line.Drawing()) {
    s.canvas.PenColor = s.canvas.BrushColor;
    s.canvas.FillRect({s.bounds.left, line.R.top, s.bounds.right, line.R.top + s.lineHeight});
  }

  int trailingSpace = 0;
  // Every round consumes a segment or a tag, or ends the line.
  while (!markup.empty() && !line.lineEnded && !line.deferred) {
    const Segment segment = CutSegment(markup, s.options.WrapWords);
    if (!segment.raw.empty()) PlaceSegment(line, markup, segment, trailingSpace);

    if (!markup.empty() && markup[0] == '<' && markup.size() <= 2) markup = {};
    if (line.lineEnded || markup.empty() || markup[0] != '<' || markup.size() < 3) continue;

    HandleTag(line, markup);
    if (line.deferred) continue;
    const std::size_t close = markup.find('>');
    if (close == std::string_view::npos) {
      markup = {};  // a tag without its ">" swallows the rest
    } else {
      line.lineText += markup.substr(0, close + 1);
      markup.remove_prefix(close + 1);
    }
  }

  line.lineWidth -= trailingSpace;
  s.result.ExtentX = std::max(s.result.ExtentX, line.lineWidth);
  if (line.Drawing()) ContinueFocusRect(line);
}
