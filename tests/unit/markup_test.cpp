// Laying out markup in a memory DC: extents, line breaking, the plain text, what
// malformed markup turns into, and what the canvas looks like afterwards.
#include <doctest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <random>
#include <string>

#include "markup_samples.h"
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

TEST_CASE("word wrap breaks at spaces, keeps long words whole and word halves together") {
  MarkupSurface surface;
  const int line = surface.LineHeight();
  const int space = surface.Width(" ");

  SUBCASE("a word that does not fit goes to the next line") {
    const int width = 1 + surface.Width("aaa bbb ") + surface.Width("c");
    const MarkupRun run = surface.DrawIn("aaa bbb ccc", {0, 0, width, 100});
    CHECK(run.result.ExtentY == 2 * line);
    CHECK(run.result.PlainText == "aaa bbb ccc");
    CHECK(run.result.ExtentX == surface.Width("aaa ") + surface.Width("bbb ") - space);
  }
  SUBCASE("a word longer than the line is not broken, and what follows it moves on") {
    const MarkupRun run = surface.DrawIn("verylongwordhere b", {0, 0, 40, 100});
    CHECK(run.result.ExtentY == 2 * line);
    CHECK(run.result.ExtentX == surface.Width("verylongwordhere ") - space);
    CHECK(run.result.PlainText == "verylongwordhere b");
  }
  SUBCASE("a tag inside a word does not let the word's second half move on alone") {
    const RECT narrow{0, 0, 1 + surface.Width("aaaa bb") + 2, 100};
    CHECK(surface.DrawIn("aaaa bb<B>bb</B>", narrow).result.ExtentY == line);
    CHECK(surface.DrawIn("aaaa bb <B>bb</B>", narrow).result.ExtentY == 2 * line);
  }
}

TEST_CASE("without word wrap an overflowing line ends in an ellipsis and the rest is dropped") {
  MarkupSurface surface;
  MarkupOptions options;
  options.WrapWords = false;
  const RECT bounds{0, 0, 60, 100};
  const MarkupRun run = surface.DrawIn("aaaaaaaaaaaaaaaaaaaa <B>bbbb</B> cccc<BR>dddd", bounds, options);
  CHECK(run.result.ExtentY == surface.LineHeight());
  CHECK(run.result.PlainText == "aaaaaaaaaaaaaaaaaaaa bbbb");
  CHECK(surface.InkBounds().right <= bounds.right);
  // Line breaks still start new lines.
  CHECK(surface.DrawIn("a b c<BR>d", bounds, options).result.ExtentY == 2 * surface.LineHeight());
}

TEST_CASE("list items are indented by level and each starts its own line") {
  MarkupSurface surface;
  const MarkupRun run = surface.Draw("<UL><LI>one<LI>two</UL>");
  CHECK(run.result.ExtentY == 2 * surface.LineHeight());
  CHECK(run.result.PlainText == "onetwo");
  // the item that starts the next line has already widened this one by its indent
  CHECK(run.result.ExtentX == std::max(24 + surface.Width("one"), 12 + surface.Width("two")));
  // the bullet is drawn in the indent, left of the text
  CHECK(surface.Pixels().Count([](COLORREF c) { return c != RGB(255, 255, 255); }) > 0);
  const RECT bulletColumn{0, 0, 13, surface.LineHeight()};
  int bulletInk = 0;
  for (int y = bulletColumn.top; y < bulletColumn.bottom; ++y)
    for (int x = bulletColumn.left; x < bulletColumn.right; ++x)
      bulletInk += surface.Pixels().Pixel(x, y) != RGB(255, 255, 255) ? 1 : 0;
  CHECK(bulletInk > 0);
  // a second level indents by twice as much
  CHECK(surface.Draw("<UL><UL><LI>x</UL></UL>").result.ExtentX == 24 + surface.Width("x"));
}

TEST_CASE("hidden text takes no width and is not drawn, yet is tall and in the plain text") {
  MarkupSurface surface;
  const MarkupRun plain = surface.Draw("ab<Z>cd</Z>ef");
  CHECK(plain.result.ExtentX == surface.Width("ab") + surface.Width("ef"));
  CHECK(plain.result.PlainText == "abcdef");

  MarkupSurface tall;
  const MarkupRun run = tall.Draw("a<Z><FONT SIZE=\"24\">BIG</FONT></Z>");
  MarkupFont big = TestMarkupFont();
  big.Height = -32;
  CHECK(run.result.ExtentY == tall.Extent("BIG", big).cy);
  CHECK(run.result.ExtentX == tall.Width("a"));
  CHECK(tall.InkBounds().right <= 1 + tall.Width("a") + 1);
}

TEST_CASE("lines that would cross the bottom are not laid out, unless only measuring") {
  MarkupSurface surface;
  const int line = surface.LineHeight();
  const std::string five = "1<BR>2<BR>3<BR>4<BR>5";
  CHECK(surface.Measure(five, {0, 0, 100, line + line / 2}).result.ExtentY == 5 * line);
  CHECK(surface.DrawIn(five, {0, 0, 100, line + line / 2}).result.ExtentY == line);
  CHECK(surface.DrawIn(five, {0, 0, 100, 2 * line}).result.ExtentY == 2 * line);
  // the first line is always laid out
  CHECK(surface.DrawIn(five, {0, 0, 100, 1}).result.ExtentY == line);
}

TEST_CASE("subscripts and superscripts make the line taller by a quarter of their height") {
  MarkupSurface surface;
  const int quarter = surface.Extent("2").cy / 4;
  CHECK(surface.Draw("H<SUB>2</SUB>O").result.ExtentY == surface.LineHeight() + quarter);
  CHECK(surface.Draw("x<SUP>2</SUP>").result.ExtentY == surface.LineHeight() + quarter);
  CHECK(surface.Draw("x<sup>2</sup>y<SUB>3</SUB>").result.ExtentY == surface.LineHeight() + 2 * quarter);
}

