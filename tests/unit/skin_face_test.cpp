// The skinned button's face composed from a strip without any window: where each
// slice lands for a width, the corners filled with the parent's colour, and the frame
// and clip rectangle chosen for each state.
#include "components/dialog/skin_face.h"

#include <doctest.h>
#include <windows.h>

#include <string>

#include "framework/gdi.h"
#include "framework/pixel_image_gdi.h"
#include "pixel_surface.h"

namespace {
constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr COLORREF kBackground = RGB(1, 2, 3);
constexpr COLORREF kParent = RGB(40, 90, 160);

// A 288 x 24 strip whose every pixel tells where it came from.
COLORREF Origin(int x, int y) { return RGB(x & 0xFF, (x >> 8) | (y << 2), 7); }

PixelImage NumberedStrip() {
  PixelImage strip(4 * kSkinFrameWidth, kSkinSlice, 0);
  for (int y = 0; y < strip.Height(); ++y)
    for (int x = 0; x < strip.Width(); ++x) strip.SetPixel(x, y, Origin(x, y));
  return strip;
}

// The strip column that face column x of a face width wide shows.
int SourceColumn(int x, int width) {
  if (x < kSkinSlice) return x;
  if (x >= width - kSkinSlice) return 2 * kSkinSlice + x - (width - kSkinSlice);
  return kSkinSlice + x % kSkinSlice;
}

void Fill(PixelImage& image, RECT area, COLORREF colour) {
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) image.SetPixel(x, y, colour);
}

// Silver around a body in every frame, and a silver spot walled in by the body.
PixelImage StripWithIsland() {
  PixelImage strip(4 * kSkinFrameWidth, kSkinSlice, kSilver);
  for (int frame = 0; frame < kSkinFrames; ++frame) {
    const int x = frame * kSkinFrameWidth;
    Fill(strip, {x + 3, 2, x + 69, 22}, RGB(200, 30, 30 + frame));
    Fill(strip, {x + 30, 10, x + 34, 13}, kSilver);
  }
  return strip;
}

bool InIsland(int x, int y) {
  const int row = y % kSkinSlice;
  return x >= 30 && x < 34 && row >= 10 && row < 13;
}
}  // namespace

TEST_CASE("the face repeats the middle slice between the ends, for every frame") {
  const PixelImage strip = NumberedStrip();
  for (int width : {48, 50, 72, 100, 121}) {
    CAPTURE(width);
    const PixelImage face = ArrangeSkinFace(strip, width, kBackground);
    REQUIRE(face.Width() == width);
    REQUIRE(face.Height() == 96);
    for (int y = 0; y < face.Height(); ++y)
      for (int x = 0; x < width; ++x) {
        const int frame = y / kSkinSlice;
        const COLORREF expected = Origin(frame * kSkinFrameWidth + SourceColumn(x, width), y % kSkinSlice);
        if (face.Pixel(x, y) != expected) FAIL("pixel (" << x << ", " << y << ") came from the wrong place");
      }
  }
}

TEST_CASE("a strip or a face too small for the slices is cut, never read or written past its edge") {
  SUBCASE("empty strip") {
    const PixelImage face = ArrangeSkinFace(PixelImage{}, 72, kBackground);
    CHECK(face == PixelImage(72, 96, kBackground));
  }
  SUBCASE("a face narrower than a slice") {
    const PixelImage face = ArrangeSkinFace(NumberedStrip(), 10, kBackground);
    REQUIRE(face.Width() == 10);
    CHECK(face.Pixel(0, 0) == Origin(2 * kSkinSlice + 14, 0));  // the right end, starting 14 left of the face
  }
  SUBCASE("a strip of one slice") {
    const PixelImage strip(10, 30, RGB(9, 9, 9));
    const PixelImage face = ArrangeSkinFace(strip, 72, kBackground);
    CHECK(face.Pixel(9, 23) == RGB(9, 9, 9));  // the left end's block exists up to the strip's edge
    CHECK(face.Pixel(10, 0) == kBackground);
    CHECK(face.Pixel(0, 24) == kBackground);  // no second frame in the strip
  }
}

