// What markup paints: text and background colours, shadows, the error zigzag,
// highlight, rules and backgrounds, blinking and turned text, read back from
// a memory DC.
#include <doctest.h>

#include <string>

#include "markup_surface.h"

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

int CountIn(const PixelSurface& pixels, const RECT& area, COLORREF color) {
  int n = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) n += pixels.Pixel(x, y) == color ? 1 : 0;
  return n;
}
}  // namespace

TEST_CASE("text colours from colour values, and black for one that is too short") {
  struct Case {
    const char* markup;
    bool red;
  };
  const Case cases[] = {
      {"<B><FONT COLOR=\"#FF0000\">XXXX</FONT></B>", true},
      {"<B><FONT COLOR=\"clRed\">XXXX</FONT></B>", true},
      {"<B><FONT FACE=\"Tahoma\" COLOR=\"#FF0000\">XXXX</FONT></B>", true},
      // too short: black instead of whatever follows the value
      {"<B><FONT COLOR=\"#FF00\">XXXX</FONT></B>", false},
      {"<B><FONT COLOR=\"#F\">XXXX</FONT></B>", false},
      {"<B><FONT COLOR=\"nonsense\">XXXX</FONT></B>", false},
  };
  for (const Case& c : cases) {
    CAPTURE(std::string(c.markup));
    MarkupSurface surface;
    surface.Draw(c.markup);
    CHECK((surface.Count(kRed) > 0) == c.red);
    CHECK(surface.InkBounds().right > 0);
  }
  MarkupSurface kept;
  MarkupOptions options;
  options.KeepColors = true;
  kept.Draw("<B><FONT COLOR=\"#FF0000\">XXXX</FONT></B>", options);
  CHECK(kept.Count(kRed) == 0);
  CHECK(kept.Count(kBlack) > 0);
}

TEST_CASE("a font background fills the text cells and ends with the font tag") {
  MarkupSurface surface;
  surface.Draw("<FONT BGCOLOR=\"clYellow\">ab</FONT>cd");
  const RECT yellow = surface.Pixels().BoundsOf(kYellow);
  CHECK(yellow.left == 1);
  CHECK(yellow.right == 1 + surface.Width("ab"));
  CHECK(yellow.bottom == surface.LineHeight());
}

TEST_CASE("shadowed text is drawn again, offset, in the shadow colour") {
  MarkupSurface surface;
  MarkupOptions options;
  options.ShadowColor = 0x0000FF;
  options.ShadowOffset = 3;
  surface.Draw("<B><SHADOW>XX</SHADOW></B>", options);
  const RECT shadow = surface.Pixels().BoundsOf(kRed);
  const RECT text = surface.Pixels().BoundsOf(kBlack);
  CHECK(shadow.right - text.right == 3);
  CHECK(shadow.bottom - text.bottom == 3);

  MarkupSurface plain;
  plain.Draw("<B><SHADOW></SHADOW>XX</B>", options);
  CHECK(plain.Count(kRed) == 0);

  // A shadow switched on late in a line and left open does not reach back to the
  // text before its tag.
  MarkupSurface late;
  late.Draw("<B>XX <SHADOW>YY</B>", options);
  CHECK(late.Pixels().BoundsOf(kRed).left >= 1 + late.Width("XX ", TestMarkupFont()));
}

TEST_CASE("the error tag draws a red zigzag under its text only") {
  MarkupSurface surface;
  surface.Draw("ok <E>wrong</E> ok");
  const RECT zigzag = surface.Pixels().BoundsOf(kRed);
  const int left = 1 + surface.Width("ok ");
  CHECK(zigzag.left >= left - 1);
  CHECK(zigzag.right <= left + surface.Width("wrong") + 3);
  CHECK(zigzag.top >= surface.LineHeight() - 2);
  CHECK(zigzag.bottom <= surface.LineHeight() + 2);
}

TEST_CASE("highlighted text is drawn in the highlight colours") {
  MarkupSurface surface;
  surface.Draw("a<HI>highlight</HI>b");
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const RECT area = surface.Pixels().BoundsOf(highlight);
  CHECK(area.left == 1 + surface.Width("a"));
  CHECK(area.right == 1 + surface.Width("a") + surface.Width("highlight"));
}

TEST_CASE("a rule is a black line across the line rectangle under the line") {
  MarkupSurface surface;
  surface.Draw("a<HR>b");
  const int y = surface.LineHeight() + 1;
  CHECK(CountIn(surface.Pixels(), {1, y, surface.Whole().right - 1, y + 1}, kBlack) ==
        surface.Whole().right - 2);
}