TEST_CASE("paragraph alignment and indent move the drawn line") {
  MarkupSurface surface;
  surface.Draw("<P ALIGN=\"RIGHT\">right");
  CHECK(surface.InkBounds().right >= surface.Whole().right - 3);

  MarkupSurface centred;
  centred.Draw("<P ALIGN=\"CENTER\">middle");
  const RECT ink = centred.InkBounds();
  CHECK(std::abs((ink.left + ink.right) / 2 - centred.Whole().right / 2) <= 3);

  MarkupSurface indented;
  indented.Draw("<P INDENT=\"30\">text");
  CHECK(indented.InkBounds().left >= 31);

  // alignment stays for the following lines
  MarkupSurface following;
  following.Draw("<P ALIGN=\"RIGHT\"></P>a<BR>b");
  CHECK(following.InkBounds().left >= following.Whole().right - 3 - following.Width("ab"));
}

TEST_CASE("the position tag moves the rest of the line to a quoted x that reads completely") {
  MarkupSurface surface;
  CHECK(surface.Draw("<IN X=\"100\">a").result.ExtentX == 100 + surface.Width("a"));
  CHECK(surface.InkBounds().left >= 100);
  CHECK(surface.Draw("<IN X=100>a").result.ExtentX == surface.Width("a"));
  CHECK(surface.Draw("<IN X=\"10px\">a").result.ExtentX == surface.Width("a"));
  // a position left of the text already on the line changes nothing
  CHECK(surface.Draw("abcdef<IN X=\"2\">a").result.ExtentX == surface.Width("abcdef") + surface.Width("a"));
}

TEST_CASE("font sizes: 1 to 5 are steps, others points, and an unquoted size reads the next quote") {
  MarkupSurface surface;
  MarkupFont twelve = TestMarkupFont();
  twelve.Height = -16;  // 12 points at 96 pixels per inch
  CHECK(surface.Draw("<FONT SIZE=\"3\">X</FONT>").result.ExtentX == surface.Width("X", twelve));
  CHECK(surface.Draw("<FONT SIZE=\"12\">X</FONT>").result.ExtentX == surface.Width("X", twelve));
  MarkupFont zero = TestMarkupFont();
  zero.Height = 0;
  CHECK(surface.Draw("<FONT SIZE=3 COLOR=\"clred\">X</FONT>").result.ExtentX == surface.Width("X", zero));
  // the closing tag brings back the size
  CHECK(surface.Draw("<FONT SIZE=\"5\"></FONT>X").result.ExtentX == surface.Width("X"));
}

TEST_CASE("malformed markup degrades to its text") {
  MarkupSurface surface;
  for (const MalformedMarkup& c : MalformedMarkups()) {
    CAPTURE(c.markup);
    CHECK(surface.Draw(c.markup).result.PlainText == c.plain);
  }
  const MarkupRun unclosed = surface.Draw("<A HREF=\"x\">link");
  CHECK(unclosed.result.PlainText == "link");
  CHECK(unclosed.result.AnchorCount == 1);
}

TEST_CASE("random markup always finishes, and leaves the canvas as it found it") {
  const auto pieces = MarkupPieces();
  std::mt19937 random(20261210);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::uniform_int_distribution<int> length(0, 40);
  MarkupSurface surface(120, 60);
  for (int i = 0; i < 300; ++i) {
    std::string markup;
    for (int n = length(random); n > 0; --n) markup += pieces[pick(random)];
    CAPTURE(markup);
    MarkupOptions options;
    options.WrapWords = i % 2 == 0;
    options.FocusIndex = i % 3 - 1;
    options.HitX = 20;
    options.HitY = 5;
    surface.Canvas().BrushColor = clNone;
    const MarkupRun run = i % 5 == 0 ? surface.Measure(markup, {0, 0, 60, 20}, options)
                                     : surface.DrawIn(markup, {0, 0, 60, 20}, options);
    CHECK(run.result.PlainText.size() <= markup.size());
    CHECK(surface.Canvas().Font() == TestMarkupFont());
    CHECK(surface.Canvas().BrushColor == clNone);
  }
}

TEST_CASE("on return the canvas has its font and brush back, whatever the markup left open") {
  MarkupSurface surface;
  surface.Canvas().BrushColor = clWhite;
  surface.Draw(
      "<B><I><U><S><FONT FACE=\"Courier New\" SIZE=\"5\" COLOR=\"clred\" BGCOLOR=\"clyellow\">x<HI>y");
  CHECK(surface.Canvas().Font() == TestMarkupFont());
  CHECK(surface.Canvas().BrushColor == clWhite);
}

TEST_CASE("the panel's revision ends lines at list tags and stops on the line-start height") {
  MarkupSurface surface;
  const int line = surface.LineHeight();
  MarkupOptions panel;
  panel.Revision = MarkupRevision::mrPanel;
  CHECK(surface.Draw("<UL>x<LI>a</LI>b").result.ExtentY == line);
  CHECK(surface.Draw("<UL>x<LI>a</LI>b", panel).result.ExtentY == 3 * line);

  MarkupFont big = TestMarkupFont();
  big.Height = -MulDiv(30, 96, 72);
  const int tall = surface.Extent("BIG", big).cy;
  const std::string markup = "<FONT SIZE=\"30\">BIG</FONT><BR>small<BR>small";
  const RECT bounds{0, 0, 200, tall + line + 1};
  CHECK(surface.DrawIn(markup, bounds).result.ExtentY == tall);
  CHECK(surface.DrawIn(markup, bounds, panel).result.ExtentY == tall + line);
}
