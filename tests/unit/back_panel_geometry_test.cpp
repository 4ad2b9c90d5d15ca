// The background panel's placement and colour rules, without windows.
#include "components/dialog/back_panel_geometry.h"

#include <doctest.h>

#include <set>

namespace {
constexpr SIZE kPanel{318, 209};
constexpr RECT kWhole{0, 0, 318, 209};
}  // namespace

TEST_CASE("every placed background position, with the bevel width kept off the far edges") {
  struct Case {
    TBackGroundPosition position;
    RECT area;
    SIZE picture;
    POINT expected;
  };
  const RECT belowCaption{0, 18, 318, 209};
  const Case cases[] = {
      {TBackGroundPosition::bpTopLeft, kWhole, {103, 20}, {0, 0}},
      {TBackGroundPosition::bpTopLeft, belowCaption, {103, 20}, {0, 18}},
      {TBackGroundPosition::bpTopRight, kWhole, {103, 20}, {318 - 103 - 2, 0}},
      {TBackGroundPosition::bpBottomLeft, kWhole, {103, 20}, {0, 209 - 20 - 2}},
      {TBackGroundPosition::bpBottomRight, kWhole, {103, 20}, {213, 187}},
      {TBackGroundPosition::bpCenter, kWhole, {103, 20}, {213 / 2, 187 / 2}},
      // Wider or taller than the panel: held at the area's left or top edge.
      {TBackGroundPosition::bpTopRight, kWhole, {500, 20}, {0, 0}},
      {TBackGroundPosition::bpBottomLeft, belowCaption, {103, 400}, {0, 18}},
      {TBackGroundPosition::bpBottomRight, kWhole, {500, 400}, {0, 0}},
  };
  for (const Case& c : cases) {
    CAPTURE(static_cast<int>(c.position));
    CAPTURE(c.picture.cx);
    const POINT at = BackgroundOrigin(c.position, c.area, kPanel, c.picture, 2);
    CHECK(at.x == c.expected.x);
    CHECK(at.y == c.expected.y);
  }
}

TEST_CASE("tiles start at the area's corner and run to the panel's edges, the last ones cut") {
  const auto tiles = TileOrigins(kWhole, kPanel, {103, 20});
  std::set<LONG> columns, rows;
  for (const POINT& at : tiles) columns.insert(at.x), rows.insert(at.y);
  CHECK(columns == std::set<LONG>{0, 103, 206, 309});
  CHECK(rows.size() == 11);
  CHECK(*rows.begin() == 0);
  CHECK(*rows.rbegin() == 200);
  CHECK(tiles.size() == 44);
}

TEST_CASE(
    "a picture under one pixel either way, or of negative size, gives no tiles instead of an endless loop") {
  for (SIZE picture : {SIZE{0, 20}, SIZE{103, 0}, SIZE{0, 0}, SIZE{-5, 20}, SIZE{103, -1}}) {
    CAPTURE(picture.cx);
    CAPTURE(picture.cy);
    CHECK(TileOrigins(kWhole, kPanel, picture).empty());
  }
  CHECK(TileOrigins(kWhole, kPanel, {1, 1}).size() == 318u * 209u);
}

TEST_CASE(
    "the gradient has 64 bands, each colour a rounded 64th of the way, each band overlapping the next") {
  const RECT rect{0, 10, 40, 138};  // 128 high: bands start every 2 pixels and are 3 high
  const auto bands = PanelGradientBands(RGB(0, 100, 255), RGB(252, 100, 0), rect);
  REQUIRE(bands.size() == 64);
  for (int i = 0; i < 64; ++i) {
    CAPTURE(i);
    const auto& band = bands[static_cast<std::size_t>(i)];
    CHECK(band.rect.top == 10 + 2 * i);
    CHECK(band.rect.bottom == std::min(10 + 2 * i + 3, 138));
    CHECK(band.rect.left == 0);
    CHECK(band.rect.right == 40);
    CHECK(GetRValue(band.color) == MulDiv(i, 252, 64));
    CHECK(GetGValue(band.color) == 100);
    CHECK(GetBValue(band.color) == 255 - MulDiv(i, 255, 64));
  }
  CHECK(bands.front().color == RGB(0, 100, 255));
}

TEST_CASE("a gradient lower than 64 pixels still stays inside its rectangle") {
  const RECT rect{0, 0, 10, 10};
  for (const auto& band : PanelGradientBands(RGB(0, 0, 0), RGB(255, 255, 255), rect)) {
    CHECK(band.rect.top >= 0);
    CHECK(band.rect.bottom <= 10);
    CHECK(band.rect.bottom - band.rect.top <= 1);
  }
}

TEST_CASE("border shadow blends take the percentage of the border colour and round") {
  struct Case {
    COLORREF color, base;
    int percent;
    COLORREF expected;
  };
  const Case cases[] = {
      {RGB(0, 0, 0), RGB(255, 255, 255), 50, RGB(128, 128, 128)},
      {RGB(0, 0, 0), RGB(255, 255, 255), 20, RGB(204, 204, 204)},
      {RGB(255, 0, 10), RGB(212, 208, 200), 50, RGB(234, 104, 105)},
      {RGB(255, 0, 10), RGB(212, 208, 200), 20, RGB(221, 166, 162)},
  };
  for (const Case& c : cases) {
    CAPTURE(c.percent);
    CHECK(BlendColor(c.color, c.base, c.percent) == c.expected);
  }
}
