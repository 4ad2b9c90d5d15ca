// The background picture a fill object makes: kept while it covers a shrinking
// control, made again for a growing one or a gradient, and the picture fill modes.
#include <doctest.h>

#include <memory>

#include "components/paint/cached_fill.h"
#include "framework/bitmap_dc.h"
#include "pixel_surface.h"

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGray = RGB(128, 128, 128);

// A 2 x 2 picture: red on the top row, blue below.
HBITMAP TwoRowPicture() {
  HDC screen = GetDC(nullptr);
  HBITMAP picture = CreateCompatibleBitmap(screen, 2, 2);
  {
    BitmapDC dc(screen, picture);
    Canvas canvas(dc.Get());
    canvas.FillRect({0, 0, 2, 1}, kRed);
    canvas.FillRect({0, 1, 2, 2}, kBlue);
  }
  ReleaseDC(nullptr, screen);
  return picture;
}

std::unique_ptr<PixelSurface> Show(const TCachedFill& cache, int width, int height) {
  auto surface = std::make_unique<PixelSurface>(width, height);
  cache.CopyTo(surface->Dc(), {0, 0, width, height});
  return surface;
}
}  // namespace

TEST_CASE("growing makes a new picture, shrinking keeps it, forcing or a gradient always makes one") {
  TFillObject fill;
  fill.SetStyle(TFillStyle::sfBitmap);
  fill.SetBitmap(TwoRowPicture());
  TCachedFill cache;
  cache.Rebuild(fill, kGray, 20, 20, false);
  REQUIRE(cache.Exists());

  HBITMAP first = cache.Bitmap();
  cache.Rebuild(fill, kGray, 10, 15, false);
  CHECK(cache.Bitmap() == first);
  cache.Rebuild(fill, kGray, 21, 15, false);
  CHECK(cache.Bitmap() != first);

  HBITMAP grown = cache.Bitmap();
  cache.Rebuild(fill, kGray, 5, 5, true);
  CHECK(cache.Bitmap() != grown);

  fill.SetStyle(TFillStyle::sfGradient);
  HBITMAP forced = cache.Bitmap();
  cache.Rebuild(fill, kGray, 4, 4, false);
  CHECK(cache.Bitmap() != forced);

  cache.Rebuild(fill, kGray, 0, 4, false);
  CHECK_FALSE(cache.Exists());
}

TEST_CASE("a picture fill: tiled, stretched, or placed once with the colour around it") {
  struct Case {
    TTileMode mode;
    TBoxAlignment alignment;
    POINT at;
    COLORREF expected;
  };
  using A = TBoxAlignment;
  const Case cases[] = {
      {TTileMode::tmTile, A::agTopLeft, {4, 4}, kRed},
      {TTileMode::tmTile, A::agTopLeft, {5, 5}, kBlue},
      {TTileMode::tmStretch, A::agTopLeft, {5, 2}, kRed},
      {TTileMode::tmStretch, A::agTopLeft, {5, 7}, kBlue},
      {TTileMode::tmNone, A::agTopLeft, {0, 0}, kRed},
      {TTileMode::tmNone, A::agTopLeft, {3, 3}, kGray},
      {TTileMode::tmNone, A::agBottomRight, {9, 9}, kBlue},
      {TTileMode::tmNone, A::agBottomRight, {0, 0}, kGray},
      {TTileMode::tmCenter, A::agTopLeft, {4, 4}, kRed},
      {TTileMode::tmCenter, A::agTopLeft, {0, 0}, kGray},
  };
  for (const Case& c : cases) {
    CAPTURE(static_cast<int>(c.mode));
    CAPTURE(c.at.x);
    CAPTURE(c.at.y);
    TFillObject fill;
    fill.SetStyle(TFillStyle::sfBitmap);
    fill.SetBitmap(TwoRowPicture());
    fill.SetTileMode(c.mode);
    fill.SetAlignment(c.alignment);
    TCachedFill cache;
    cache.Rebuild(fill, kGray, 10, 10, true);
    CHECK(Show(cache, 10, 10)->Pixel(c.at.x, c.at.y) == c.expected);
  }
}

TEST_CASE("a fill object is empty without a style, or with a picture style and no picture") {
  TFillObject fill;
  CHECK(fill.Empty());
  fill.SetStyle(TFillStyle::sfBitmap);
  CHECK(fill.Empty());
  fill.SetStyle(TFillStyle::sfBrush);
  CHECK_FALSE(fill.Empty());
  fill.SetStyle(TFillStyle::sfBitmapList);
  fill.SetBitmap(TwoRowPicture());
  CHECK_FALSE(fill.Empty());

  int changes = 0;
  fill.OnChange = [&] { ++changes; };
  fill.Gradient().SetColorCount(3);
  fill.SetOffsetX(2);
  fill.SetOffsetX(2);
  CHECK(changes == 2);  // the gradient's changes reach the owner too
}
