// DrawTextFx drawn into a memory DC and read back: where each style puts its
// copies, how disabled captions look, clipping, spacing and turned text.
#include <doctest.h>

#include <memory>
#include <string>

#include "components/paint/text_fx.h"
#include "pixel_surface.h"

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0),
                   kGreen = RGB(0, 255, 0);
constexpr UINT kTopLeftLine = DT_SINGLELINE | DT_NOPREFIX;
const RECT kArea{10, 10, 190, 60};

// A bold face without smoothing, so every pixel is either a text colour or the background.
TFont TestFont() {
  TFont font;
  font.Set("Tahoma", -24, ANSI_CHARSET);
  font.SetBold(true);
  font.SetQuality(NONANTIALIASED_QUALITY);
  font.SetColor(clBlack);
  return font;
}

struct Drawn {
  PixelSurface surface{200, 70, kWhite};
  RECT Of(COLORREF color) const { return surface.BoundsOf(color); }
};

// The look every case starts from: red shadow, green light.
void Colors(T3DCaption& effect) {
  effect.SetShadowColor(kRed);
  effect.SetLightColor(kGreen);
}

std::unique_ptr<Drawn> Draw(const T3DCaption& effect, TDrawTextStyles styles = {TDrawTextStyle::dtEnabled},
                            UINT flags = kTopLeftLine, const std::string& text = "HIM",
                            const RECT* clip = nullptr) {
  auto drawn = std::make_unique<Drawn>();
  Canvas canvas(drawn->surface.Dc());
  DrawTextFx(canvas, TestFont(), clWhite, text, effect, clip, styles, flags, kArea);
  return drawn;
}

bool Moved(const RECT& moved, const RECT& base, int dx, int dy) {
  RECT expected = base;
  OffsetRect(&expected, dx, dy);
  return EqualRect(&moved, &expected) != FALSE;
}
}  // namespace

TEST_CASE("the shadow style puts the shadow ShadowDepth pixels right and down; LightDepth plays no part") {
  T3DCaption plain;
  const RECT text = Draw(plain)->Of(kBlack);
  REQUIRE(!IsRectEmpty(&text));
  for (int depth : {1, 3}) {
    for (int light : {1, 4}) {
      CAPTURE(depth);
      CAPTURE(light);
      T3DCaption effect;
      Colors(effect);
      effect.SetStyle(TThreeDStyle::tdShadow);
      effect.SetShadowDepth(static_cast<std::uint8_t>(depth));
      effect.SetLightDepth(static_cast<std::uint8_t>(light));
      auto drawn = Draw(effect);
      CHECK(Moved(drawn->Of(kBlack), text, 0, 0));
      const RECT shadow = drawn->Of(kRed);
      CHECK(shadow.right == text.right + depth);
      CHECK(shadow.bottom == text.bottom + depth);
      CHECK(drawn->surface.Count([](COLORREF c) { return c == kGreen; }) == 0);
    }
  }
}

TEST_CASE("the shadow style narrows the text area on the right by ShadowDepth") {
  T3DCaption plain;
  const RECT flush = Draw(plain, {TDrawTextStyle::dtEnabled}, kTopLeftLine | DT_RIGHT)->Of(kBlack);
  T3DCaption effect;
  Colors(effect);
  effect.SetStyle(TThreeDStyle::tdShadow);
  effect.SetShadowDepth(3);
  auto drawn = Draw(effect, {TDrawTextStyle::dtEnabled}, kTopLeftLine | DT_RIGHT);
  CHECK(Moved(drawn->Of(kBlack), flush, -3, 0));
  CHECK(drawn->Of(kRed).right == flush.right);  // the shadow ends where plain text would
}

TEST_CASE("each style draws the text itself at its planned offset") {
  using T = TThreeDStyle;
  T3DCaption plain;
  const RECT text = Draw(plain)->Of(kBlack);
  struct Case {
    TThreeDStyle style;
    int offset;     // of the text colour, with light depth 2 and shadow depth 3
    COLORREF copy;  // a copy that stays visible
  };
  const Case cases[] = {
      {T::tdSunken, 0, kGreen},
      {T::tdRaised, 2, kGreen},
      {T::tdSunkenShadow, 3, kRed},
      {T::tdRaisedShadow, 2, kRed},
      {T::tdExtrude, 3, kRed},
      {T::tdExtrudeEnh, 3, RGB(170, 85, 0)},  // the second copy, a third of the way to green
  };
  for (const Case& c : cases) {
    CAPTURE(static_cast<int>(c.style));
    T3DCaption effect;
    Colors(effect);
    effect.SetStyle(c.style);
    effect.SetLightDepth(2);
    effect.SetShadowDepth(3);
    auto drawn = Draw(effect);
    CHECK(Moved(drawn->Of(kBlack), text, c.offset, c.offset));
    CHECK(drawn->surface.Count([&](COLORREF px) { return px == c.copy; }) > 0);
  }
}

