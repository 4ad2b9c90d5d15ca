// Anchors in markup: hit-testing a point, the hovered anchor's rectangle, link
// and hover colours, and the focus rectangle of the focused anchor.
#include <doctest.h>

#include <string>
#include <vector>

#include "markup_surface.h"

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr TColor kRedColor = 0x0000FF;
constexpr TColor kGreenColor = 0x00FF00;

// Pixels that differ between two renderings, as the rows they lie in.
std::vector<int> DifferingRows(const PixelSurface& a, const PixelSurface& b) {
  std::vector<int> rows;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) {
        rows.push_back(y);
        break;
      }
  return rows;
}
}  // namespace

TEST_CASE("hit-testing finds the anchor under a point, its target and its rectangle") {
  MarkupSurface surface;
  const std::string markup = "go <A HREF=\"target\">link</A> end";
  const int line = surface.LineHeight();
  const int linkLeft = 1 + surface.Width("go ");
  const int linkRight = linkLeft + surface.Width("link");

  const MarkupRun on = surface.HitTest(markup, (linkLeft + linkRight) / 2, line / 2);
  CHECK(on.hit);
  CHECK(on.result.HitHref == "target");
  CHECK(on.result.HitAnchor == 1);
  CHECK(on.result.AnchorCount == 1);
  CHECK(on.result.HitRect.left == linkLeft);
  CHECK(on.result.HitRect.top == 0);
  CHECK(on.result.HitRect.right == linkRight);
  CHECK(on.result.HitRect.bottom == line);
  CHECK(surface.InkBounds().right == 0);  // hit-testing draws nothing

  struct Miss {
    std::string where;
    int x;
  };
  const Miss misses[] = {{"plain text before", 4}, {"plain text after", linkRight + 4}};
  for (const Miss& miss : misses) {
    CAPTURE(miss.where);
    const MarkupRun off = surface.HitTest(markup, miss.x, line / 2);
    CHECK_FALSE(off.hit);
    CHECK(off.result.HitHref.empty());
    CHECK(off.result.HitAnchor == -1);
  }
  // Below the text the call reports no hit, though the anchor's column was crossed.
  CHECK_FALSE(surface.HitTest(markup, (linkLeft + linkRight) / 2, line + 3).hit);
}

TEST_CASE("the hit target is only ever set, so a caller's string stays when nothing is hit") {
  MarkupSurface surface;
  MarkupOptions options;
  options.HitTestOnly = true;
  options.HitX = 2;
  options.HitY = 2;
  MarkupResult result;
  result.HitHref = "before";
  DrawMarkup(surface.Canvas(), "plain", surface.Whole(), options, result);
  CHECK(result.HitHref == "before");
}

TEST_CASE("an anchor hit on either of its lines is reported on the line where it closes") {
  MarkupSurface surface;
  const int line = surface.LineHeight();
  const int width = 1 + surface.Width("aaa bbb ") + 2;
  const std::string markup = "aaa <A HREF=\"t\">bbb ccc</A> ddd";
  for (int y : {line / 2, line + line / 2}) {
    CAPTURE(y);
    const int x = y < line ? 1 + surface.Width("aaa ") + 3 : 4;
    MarkupOptions options;
    options.HitTestOnly = true;
    options.HitX = x;
    options.HitY = y;
    const MarkupRun run = surface.DrawIn(markup, {0, 0, width, 100}, options);
    CHECK(run.hit);
    CHECK(run.result.HitHref == "t");
    CHECK(run.result.HitRect.left == 1);
    CHECK(run.result.HitRect.top == line);
    CHECK(run.result.HitRect.right == 1 + surface.Width("ccc"));
    if (y > line) CHECK(run.result.HitRect.bottom == 2 * line);
  }
}

TEST_CASE("anchors are counted as they open") {
  MarkupSurface surface;
  CHECK(surface.Draw("<A HREF=\"1\">a</A> <A>b</A> <A HREF=\"3\">c").result.AnchorCount == 3);
}

TEST_CASE("links take the link colour unless colours are kept") {
  MarkupSurface surface;
  MarkupOptions options;
  options.URLColor = kRedColor;
  surface.Draw("<B><A HREF=\"x\">LINK</A></B>", options);
  CHECK(surface.Count(kRed) > 0);

  MarkupSurface kept;
  options.KeepColors = true;
  kept.Draw("<B><A HREF=\"x\">LINK</A></B>", options);
  CHECK(kept.Count(kRed) == 0);
  CHECK(kept.InkBounds().right > 0);

  // after the anchor the text has its own colour again
  MarkupSurface after;
  options.KeepColors = false;
  after.Draw("<B><A HREF=\"x\"></A>TEXT</B>", options);
  CHECK(after.Count(kRed) == 0);
}

TEST_CASE("with hover-only underlining, only the hovered anchor gets the hover colours") {
  MarkupOptions options;
  options.UnderlineHoverOnly = true;
  options.HoverColor = kGreenColor;
  options.HoverFontColor = kRedColor;
  options.URLColor = clBlue;
  const std::string markup = "<B><A HREF=\"1\">ONE</A> <A HREF=\"2\">TWO</A></B>";

  MarkupSurface hovered;
  options.HoverIndex = 2;
  hovered.Draw(markup, options);
  const RECT green = hovered.Pixels().BoundsOf(kGreen);
  CHECK(green.left >= 1 + hovered.Width("ONE ", TestMarkupFont()));
  CHECK(hovered.Count(kRed) > 0);
  CHECK(hovered.Pixels().BoundsOf(kRed).left >= green.left);
  CHECK(hovered.Count(RGB(0, 0, 255)) > 0);  // the other anchor keeps the link colour

  MarkupSurface none;
  options.HoverIndex = -1;
  none.Draw(markup, options);
  CHECK(none.Count(kGreen) == 0);
  CHECK(none.Count(kRed) == 0);
}

TEST_CASE("the focused anchor reports its target and gets a focus rectangle on each of its lines") {
  const int width = 60;
  const std::string markup = "aa <A HREF=\"first\">x</A> <A HREF=\"focus\">bbb ccc ddd</A>";
  MarkupSurface plain;
  plain.DrawIn(markup, {0, 0, width, 100});
  MarkupSurface focused;
  MarkupOptions options;
  options.FocusIndex = 1;
  const MarkupRun run = focused.DrawIn(markup, {0, 0, width, 100}, options);
  CHECK(run.result.FocusHref == "focus");

  const int line = focused.LineHeight();
  const std::vector<int> rows = DifferingRows(plain.Pixels(), focused.Pixels());
  REQUIRE_FALSE(rows.empty());
  int lines = 0;
  for (int band = 0; band < 4; ++band) {
    bool inBand = false;
    for (int y : rows) inBand |= y >= band * line - 1 && y <= (band + 1) * line;
    lines += inBand ? 1 : 0;
  }
  CHECK(lines >= 2);
  CHECK(run.result.ExtentY >= 2 * line);

  MarkupSurface beyond;
  options.FocusIndex = 5;
  CHECK(beyond.DrawIn(markup, {0, 0, width, 100}, options).result.FocusHref.empty());
}