TEST_CASE("backgrounds: a paragraph's band across the bounds, a page's whole bounds") {
  MarkupSurface paragraph;
  paragraph.DrawIn("<P BGCOLOR=\"clYellow\">x</P>y", {0, 0, 200, 100});
  const RECT band = paragraph.Pixels().BoundsOf(kYellow);
  CHECK(band.left == 0);
  CHECK(band.right == 200);
  CHECK(band.top == 0);
  CHECK(band.bottom == paragraph.LineHeight());

  for (const char* color : {"clYellow", "#FFFF00"}) {
    CAPTURE(std::string(color));
    MarkupSurface page;
    page.DrawIn("<BODY BGCOLOR=\"" + std::string(color) + "\">x", {0, 0, 200, 100});
    const RECT all = page.Pixels().BoundsOf(kYellow);
    CHECK(all.left == 0);
    CHECK(all.top == 0);
    CHECK(all.right == 200);
    CHECK(all.bottom == 100);
    CHECK(page.Pixels().Pixel(220, 110) == kWhite);
  }
}

TEST_CASE("blinking text vanishes into the background while hidden") {
  MarkupSurface shown;
  shown.Draw("<BLINK>blink</BLINK>");
  CHECK(shown.InkBounds().right > 0);

  MarkupSurface hidden;
  MarkupOptions options;
  options.BlinkShown = false;
  const MarkupRun run = hidden.Draw("<BLINK>blink</BLINK>", options);
  CHECK(hidden.InkBounds().right == 0);
  CHECK(run.result.ExtentX == hidden.Width("blink"));
}

TEST_CASE("turned text, and no turned font left behind when its tag is not closed") {
  MarkupSurface flat;
  flat.Draw("HELLO WORLD");
  const RECT flatInk = flat.InkBounds();
  REQUIRE(flatInk.right > 0);

  MarkupSurface turned;
  turned.Draw("<ROT A=\"45\">HELLO WORLD</ROT>");
  const RECT turnedInk = turned.InkBounds();
  CHECK_FALSE(EqualRect(&turnedInk, &flatInk));

  MarkupSurface after;
  after.Draw("<ROT A=\"45\">HELLO</ROT><BR>HELLO WORLD");
  CHECK(after.InkBounds().right >= flatInk.right);

  // Text the caller draws after an unclosed rotation lies flat again.
  for (const char* markup : {"<ROT A=\"90\">x", "<ROT A=\"90\"><ROT A=\"45\">x</ROT>"}) {
    CAPTURE(std::string(markup));
    MarkupSurface open;
    open.Draw(markup);
    MarkupSurface clean;
    RECT area{0, 60, 240, 120};
    RECT same = area;
    open.Canvas().DrawTextRect("HELLO WORLD", area, DT_SINGLELINE | DT_TOP);
    clean.Canvas().DrawTextRect("HELLO WORLD", same, DT_SINGLELINE | DT_TOP);
    const RECT openInk = open.Pixels().Bounds([](COLORREF c) { return c != RGB(255, 255, 255); });
    RECT lower{};
    const RECT below{0, 60, 240, 120};
    IntersectRect(&lower, &openInk, &below);
    CHECK(lower.right - lower.left == clean.InkBounds().right - clean.InkBounds().left);
  }
}

TEST_CASE("measuring and hit-testing draw nothing") {
  const std::string markup = "<BODY BGCOLOR=\"clYellow\"><P BGCOLOR=\"clRed\"><HI>x</HI><HR><E>y</E>";
  MarkupSurface measured;
  measured.Measure(markup, measured.Whole());
  CHECK(measured.InkBounds().right == 0);
  MarkupSurface tested;
  tested.HitTest(markup, 3, 3);
  CHECK(tested.InkBounds().right == 0);
}

TEST_CASE("the blanks between words carry their underline, strike-out and background") {
  // Each word is drawn on its own; a blank that draws no glyph still has its part
  // of the line under it and of the filled cell behind it.
  MarkupSurface surface;
  surface.Draw("<U>ab    cd</U>");
  const int gapLeft = 1 + surface.Width("ab") + 1;
  const int gapRight = 1 + surface.Width("ab    ") - 1;
  const RECT gap{gapLeft, 0, gapRight, surface.LineHeight()};
  CHECK(CountIn(surface.Pixels(), gap, kBlack) >= gapRight - gapLeft);

  MarkupSurface struck;
  struck.Draw("<S>ab    cd</S>");
  CHECK(CountIn(struck.Pixels(), gap, kBlack) >= gapRight - gapLeft);

  MarkupSurface filled;
  filled.Draw("<FONT BGCOLOR=\"clYellow\">ab    cd</FONT>");
  CHECK(CountIn(filled.Pixels(), gap, kYellow) == (gapRight - gapLeft) * filled.LineHeight());

  MarkupSurface plain;
  plain.Draw("ab    cd");
  CHECK(CountIn(plain.Pixels(), gap, kWhite) == (gapRight - gapLeft) * plain.LineHeight());
}