TEST_CASE("disabled captions: grey with the same effect, sunken, or in their normal colours") {
  const COLORREF gray = GetSysColor(COLOR_GRAYTEXT);
  T3DCaption plain;
  const RECT text = Draw(plain)->Of(kBlack);
  struct Case {
    TDisabledStyle disabledStyle;
    COLORREF textColor;
    COLORREF copyColor;  // the effect's other copy
    int copyOffset;
  };
  const Case cases[] = {
      {TDisabledStyle::dsAuto, gray, kRed, 1},    // shadow kept
      {TDisabledStyle::ds3d, gray, kGreen, 2},    // sunken: light copy at LightDepth
      {TDisabledStyle::dsNone, kBlack, kRed, 1},  // as if enabled
  };
  for (const Case& c : cases) {
    CAPTURE(static_cast<int>(c.disabledStyle));
    T3DCaption effect;
    Colors(effect);
    effect.SetStyle(TThreeDStyle::tdShadow);
    effect.SetLightDepth(2);
    effect.SetDisabledStyle(c.disabledStyle);
    auto drawn = Draw(effect, {TDrawTextStyle::dtDisabled});
    CHECK(Moved(drawn->Of(c.textColor), text, 0, 0));
    const RECT copy = drawn->Of(c.copyColor);
    CHECK(copy.right == text.right + c.copyOffset);
    CHECK(copy.bottom == text.bottom + c.copyOffset);
  }
}

TEST_CASE("with dtClip nothing falls outside the clip rectangle; without it the clip is ignored") {
  T3DCaption effect;
  const RECT clip{10, 10, 30, 60};
  auto clipped =
      Draw(effect, {TDrawTextStyle::dtEnabled, TDrawTextStyle::dtClip}, kTopLeftLine, "HIM", &clip);
  const RECT inside = clipped->Of(kBlack);
  CHECK(inside.right <= 30);
  CHECK(!IsRectEmpty(&inside));
  auto unclipped = Draw(effect, {TDrawTextStyle::dtEnabled}, kTopLeftLine, "HIM", &clip);
  CHECK(unclipped->Of(kBlack).right > 30);
}

TEST_CASE("nothing is drawn for an empty text or an empty rectangle") {
  T3DCaption effect;
  CHECK(Draw(effect, {TDrawTextStyle::dtEnabled}, kTopLeftLine, "")->surface.Count([](COLORREF c) {
    return c != kWhite;
  }) == 0);
  PixelSurface surface(50, 50, kWhite);
  Canvas canvas(surface.Dc());
  DrawTextFx(canvas, TestFont(), clWhite, "HIM", effect, nullptr, {TDrawTextStyle::dtEnabled}, kTopLeftLine,
             {10, 10, 10, 40});
  CHECK(surface.Count([](COLORREF c) { return c != kWhite; }) == 0);
}

TEST_CASE("tracing spreads the characters; the outline style strokes the text's edges") {
  T3DCaption plain;
  const RECT text = Draw(plain)->Of(kBlack);
  T3DCaption spaced;
  spaced.SetTracing(5);
  CHECK(Draw(spaced)->Of(kBlack).right - text.right >= 2 * 5);

  T3DCaption outline;
  outline.SetStyle(TThreeDStyle::tdOutline);
  outline.SetShadowDepth(1);
  // Large enough that the "I"'s stem is many pixels wider than the stroke, whatever
  // face the system gives for the name.
  TFont large = TestFont();
  large.Set("Tahoma", -60, ANSI_CHARSET);
  PixelSurface surface(100, 90, kWhite);
  Canvas canvas(surface.Dc());
  DrawTextFx(canvas, large, clWhite, "I", outline, nullptr, {TDrawTextStyle::dtEnabled}, kTopLeftLine,
             {0, 0, 100, 90});
  const RECT edge = surface.BoundsOf(kBlack);
  REQUIRE(!IsRectEmpty(&edge));
  INFO("stroked I spans " << edge.left << ".." << edge.right << " x " << edge.top << ".." << edge.bottom);
  // A stroked "I" is hollow: its middle stays background.
  CHECK(surface.Pixel((edge.left + edge.right) / 2, (edge.top + edge.bottom) / 2) == kWhite);
}

TEST_CASE("a turned caption is written from its origin at the angle") {
  TFxCaption turned;
  turned.SetAngle(90);
  const TFont font = TestFont();
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font.Handle());
  SIZE line{};
  GetTextExtentPoint32A(screen, "HIM", 3, &line);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  turned.SetPosY(static_cast<std::int16_t>(line.cx));  // reads upwards from the bottom left
  auto drawn = Draw(turned);
  const RECT text = drawn->Of(kBlack);
  CHECK(text.bottom - text.top > text.right - text.left);
  CHECK(text.bottom <= kArea.top + line.cx);
  CHECK(text.top >= kArea.top);
}
