// Gradient band colours and band extents, and the gradient settings object.
#include <doctest.h>

#include <vector>

#include "components/paint/gradient.h"

TEST_CASE("band colours run from the start colour to the end colour, rounded as MulDiv rounds") {
  struct Case {
    COLORREF start, end;
    int count;
    int band;
    COLORREF expected;
  };
  const Case cases[] = {
      {RGB(0, 0, 255), RGB(0, 0, 0), 16, 0, RGB(0, 0, 255)},
      {RGB(0, 0, 255), RGB(0, 0, 0), 16, 1, RGB(0, 0, 238)},
      {RGB(0, 0, 255), RGB(0, 0, 0), 16, 15, RGB(0, 0, 0)},
      // 255 / 2 = 127.5: rounded up, not cut
      {RGB(0, 0, 0), RGB(255, 255, 255), 3, 1, RGB(128, 128, 128)},
      // going down: 255 - 127.5 = 127.5, rounded away from zero on the negative step
      {RGB(255, 0, 0), RGB(0, 0, 0), 3, 1, RGB(127, 0, 0)},
      // each channel on its own
      {RGB(10, 200, 30), RGB(110, 0, 30), 5, 2, RGB(60, 100, 30)},
  };
  for (const Case& c : cases) {
    CAPTURE(c.count);
    CAPTURE(c.band);
    const std::vector<COLORREF> colors = GradientCreateColorList(c.start, c.end, c.count);
    REQUIRE(colors.size() == static_cast<size_t>(c.count));
    CHECK(colors[c.band] == c.expected);
  }
}

TEST_CASE("a gradient of fewer than two bands is the start colour alone, not a division by zero") {
  for (int count : {0, 1}) {
    CAPTURE(count);
    CHECK(GradientCreateColorList(RGB(0, 0, 255), RGB(0, 0, 0), count) ==
          std::vector<COLORREF>{RGB(0, 0, 255)});
  }
}

TEST_CASE("bands cut a side into count pieces with MulDiv rounding, without gaps") {
  // 201 pixels in 16 bands: band 0 covers rows 0-12.
  CHECK(GradientBand(0, 201, 0, 16).first == 0);
  CHECK(GradientBand(0, 201, 0, 16).last == 13);
  CHECK(GradientBand(0, 201, 1, 16).last == 25);
  CHECK(GradientBand(0, 201, 15, 16).first == 188);
  CHECK(GradientBand(0, 201, 15, 16).last == 201);
  CHECK(GradientBand(10, 26, 3, 4).first == 22);  // offset by the top

  for (int size : {7, 16, 201}) {
    int next = 0;
    for (int n = 0; n < 16; ++n) {
      const BandSpan span = GradientBand(0, size, n, 16);
      CHECK(span.first == next);
      CHECK(span.last >= span.first);
      next = span.last;
    }
    CHECK(next == size);
  }
}

TEST_CASE("the gradient rebuilds its band colours and reports each real change") {
  TGradient gradient;
  int changes = 0;
  gradient.OnChange = [&] { ++changes; };
  REQUIRE(gradient.BandColors().size() == 16);
  CHECK(gradient.BandColors().front() == RGB(0, 0, 255));
  CHECK(gradient.Style() == TGradientStyle::gstVertical);

  gradient.SetEndColor(clWhite);
  CHECK(changes == 1);
  CHECK(gradient.BandColors().back() == RGB(255, 255, 255));
  gradient.SetEndColor(clWhite);
  CHECK(changes == 1);

  gradient.SetColorCount(4);
  CHECK(gradient.BandColors().size() == 4);

  SUBCASE("system colours are resolved") {
    gradient.SetColor(clBtnFace);
    CHECK(gradient.BandColors().front() == GetSysColor(COLOR_BTNFACE));
  }
  SUBCASE("a stored list of colours replaces the two colours") {
    gradient.SetColors({0x0000FF, 0x00FF00, 0xFF0000});
    gradient.SetTwoColors(false);
    CHECK(gradient.BandColors() == std::vector<COLORREF>{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)});
  }
}
