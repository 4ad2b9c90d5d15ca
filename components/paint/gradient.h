#pragma once
// A colour gradient: the settings, the band colours they give, and the painting.
#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "framework/canvas.h"
#include "framework/color.h"
#include "framework/events.h"

enum class TGradientStyle : std::uint8_t {
  gstHorizontal,
  gstVertical,
  gstSquare,
  gstElliptic,
  gstTopLeft,
  gstTopRight,
  gstBottomLeft,
  gstBottomRight,
  gstTopLeftDiagonal,
  gstTopRightDiagonal,
};

// count colours from start to end, each channel start + (end - start) * n / (count - 1)
// rounded as MulDiv rounds; a count below 2 gives the start colour alone.
std::vector<COLORREF> GradientCreateColorList(COLORREF start, COLORREF end, int count);

// The [first, last) coordinates band n of count covers along a side from low to high.
struct BandSpan {
  int first, last;
};
BandSpan GradientBand(int low, int high, int band, int count);

class TGradient {
 public:
  TGradient();

  TColor Color() const { return color_; }
  void SetColor(TColor value) { Set(color_, value); }
  TColor EndColor() const { return endColor_; }
  void SetEndColor(TColor value) { Set(endColor_, value); }
  int ColorCount() const { return colorCount_; }
  void SetColorCount(std::uint8_t value) { Set(colorCount_, value); }
  TGradientStyle Style() const { return style_; }
  void SetStyle(TGradientStyle value) { Set(style_, value); }
  bool PaletteRealize() const { return paletteRealize_; }
  void SetPaletteRealize(bool value) { Set(paletteRealize_, value); }
  // With TwoColors off the bands are the stored Colors instead of Color .. EndColor.
  bool TwoColors() const { return twoColors_; }
  void SetTwoColors(bool value) { Set(twoColors_, value); }
  const std::vector<TColor>& Colors() const { return colors_; }
  void SetColors(std::vector<TColor> value) { Set(colors_, std::move(value)); }

  // The band colours, rebuilt on every change.
  const std::vector<COLORREF>& BandColors() const { return bands_; }

  Event<> OnChange;

 private:
  template <class T, class U>
  void Set(T& field, U&& value) {
    if (field == value) return;
    field = std::forward<U>(value);
    Changed();
  }
  void Changed();

  TColor color_ = clBlue;
  TColor endColor_ = clBlack;
  std::uint8_t colorCount_ = 16;
  TGradientStyle style_ = TGradientStyle::gstVertical;
  bool paletteRealize_ = false;
  bool twoColors_ = true;
  std::vector<TColor> colors_;
  std::vector<COLORREF> bands_;
};

// Paints the gradient over rect; through an off-screen picture when buffered.
void GradientPaintExt(Canvas& canvas, const TGradient& gradient, const RECT& rect, bool buffered);
