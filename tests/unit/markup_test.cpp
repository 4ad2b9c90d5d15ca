// Laying out markup in a memory DC: extents, line breaking, the plain text, what
// malformed markup turns into, and what the canvas looks like afterwards.
#include <doctest.h>

#include <random>
#include <string>

#include "markup_surface.h"

namespace {
MarkupFont Bold() {
  MarkupFont font = TestMarkupFont();
  font.Bold = true;
  return font;
}
}  // namespace

TEST_CASE("empty markup draws nothing and is one line of the font high") {
  MarkupSurface surface;
  const MarkupRun run = surface.Draw("");
  CHECK_FALSE(run.hit);
  CHECK(run.result.ExtentX == 0);
  CHECK(run.result.ExtentY == surface.LineHeight());
  CHECK(run.result.AnchorCount == 0);
  CHECK(run.result.HitAnchor == -1);
  CHECK(surface.InkBounds().right == 0);
}

TEST_CASE("a single line: its width without a trailing space, its text without tags") {
  MarkupSurface surface;
  const MarkupRun run = surface.Draw("Hello <B>world</B> ");
  CHECK(run.result.PlainText == "Hello world ");
  CHECK(run.result.ExtentX == surface.Width("Hello ") + surface.Width("world", Bold()));
  CHECK(run.result.ExtentY == surface.LineHeight());
  const RECT ink = surface.InkBounds();
  CHECK(ink.left >= 1);  // the text starts one pixel in
  CHECK(ink.right <= 1 + run.result.ExtentX + 1);
}

TEST_CASE("entities: an ampersand is drawn once, a bare one underlines, escaped brackets are text") {
  MarkupSurface surface;
  CHECK(surface.Draw("a&amp;b").result.ExtentX == surface.Width("a&b"));
  // "&b" is the text drawing call's mnemonic: b underlined, no ampersand drawn
  CHECK(surface.Draw("a&b").result.ExtentX == surface.Width("ab"));
  const MarkupRun escaped = surface.Draw("&lt;B&gt;x");
  CHECK(escaped.result.PlainText == "<B>x");
  CHECK(escaped.result.ExtentX == surface.Width("<B>x"));
  CHECK(surface.Draw("<#Tag> x").result.PlainText == "#Tag x");
}

TEST_CASE("line breaks end lines and show as carriage returns in the plain text") {
  MarkupSurface surface;
  const int line = surface.LineHeight();
  CHECK(surface.Draw("a<BR>b").result.PlainText == "a\rb");
  CHECK(surface.Draw("a<BR>b").result.ExtentY == 2 * line);
  CHECK(surface.Draw("a\r\nb\r\nc").result.ExtentY == 3 * line);
  CHECK(surface.Draw("a<HR>b").result.ExtentY == 2 * line);
  CHECK(surface.Draw("a<P>b</P>c").result.ExtentY == 2 * line);
}
