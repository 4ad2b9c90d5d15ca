// The FX label: auto-size to its caption, its bevel frame around a clipped caption,
// and captions turned by FontFX.
#include "components/dialog/fx_label.h"

#include <doctest.h>

#include "label_test_support.h"

namespace {
constexpr COLORREF kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0);

// The slot editor's modifier captions: bold, no effect, no bevel, everything else at its default.
struct PlainLabel {
  TFxLabel label{nullptr};
  explicit PlainLabel(const std::string& caption) {
    label.BeginLoading();
    SetTestFont(label.Font(), -13);
    label.SetCaption(caption);
    label.Bevel().SetMode(TBevelMode::bmCustom);
    label.EndLoading();
  }
};

TBevelSettings Raised(int width) {
  TBevelSettings s;
  s.StyleOuter = TBevelStyle::bvRaised;
  s.WidthOuter = width;
  s.LightColor = kGreen;
  s.ShadowColor = kRed;
  return s;
}
}  // namespace

TEST_CASE("an auto-sized plain label is its caption's DT_CALCRECT extent plus 2 each way") {
  for (const char* caption : {"CTRL", "ALT", "SHIFT", "Key:"}) {
    CAPTURE(caption);
    PlainLabel p(caption);
    const SIZE extent = CalcRectExtent(p.label.Font(), caption);
    CHECK(p.label.Width() == extent.cx + 2);
    CHECK(p.label.Height() == extent.cy + 2);
    // The caption starts at the top left and fits.
    auto drawn = Render(p.label);
    const RECT text = drawn->BoundsOf(kBlack);
    CHECK(text.left <= 2);
    CHECK(text.right <= p.label.Width());
    CHECK(text.bottom <= p.label.Height());
  }
}

TEST_CASE("a bevel adds its extent on every side, frames the label and clips the caption inside") {
  PlainLabel p("SHIFT");
  const SIZE extent = CalcRectExtent(p.label.Font(), "SHIFT");
  p.label.Bevel().SetSettings(Raised(3));
  CHECK(p.label.Width() == extent.cx + 2 + 6);
  CHECK(p.label.Height() == extent.cy + 2 + 6);
  auto drawn = Render(p.label);
  CHECK(drawn->Pixel(0, 0) == kGreen);
  CHECK(drawn->Pixel(p.label.Width() - 1, p.label.Height() - 1) == kRed);
  const RECT text = drawn->BoundsOf(kBlack);
  CHECK(text.left >= 3);
  CHECK(text.top >= 3);

  SUBCASE("a caption too long for a fixed size stays inside the frame") {
    p.label.SetAutoSize(false);
    p.label.SetBounds(0, 0, 30, p.label.Height());
    auto cut = Render(p.label);
    CHECK(cut->BoundsOf(kBlack).right <= 30 - 3);
    CHECK(cut->Pixel(29, 10) == kRed);
  }
}

TEST_CASE("a turned caption sizes the label to the turned text and starts where it stays inside") {
  PlainLabel p("Key:");
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, p.label.Font().Handle());
  SIZE line{};
  GetTextExtentPoint32A(screen, "Key:", 4, &line);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);

  p.label.FontFX().SetAngle(90);
  CHECK(p.label.Width() == line.cy + 2);
  CHECK(p.label.Height() == line.cx + 2);
  CHECK(p.label.FontFX().PosX() == 0);
  CHECK(p.label.FontFX().PosY() == line.cx);
  auto drawn = Render(p.label);
  const RECT text = drawn->BoundsOf(kBlack);
  REQUIRE(!IsRectEmpty(&text));
  CHECK(text.bottom - text.top > text.right - text.left);
  CHECK(text.bottom <= p.label.Height());
}

TEST_CASE("a fixed-size multi-line caption with a vertical alignment is placed as a block") {
  TFxLabel label(nullptr);
  SetTestFont(label.Font(), -13);
  label.SetAutoSize(false);
  label.SetBounds(0, 0, 60, 120);
  label.SetMultiLine(true);
  label.SetCaption("two words");
  label.SetAlignment(TBoxAlignment::agBottomLeft);
  const RECT bottom = Render(label)->BoundsOf(kBlack);
  label.SetAlignment(TBoxAlignment::agTopLeft);
  const RECT top = Render(label)->BoundsOf(kBlack);
  CHECK(bottom.bottom > 100);
  CHECK(top.top < 20);
  CHECK(bottom.bottom - bottom.top == top.bottom - top.top);  // same two lines, moved down
}
