#pragma once
// What a panel paints its background with: nothing, a brush, a brush pattern, a
// picture placed, centred, stretched or tiled, or a gradient. The fill object holds
// values only and tells its owner (OnChange) about every change, its gradient's included.
#include <windows.h>

#include <cstdint>

#include "components/paint/box_alignment.h"
#include "components/paint/change_notice.h"
#include "components/paint/gradient.h"
#include "framework/canvas.h"
#include "framework/enum_set.h"
#include "framework/gdi.h"

enum class TFillStyle : std::uint8_t { sfNone, sfBrushBitmap, sfBrush, sfBitmap, sfBitmapList, sfGradient };
enum class TTileMode : std::uint8_t { tmNone, tmCenter, tmStretch, tmTile };
enum class TFillOption : std::uint8_t { foFillInner, foQuickDraw, foGrUseBitmap };
using TFillOptions = EnumSet<TFillOption>;

class TFillObject {
 public:
  TFillObject();
  TFillObject(const TFillObject&) = delete;
  TFillObject& operator=(const TFillObject&) = delete;

  TFillStyle Style() const { return style_; }
  void SetStyle(TFillStyle value) { SetAndNotify(style_, value, OnChange); }
  // The picture is the fill object's own (it deletes it).
  HBITMAP Bitmap() const { return bitmap_.Get(); }
  void SetBitmap(HBITMAP value);
  TGradient& Gradient() { return gradient_; }
  const TGradient& Gradient() const { return gradient_; }
  TTileMode TileMode() const { return tileMode_; }
  void SetTileMode(TTileMode value) { SetAndNotify(tileMode_, value, OnChange); }
  TBoxAlignment Alignment() const { return alignment_; }
  void SetAlignment(TBoxAlignment value) { SetAndNotify(alignment_, value, OnChange); }
  TColor BrushColor() const { return brushColor_; }
  void SetBrushColor(TColor value) { SetAndNotify(brushColor_, value, OnChange); }
  int OffsetX() const { return offsetX_; }
  void SetOffsetX(int value) { SetAndNotify(offsetX_, value, OnChange); }
  int OffsetY() const { return offsetY_; }
  void SetOffsetY(int value) { SetAndNotify(offsetY_, value, OnChange); }
  TFillOptions Options() const { return options_; }
  void SetOptions(TFillOptions value) { SetAndNotify(options_, value, OnChange); }

  // Nothing to paint: no style, or a picture style without a picture.
  bool Empty() const;
  // Paints the fill over rect; color fills what a placed picture leaves uncovered.
  void FillCanvas(Canvas& canvas, const RECT& rect, TColor color) const;

  Event<> OnChange;

 private:
  void DrawPicture(HDC dc, const RECT& rect, TColor color) const;

  TFillStyle style_ = TFillStyle::sfNone;
  BitmapHandle bitmap_;
  TGradient gradient_;
  TTileMode tileMode_ = TTileMode::tmTile;
  TBoxAlignment alignment_ = TBoxAlignment::agTopLeft;
  TColor brushColor_ = clWhite;
  int offsetX_ = 0, offsetY_ = 0;
  TFillOptions options_{TFillOption::foFillInner, TFillOption::foGrUseBitmap};
};
