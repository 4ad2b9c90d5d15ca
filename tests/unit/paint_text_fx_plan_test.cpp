// The passes of each 3D caption style, the extrusion tables and colours, the look of
// disabled captions, the depth an effect adds, and box placement.
#include <doctest.h>

#include <vector>

#include "components/paint/box_alignment.h"
#include "components/paint/text_fx.h"
#include "components/paint/text_fx_plan.h"

namespace {
constexpr COLORREF kLight = RGB(250, 250, 250), kShadow = RGB(100, 100, 100), kText = RGB(1, 2, 3);
const TextFxColors kColors{kLight, kShadow, kText};

struct Pass {
  int dx, dy;
  COLORREF color;
  bool operator==(const Pass&) const = default;
};

std::vector<Pass> Passes(const TextFxPlan& plan) {
  std::vector<Pass> passes;
  for (const TextPass& p : plan.passes) passes.push_back({p.dx, p.dy, p.color});
  return passes;
}
}  // namespace

TEST_CASE("each 3D style's passes and right-edge narrowing, with light depth 2 and shadow depth 3") {
  using T = TThreeDStyle;
  struct Case {
    TThreeDStyle style;
    int rightInset;
    std::vector<Pass> passes;
  };
  const Case cases[] = {
      {T::tdNone, 0, {{0, 0, kText}}},
      {T::tdSunken, 2, {{2, 2, kLight}, {0, 0, kText}}},
      {T::tdRaised, 2, {{0, 0, kLight}, {2, 2, kText}}},
      {T::tdSunkenShadow, 5, {{0, 0, kShadow}, {5, 5, kLight}, {3, 3, kText}}},
      {T::tdPColorSunken, 5, {{0, 0, kShadow}, {5, 5, kLight}, {3, 3, kText}}},
      {T::tdRaisedShadow, 5, {{5, 5, kShadow}, {0, 0, kLight}, {2, 2, kText}}},
      {T::tdPColorRaised, 5, {{5, 5, kShadow}, {0, 0, kLight}, {2, 2, kText}}},
      {T::tdShadow, 3, {{3, 3, kShadow}, {0, 0, kText}}},
      {T::tdOutline, 0, {{1, 1, kText}}},
  };
  for (const Case& c : cases) {
    CAPTURE(static_cast<int>(c.style));
    const TextFxPlan plan = PlanTextFx(c.style, 2, 3, TThreeDOrientation::toTopLeft, kColors);
    CHECK(plan.rightInset == c.rightInset);
    CHECK(Passes(plan) == c.passes);
    CHECK(plan.outline == (c.style == T::tdOutline));
  }
  CHECK(PlanTextFx(T::tdOutline, 2, 3, TThreeDOrientation::toTopLeft, kColors).penWidth == 3);
}

TEST_CASE("extrusion copies step one pixel at a time from each orientation's start, the text last") {
  using O = TThreeDOrientation;
  struct Case {
    TThreeDOrientation orientation;
    std::vector<Pass> passes;  // shadow depth 2
  };
  const Case cases[] = {
      {O::toBottomLeft, {{1, 2, kShadow}, {2, 1, kShadow}, {2, 1, kText}}},
      {O::toBottomRight, {{2, 2, kShadow}, {1, 1, kShadow}, {1, 1, kText}}},
      {O::toTopLeft, {{1, 1, kShadow}, {2, 2, kShadow}, {2, 2, kText}}},
      {O::toTopRight, {{2, 1, kShadow}, {1, 2, kShadow}, {1, 2, kText}}},
  };
  for (const Case& c : cases) {
    CAPTURE(static_cast<int>(c.orientation));
    const TextFxPlan plan = PlanTextFx(TThreeDStyle::tdExtrude, 5, 2, c.orientation, kColors);
    CHECK(plan.rightInset == 0);
    CHECK(Passes(plan) == c.passes);
  }
  SUBCASE("no depth: the text alone at the start") {
    CHECK(Passes(PlanTextFx(TThreeDStyle::tdExtrudeEnh, 1, 0, O::toBottomRight, kColors)) ==
          std::vector<Pass>{{1, 1, kText}});
  }
}

TEST_CASE("enhanced extrusion blends from near the light colour to the shadow colour, cut towards zero") {
  const TextFxPlan plan = PlanTextFx(TThreeDStyle::tdExtrudeEnh, 1, 3, TThreeDOrientation::toTopLeft,
                                     {RGB(0, 90, 255), RGB(200, 0, 0), kText});
  REQUIRE(plan.passes.size() == 4);
  // 200 - 2/3 * 200 = 66.67 and 2/3 * 90 = 60 and 2/3 * 255 = 170
  CHECK(plan.passes[0].color == RGB(66, 60, 170));
  CHECK(plan.passes[1].color == RGB(133, 30, 85));
  CHECK(plan.passes[2].color == RGB(200, 0, 0));
  CHECK(plan.passes[3].color == kText);
}

