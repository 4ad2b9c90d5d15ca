// The markup's text rules without a surface: preparing a caption, decoding
// segments, reading attribute values, numbers and colours, and the error zigzag.
#include "components/dialog/markup_text.h"

#include <doctest.h>

#include <string>

#include "components/dialog/markup_underline.h"
#include "components/dialog/markup_values.h"

TEST_CASE("a caption is prepared: entities until none is left, the first <#name>, line ends") {
  struct Case {
    const char* markup;
    const char* prepared;
  };
  const Case cases[] = {
      {"a&amp;b", "a&&b"},
      {"&AMP;&Quot;", "&&\""},
      // the replacement of one pass takes part in the next
      {"&amp;amp;", "&&&"},
      {"&amp;quot;", "&\""},
      {"&amp;amp;copy;", "&&\xA9"},
      {"&AmP;amp;&amp", "&&&&amp"},
      {"&sect;&permil;&reg;&copy;&para;&trade;&euro;", "\xA7\x89\xAE\xA9\xB6\x99\x80"},
      {"&copy;&copy;", "\xA9\xA9"},
      {"&nbsp;&lt;&gt;", "&nbsp;&lt;&gt;"},
      {"&unknown;", "&unknown;"},
      {"<#Main> and <#Two>", "#Main and <#Two>"},
      {"<#open", "#open"},
      {"one\r\ntwo\nthree\rfour", "one<BR>twothree<BR>four"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.markup);
    CHECK(PrepareMarkup(c.markup) == c.prepared);
  }
}

TEST_CASE("a caption of many entities is prepared in one pass over it") {
  // Replacing the first of each entity and starting again from the front took
  // minutes for a caption like this one.
  std::string markup, prepared;
  for (int i = 0; i < 20000; ++i) {
    markup += "x&amp;&quot;";
    prepared += "x&&\"";
  }
  CHECK(PrepareMarkup(markup) == prepared);
}

TEST_CASE("a segment decodes spaces and angle brackets, in any case") {
  CHECK(DecodeSegment("&nbsp;&lt;B&gt;") == " <B>");
  CHECK(DecodeSegment("&LT;&Gt;") == "<>");
  CHECK(DecodeSegment("a&&b &amp") == "a&&b &amp");
}

TEST_CASE("case folding leaves the trail bytes of double-byte characters alone") {
  CHECK(MarkupUpper("Face=\"arial\"") == "FACE=\"ARIAL\"");
  CHECK(MarkupLower("CLBTNFACE") == "clbtnface");
  if (GetACP() == 932) {
    // "ＭＳ" ends its bytes with 'l' and 'r', which must survive upper-casing.
    const std::string fullWidth = "\x82l\x82r";
    CHECK(MarkupUpper(fullWidth) == fullWidth);
  }
  CHECK(FindNoCase("xxHrEf", "href") == 2);
  CHECK(FindNoCase("abc", "abcd") == std::string::npos);
}

TEST_CASE("attribute values are the quoted text after the first occurrence of the name") {
  struct Case {
    const char* tag;
    const char* name;
    const char* value;
  };
  const Case cases[] = {
      {" FACE=\"ARIAL\" SIZE=\"3\"", "FACE", "ARIAL"},
      {" SIZE=\"3\"", "COLOR", ""},
      // an unquoted value is not seen: the next quoted one is read instead
      {" SIZE=3 COLOR=\"RED\"", "SIZE", "RED"},
      {" BGCOLOR=\"#FF0000\"", " COLOR", ""},
      {" COLOR=\"#FF0000\" BGCOLOR=\"BLUE\"", " COLOR", "#FF0000"},
      {" SRC=\"OPEN", "SRC", "OPEN"},
      {" SRC=", "SRC", ""},
  };
  for (const Case& c : cases) {
    CAPTURE(c.tag);
    CHECK(AttributeValue(c.tag, c.name) == c.value);
  }
  CHECK(TagText("<FONT SIZE=\"2\">x", 5) == " SIZE=\"2\"");
  CHECK(TagText("<B>", 5) == "");
  CHECK(TagAttributes("<p align=\"right\"", 2) == " ALIGN=\"RIGHT\"");
}

TEST_CASE("numbers are read from the start of a value") {
  struct Case {
    const char* text;
    int value;
    bool complete;
  };
  const Case cases[] = {
      {"12", 12, true},
      {"  -7", -7, true},
      {"+5", 5, true},
      {"$1F", 31, true},
      {"0x10", 16, true},
      {"0X1f", 31, true},
      {"12px", 12, false},
      {"", 0, false},
      {"px", 0, false},
      {"-", 0, false},
      {"99999999999", 0x7FFFFFFF, true},
  };
  for (const Case& c : cases) {
    CAPTURE(c.text);
    const MarkupNumber number = ReadMarkupNumber(c.text);
    CHECK(number.value == c.value);
    CHECK(number.complete == c.complete);
  }
}

TEST_CASE("colour values: #RRGGBB, colour names, and black for anything else") {
  struct Case {
    const char* value;
    TColor color;
  };
  const Case cases[] = {
      {"#FF0000", 0x0000FF},
      {"#00FF80", 0x80FF00},
      {"#123456", 0x563412},
      {"#FF0000EXTRA", 0x0000FF},
      // too short to hold six digits: nothing past the end is read
      {"#FF00", clBlack},
      {"#", clBlack},
      {"CLRED", 0x0000FF},
      {"clNavy", 0x800000},
      {"CLBTNFACE", 0x8000000F},
      {"clInfoBk", 0x80000018},
      {"red", clBlack},
      {"", clBlack},
  };
  for (const Case& c : cases) {
    CAPTURE(c.value);
    CHECK(ParseMarkupColor(c.value) == c.color);
  }
}

TEST_CASE("the error zigzag starts on an even x in the phase of x and steps by 2") {
  SUBCASE("phase from a multiple of 4") {
    const auto points = ErrorUnderlinePoints(4, 10, 20, 0, 100);
    REQUIRE(points.size() == 4);
    CHECK(points[0].x == 4);
    CHECK(points[0].y == 21);
    CHECK(points[1].x == 6);
    CHECK(points[1].y == 19);
    CHECK(points[2].y == 21);
    CHECK(points[3].x == 10);
  }
  SUBCASE("an odd left edge is made even toward zero") {
    const auto points = ErrorUnderlinePoints(7, 8, 20, 0, 100);
    REQUIRE(points.size() == 2);
    CHECK(points[0].x == 6);
    CHECK(points[0].y == 19);
    CHECK(points[1].y == 21);
  }
  SUBCASE("a run far wider than the surface makes points for the visible part only, in phase") {
    const auto points = ErrorUnderlinePoints(-2000000000, 2000000000, 20, 0, 100);
    CHECK(points.size() < 60);
    for (const POINT& p : points)
      if (p.x % 4 == 0) CHECK(p.y == 21);
  }
}
