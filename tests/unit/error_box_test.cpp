#include <doctest.h>

#include "framework/application.h"

TEST_CASE("the standard error box appends a period only after bytes that sort after it") {
  struct Case {
    const char* message;
    const char* shown;
  };
  const Case cases[] = {
      {"", ""},
      {"abc", "abc."},
      {"done.", "done."},
      {"ends with space ", "ends with space "},
      {"ends with comma,", "ends with comma,"},
      {"digit 7", "digit 7."},
      {"slash/", "slash/."},
      {"\x82\xA0", "\x82\xA0."},  // a double-byte character
  };
  for (const Case& c : cases) {
    CAPTURE(c.message);
    CHECK(StandardErrorText(c.message) == c.shown);
  }
}
