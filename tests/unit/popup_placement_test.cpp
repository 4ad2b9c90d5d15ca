// Where the quick-select popup opens, worked out from the pointer, the popup's size
// and the rectangle of the monitor under the pointer: on the primary screen alone,
// and on second monitors beside and above it, which lie at negative coordinates
// when they are left of or above the primary one.
#include "app/popup_placement.h"

#include <doctest.h>

namespace {
constexpr int kWidth = 109;     // the popup's width
constexpr int kThreeRows = 60;  // three entries of 20 pixels

const RECT kPrimary{0, 0, 1024, 768};
const RECT kRightOfPrimary{1024, 0, 2048, 768};
const RECT kRightOfPrimaryLower{1024, 200, 2304, 1224};
const RECT kLeftOfPrimary{-1280, 0, 0, 1024};
const RECT kAbovePrimary{0, -768, 1024, 0};
const RECT kAboveLeft{-1024, -768, 0, 0};
}  // namespace

TEST_CASE("the popup opens above the pointer, inside the monitor the pointer is on") {
  struct Case {
    const char* name;
    RECT monitor;
    POINT pointer;
    int height;
    POINT expected;
  };
  const Case cases[] = {
      // One screen 1024 wide.
      {"room everywhere: left edge at the pointer, 10 above it",
       kPrimary,
       {500, 400},
       kThreeRows,
       {500, 330}},
      {"near the right edge: pushed left, 10 clear of it", kPrimary, {1000, 500}, kThreeRows, {905, 430}},
      {"no room above: at the top", kPrimary, {10, 30}, kThreeRows, {10, 0}},
      {"exactly fits at the right edge", kPrimary, {915, 300}, kThreeRows, {915, 230}},
      {"one pixel too far right", kPrimary, {916, 300}, kThreeRows, {905, 230}},
      {"just room above", kPrimary, {300, 70}, kThreeRows, {300, 0}},
      {"one row, pointer in the top corner", kPrimary, {1023, 0}, 20, {905, 0}},
      {"ten rows", kPrimary, {200, 600}, 200, {200, 390}},
      // A second monitor right of the primary: the popup stays beside the pointer there.
      {"right monitor: beside the pointer", kRightOfPrimary, {1500, 400}, kThreeRows, {1500, 330}},
      {"right monitor: pushed off its right edge", kRightOfPrimary, {2040, 500}, kThreeRows, {1929, 430}},
      {"right monitor: fits exactly at its edge", kRightOfPrimary, {1939, 500}, kThreeRows, {1939, 430}},
      {"right monitor set lower: held at its own top",
       kRightOfPrimaryLower,
       {1100, 230},
       kThreeRows,
       {1100, 200}},
      // Left of the primary: negative x.
      {"left monitor: beside the pointer", kLeftOfPrimary, {-600, 500}, kThreeRows, {-600, 430}},
      {"left monitor: pushed off its right edge at x 0", kLeftOfPrimary, {-20, 500}, kThreeRows, {-119, 430}},
      {"left monitor: at its top", kLeftOfPrimary, {-1270, 30}, kThreeRows, {-1270, 0}},
      // Above the primary: negative y.
      {"upper monitor: above the pointer", kAbovePrimary, {500, -100}, kThreeRows, {500, -170}},
      {"upper monitor: held at its top, not at 0", kAbovePrimary, {500, -700}, kThreeRows, {500, -768}},
      {"upper monitor: pushed off its right edge", kAbovePrimary, {1000, -300}, kThreeRows, {905, -370}},
      {"above and left: both negative", kAboveLeft, {-5, -760}, kThreeRows, {-119, -768}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    const POINT at = PlacePopup(c.pointer, kWidth, c.height, c.monitor);
    CHECK(at.x == c.expected.x);
    CHECK(at.y == c.expected.y);
  }
}

TEST_CASE("the monitor rectangle under a point is the whole screen, also for a point off every screen") {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  const POINT points[] = {{500, 400}, {width - 1, height - 1}, {width + 3000, -2000}, {-50, 300}};
  for (const POINT& p : points) {
    CAPTURE(p.x);
    CAPTURE(p.y);
    const RECT r = MonitorRectAt(p);
    CHECK(r.left == 0);
    CHECK(r.top == 0);
    CHECK(r.right == width);
    CHECK(r.bottom == height);
  }
}