TEST_CASE("the silver around the shapes takes the parent's colour; silver walled in by a shape stays") {
  const PixelImage strip = StripWithIsland();
  PixelImage face = ArrangeSkinFace(strip, 72, kBackground);
  FillSkinCorners(face, face.Pixel(0, 0), kParent);
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 72; ++x) {
      const COLORREF source = strip.Pixel(y / kSkinSlice * kSkinFrameWidth + x, y % kSkinSlice);
      const COLORREF expected = source == kSilver && !InIsland(x, y) ? kParent : source;
      if (face.Pixel(x, y) != expected) FAIL("pixel (" << x << ", " << y << ")");
    }
}

TEST_CASE("filling the corners with the key colour itself changes nothing and ends") {
  PixelImage face = ArrangeSkinFace(StripWithIsland(), 72, kBackground);
  const PixelImage before = face;
  FillSkinCorners(face, kSilver, kSilver);
  CHECK(face == before);
}

TEST_CASE("the flood fill covers exactly what the system's surface flood fill covers") {
  constexpr int kWidth = 37, kHeight = 23;
  constexpr COLORREF kSurface = RGB(192, 192, 192), kOther = RGB(0, 0, 128), kFill = RGB(255, 0, 0);
  unsigned seed = 12345;
  for (int round = 0; round < 8; ++round) {
    CAPTURE(round);
    PixelImage image(kWidth, kHeight, kSurface);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        seed = seed * 1103515245 + 12345;
        if ((seed >> 16) % 100 < 40) image.SetPixel(x, y, kOther);
      }
    const POINT start{static_cast<LONG>(round * 4 % kWidth), static_cast<LONG>(round * 3 % kHeight)};
    image.SetPixel(start.x, start.y, kSurface);

    // The same picture on a 32-bit surface, filled by GDI.
    PixelSurface surface(kWidth, kHeight);
    DrawPixelRows(surface.Dc(), 0, 0, image, 0, kHeight);
    {
      BrushHandle brush(CreateSolidBrush(kFill));
      ScopedSelect select(surface.Dc(), brush.Get());
      ExtFloodFill(surface.Dc(), start.x, start.y, kSurface, FLOODFILLSURFACE);
    }

    image.FloodFill(start.x, start.y, kSurface, kFill);
    int differing = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) differing += surface.Pixel(x, y) != image.Pixel(x, y);
    CHECK(differing == 0);
  }
}

TEST_CASE("each state shows its frame and is clipped to its rounded rectangle") {
  struct Case {
    const char* state;
    bool enabled, inside, pressed, hotFrameUsed;
    TSkinFrame frame;
    RECT rect;  // for a button at (10, 20), 72 wide
    int ellipseWidth, ellipseHeight;
  };
  const Case cases[] = {
      {"at rest", true, false, false, true, TSkinFrame::Normal, {13, 21, 80, 44}, 13, 12},
      {"pressed, pointer gone", true, false, true, true, TSkinFrame::Normal, {13, 21, 80, 44}, 13, 12},
      {"under the pointer", true, true, false, true, TSkinFrame::Hot, {12, 22, 80, 42}, 16, 16},
      {"under the pointer, no hot frame",
       true,
       true,
       false,
       false,
       TSkinFrame::Normal,
       {13, 21, 80, 44},
       13,
       12},
      {"pressed", true, true, true, false, TSkinFrame::Pressed, {12, 22, 81, 43}, 13, 13},
      {"disabled", false, true, true, true, TSkinFrame::Disabled, {12, 22, 81, 43}, 13, 13},
  };
  for (const Case& c : cases) {
    CAPTURE(std::string(c.state));
    const TSkinFrame frame = SkinFrameFor(c.enabled, c.inside, c.pressed, c.hotFrameUsed);
    CHECK(frame == c.frame);
    const SkinMask mask = SkinMaskFor(frame, RECT{10, 20, 82, 44});
    CHECK(EqualRect(&mask.rect, &c.rect));
    CHECK(mask.ellipseWidth == c.ellipseWidth);
    CHECK(mask.ellipseHeight == c.ellipseHeight);
  }
}