TEST_CASE("the colour and style of enabled and disabled captions") {
  using D = TDisabledStyle;
  using T = TThreeDStyle;
  constexpr COLORREF font = RGB(9, 9, 9), brush = RGB(7, 7, 7), gray = RGB(128, 128, 128);
  const TDrawTextStyles enabled{TDrawTextStyle::dtEnabled}, disabled{TDrawTextStyle::dtDisabled},
      disabled3D{TDrawTextStyle::dtDisabled, TDrawTextStyle::dt3DDisabled};
  struct Case {
    const char* name;
    TDrawTextStyles styles;
    TDisabledStyle disabledStyle;
    TThreeDStyle style;
    TThreeDStyle expectedStyle;
    COLORREF expectedColor;
  };
  const Case cases[] = {
      {"enabled", enabled, D::ds3d, T::tdShadow, T::tdShadow, font},
      {"enabled, colour-sunken takes the brush", enabled, D::dsAuto, T::tdPColorSunken, T::tdPColorSunken,
       brush},
      {"enabled, colour-raised takes the brush", enabled, D::dsAuto, T::tdPColorRaised, T::tdPColorRaised,
       brush},
      {"auto: grey, same effect", disabled, D::dsAuto, T::tdShadow, T::tdShadow, gray},
      {"auto asked for 3D: grey and sunken", disabled3D, D::dsAuto, T::tdShadow, T::tdSunken, gray},
      {"standard: grey, same effect", disabled3D, D::dsStandard, T::tdRaised, T::tdRaised, gray},
      {"3d: grey and sunken", disabled, D::ds3d, T::tdNone, T::tdSunken, gray},
      {"none: normal colours", disabled, D::dsNone, T::tdShadow, T::tdShadow, font},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    const TextFxLook look = ResolveTextFxLook(c.styles, c.disabledStyle, c.style, font, brush, gray);
    CHECK(look.style == c.expectedStyle);
    CHECK(look.color == c.expectedColor);
  }
}

TEST_CASE("the depth each effect adds to a measured caption") {
  using T = TThreeDStyle;
  const std::pair<TThreeDStyle, int> cases[] = {
      {T::tdNone, 0},         {T::tdSunken, 4},       {T::tdRaised, 4},       {T::tdSunkenShadow, 5},
      {T::tdRaisedShadow, 5}, {T::tdPColorSunken, 5}, {T::tdPColorRaised, 5}, {T::tdShadow, 1},
      {T::tdOutline, 1},      {T::tdExtrude, 1},      {T::tdExtrudeEnh, 1},
  };
  for (auto [style, depth] : cases) {
    CAPTURE(static_cast<int>(style));
    CHECK(EffectDepth(style, 4, 1) == depth);
  }
}

TEST_CASE("alignments as DrawText flags and as placed boxes") {
  using A = TBoxAlignment;
  struct Case {
    TBoxAlignment alignment;
    UINT flags;
    RECT placed;  // a 10 x 4 box in {0, 0, 30, 20}
  };
  const Case cases[] = {
      {A::agTopLeft, 0, {0, 0, 10, 4}},
      {A::agTopCenter, DT_CENTER, {10, 0, 20, 4}},
      {A::agTopRight, DT_RIGHT, {20, 0, 30, 4}},
      {A::agCenterLeft, DT_VCENTER, {0, 8, 10, 12}},
      {A::agCenter, DT_VCENTER | DT_CENTER, {10, 8, 20, 12}},
      {A::agCenterRight, DT_VCENTER | DT_RIGHT, {20, 8, 30, 12}},
      {A::agBottomLeft, DT_BOTTOM, {0, 16, 10, 20}},
      {A::agBottomCenter, DT_BOTTOM | DT_CENTER, {10, 16, 20, 20}},
      {A::agBottomRight, DT_BOTTOM | DT_RIGHT, {20, 16, 30, 20}},
  };
  for (const Case& c : cases) {
    CAPTURE(static_cast<int>(c.alignment));
    CHECK(AlignmentFlags(c.alignment) == c.flags);
    const RECT placed = PlaceBox({0, 0, 30, 20}, 10, 4, c.alignment);
    CHECK(EqualRect(&placed, &c.placed));
  }
}

TEST_CASE("a turned text's bounding box and origin") {
  struct Case {
    int angle;
    SIZE size;
    POINT origin;
  };
  const Case cases[] = {
      {0, {40, 10}, {0, 0}},
      {90, {10, 40}, {0, 40}},  // reads upwards: starts at the bottom left
      {180, {40, 10}, {40, 10}},
      {270, {10, 40}, {10, 0}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.angle);
    const TurnedBox box = TurnBox(40, 10, c.angle);
    CHECK(box.size.cx == c.size.cx);
    CHECK(box.size.cy == c.size.cy);
    CHECK(box.origin.x == c.origin.x);
    CHECK(box.origin.y == c.origin.y);
  }
}
