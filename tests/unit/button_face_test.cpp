// The flat button's pure rules: the theme state drawn for each button state, which
// style changes show under the pointer, and the accelerator a caption marks.
#include "components/buttonpanel/button_face.h"

#include <doctest.h>

#include "components/paint/accel_char.h"

TEST_CASE("the themed push button's state: later rules win over earlier ones") {
  using S = TButtonState;
  struct Case {
    S state;
    bool hot;
    UINT flags;
    int themeState;
  };
  const Case cases[] = {
      {S::bsUp, false, kFaceBase, 1},
      {S::bsUp, false, kFaceBase | kFaceDefaulted, 5},
      {S::bsMouseOver, false, kFaceBase, 2},
      {S::bsUp, true, kFaceBase | kFaceDefaulted, 2},  // hot wins over defaulted
      {S::bsDown, false, kFaceBase, 3},
      {S::bsDown, true, kFaceBase, 3},  // pressed wins over hot
      {S::bsOptionSet, false, kFaceBase, 3},
      {S::bsDropDownOpen, false, kFaceBase, 3},
      {S::bsDisabledUp, false, kFaceBase, 4},
      {S::bsDisabledDown, true, kFaceBase, 4},  // disabled wins over pressed
  };
  for (const Case& c : cases) {
    CAPTURE(static_cast<int>(c.state));
    CAPTURE(c.hot);
    CHECK(ThemedButtonState(c.state, c.hot, c.flags) == c.themeState);
  }
}

TEST_CASE("styles that look alike at rest and hot skip that repaint unless themed") {
  using U = TUserButtonStyle;
  struct Case {
    U style;
    bool classic, themed;
  };
  const Case cases[] = {
      {U::ubsWin40, false, true}, {U::ubsWin40Ext, true, true}, {U::ubsWin31, false, true},
      {U::ubsFlat, true, true},   {U::ubsCombo, false, true},
  };
  for (const Case& c : cases) {
    CAPTURE(static_cast<int>(c.style));
    CHECK(RepaintsOnHot(c.style, false) == c.classic);
    CHECK(RepaintsOnHot(c.style, true) == c.themed);
  }
  CHECK(GetButtonBevel(U::ubsWin40) == 2);
  CHECK(GetButtonBevel(U::ubsWin40Ext) == 2);
}

TEST_CASE("a caption's accelerator is the character after its first single ampersand") {
  struct Case {
    const char* caption;
    char accel;
  };
  const Case cases[] = {
      {"A&B", 'B'}, {"&Quit", 'Q'}, {"AB", 0},  {"A&&B", 0},   {"A&&&B", 'B'},
      {"&&&", 0},   {"&", 0},       {"AB&", 0}, {"&a&b", 'a'}, {"", 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.caption);
    CHECK(AccelCharOf(c.caption) == c.accel);
  }
  CHECK(MatchesAccelChar('q', "&Quit"));
  CHECK(MatchesAccelChar('Q', "&quit"));
  CHECK_FALSE(MatchesAccelChar('u', "&Quit"));
  CHECK_FALSE(MatchesAccelChar('&', "A&&B"));
}
