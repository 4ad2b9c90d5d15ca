// The HTML label's text rules without a window: plain text from markup, and words
// of the shown text wrapped in a marking tag and freed from it.
#include "components/dialog/markup_label_text.h"

#include <doctest.h>

#include <string>

TEST_CASE("plain text turns line breaks and rules into CR LF and drops every other tag") {
  struct Case {
    const char* markup;
    const char* plain;
  };
  const Case cases[] = {
      {"", ""},
      {"plain", "plain"},
      {"a<BR>b<br>c<Br/>d", "a\r\nb\r\nc\r\nd"},
      {"<hr>rule<HR width=\"50\">", "\r\nrule\r\n"},
      {"<b>bold</b> <font color=\"clRed\">red</font>", "bold red"},
      {"<a href=\"http://www.example.com/\">site</a>", "site"},
      // A tag only named like a break is no break.
      {"a<BRA>b<hra>c", "abc"},
      // A "<" with no ">" after it starts no tag: it and the rest stay as written.
      {"1 < 2", "1 < 2"},
      {"<b>x</b> 1 < 2", "x 1 < 2"},
      {"a <", "a <"},
      // Closed by a later ">": whatever lies between is a tag.
      {"a < b > c", "a  c"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.markup);
    CHECK(MarkupPlainText(c.markup) == c.plain);
  }
}

TEST_CASE("wrapping marks every occurrence in the shown text, by case as asked") {
  struct Case {
    const char* markup;
    const char* text;
    bool caseSensitive;
    const char* wrapped;
  };
  const Case cases[] = {
      {"one two one", "one", true, "<hi>one</hi> two <hi>one</hi>"},
      {"One two ONE", "one", true, "One two ONE"},
      {"One two ONE", "one", false, "<hi>One</hi> two <hi>ONE</hi>"},
      {"aaa", "aa", true, "<hi>aa</hi>a"},  // occurrences do not overlap
      {"abab", "ab", true, "<hi>ab</hi><hi>ab</hi>"},
      // Tag text is not shown text: neither names nor attribute values match.
      {"<b>b</b> <a href=\"b\">x</a>", "b", true, "<b><hi>b</hi></b> <a href=\"b\">x</a>"},
      {"no match", "zz", false, "no match"},
      {"empty", "", false, "empty"},
      // An unclosed "<" is shown text.
      {"1 < 2", "< 2", true, "1 <hi>< 2</hi>"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.markup);
    CAPTURE(c.text);
    CHECK(WrapShownText(c.markup, c.text, "hi", c.caseSensitive) == c.wrapped);
  }
}

TEST_CASE("removing a tag takes out its opening and closing forms in any case, and nothing else") {
  CHECK(RemoveTag("<hi>a</hi> <HI>b</Hi> <hint>c</hint> <e>d</e>", "hi") == "a b <hint>c</hint> <e>d</e>");
  CHECK(RemoveTag("<E>x</e> <em>y</em>", "e") == "x <em>y</em>");
  CHECK(RemoveTag("a < b", "hi") == "a < b");
}
