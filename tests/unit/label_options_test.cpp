// Label rules without a window: option flags, link targets and accelerator matching.
#include "components/dialog/label_options.h"

#include <doctest.h>

TEST_CASE("label options become DrawText flags") {
  using O = TLabelOption;
  CHECK(LabelOptionFlags({}) == 0u);
  CHECK(LabelOptionFlags({O::loPathEllipsis}) == static_cast<UINT>(DT_PATH_ELLIPSIS));
  CHECK(LabelOptionFlags({O::loEndEllipsis, O::loEditControl}) ==
        static_cast<UINT>(DT_END_ELLIPSIS | DT_EDITCONTROL));
}

TEST_CASE("what a link click opens") {
  using J = TJumpModes;
  struct Case {
    TJumpModes mode;
    const char* jump;
    const char* caption;
    const char* target;
  };
  const Case cases[] = {
      {J::jmInternet, "http://example.org/", "me@example.org", "http://example.org/"},
      {J::jmInternet, "", "me@example.org", "mailto:me@example.org"},
      {J::jmInternet, "   ", "example.org", "example.org"},  // blank Jump: the caption
      {J::jmApplication, "", "notepad.exe", "notepad.exe"},
      {J::jmApplication, "", "me@example.org", "me@example.org"},  // mail only for internet links
      {J::jmApplication, "calc.exe", "Calculator", "calc.exe"},
      {J::jmNone, "http://example.org/", "x", ""},
      {J::jmCustom, "http://example.org/", "x", ""},
  };
  for (const Case& c : cases) {
    CAPTURE(c.caption);
    CHECK(JumpTarget(c.mode, c.jump, c.caption) == c.target);
  }
}

TEST_CASE("the accelerator is the character after a single ampersand, in either case") {
  struct Case {
    const char* caption;
    char key;
    bool match;
  };
  const Case cases[] = {
      {"&Key:", 'k', true},      {"&Key:", 'K', true}, {"Hot &Key:", 'K', true},
      {"Hot &Key:", 'H', false}, {"A&&B", 'B', false}, {"A&&B &C", 'c', true},
      {"Key&", 'K', false},      {"", 'K', false},     {"No accel", 'N', false},
  };
  for (const Case& c : cases) {
    CAPTURE(c.caption);
    CAPTURE(c.key);
    CHECK(IsAccelerator(c.key, c.caption) == c.match);
  }
  // In a double-byte code page "\x81&" is one character, not a lead byte and an ampersand.
  CHECK(IsAccelerator('X', "\x81&X") == !IsDBCSLeadByte(0x81));
}
