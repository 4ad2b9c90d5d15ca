// The room a bevel takes on each side of a control.
#include <doctest.h>

#include "components/paint/bevel.h"

TEST_CASE("bevel extent by mode and styles") {
  using S = TBevelStyle;
  struct Case {
    const char* name;
    TBevelSettings settings;
    int extent;
  };
  auto custom = [](S inner, S outer, int widthInner, int widthOuter, int border, int innerSpace) {
    TBevelSettings s;
    s.StyleInner = inner, s.StyleOuter = outer, s.WidthInner = widthInner, s.WidthOuter = widthOuter;
    s.BorderWidth = border, s.BorderInnerWidth = innerSpace;
    return s;
  };
  auto mode = [](TBevelMode m, TLineStyle line, TBorderSides sides, int innerSpace) {
    TBevelSettings s;
    s.Mode = m, s.StandardStyle = line, s.BorderSides = sides, s.BorderInnerWidth = innerSpace;
    return s;
  };
  const TBorderSides all{TBorderSide::bsLeft, TBorderSide::bsTop, TBorderSide::bsRight,
                         TBorderSide::bsBottom};
  const Case cases[] = {
      {"defaults", TBevelSettings{}, 0},
      {"no styles, widths 0", custom(S::bvNone, S::bvNone, 0, 0, 0, 0), 0},
      {"no styles: only border and inner space", custom(S::bvNone, S::bvNone, 3, 3, 2, 1), 3},
      {"lowered outer", custom(S::bvNone, S::bvLowered, 1, 2, 0, 0), 2},
      {"both styles", custom(S::bvRaised, S::bvLowered, 1, 2, 1, 1), 5},
      {"frames add a pixel each", custom(S::bvFrameRaised, S::bvFrameLowered, 1, 1, 0, 0), 4},
      {"inner shadow: its width and inner space only", custom(S::bvShadow, S::bvRaised, 4, 2, 3, 1), 5},
      {"standard none", mode(TBevelMode::bmStandard, TLineStyle::lsNone, all, 0), 0},
      {"standard single lowered", mode(TBevelMode::bmStandard, TLineStyle::lsSingleLowered, all, 2), 3},
      {"standard double", mode(TBevelMode::bmStandard, TLineStyle::lsDoubleRaised, all, 0), 2},
      {"edge with sides", mode(TBevelMode::bmEdge, TLineStyle::lsNone, {TBorderSide::bsTop}, 1), 3},
      {"edge without sides", mode(TBevelMode::bmEdge, TLineStyle::lsNone, {}, 1), 1},
      {"windows", mode(TBevelMode::bmWindows, TLineStyle::lsDouble, all, 4), 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    CHECK(BevelExtent(c.settings) == c.extent);
  }
}

TEST_CASE("the bevel keeps its extent current and reports real changes only") {
  TBevel bevel;
  int changes = 0;
  bevel.OnChange = [&] { ++changes; };
  TBevelSettings s = bevel.Settings();
  s.StyleOuter = TBevelStyle::bvRaised;
  s.WidthOuter = 3;
  bevel.SetSettings(s);
  CHECK(bevel.GetBevelExtend() == 3);
  CHECK(changes == 1);
  bevel.SetSettings(s);
  CHECK(changes == 1);
  bevel.SetMode(TBevelMode::bmWindows);
  CHECK(bevel.GetBevelExtend() == 0);
  CHECK(changes == 2);
}
