#include "components/paint/fill_object.h"

#include "framework/bitmap_dc.h"

TFillObject::TFillObject() {
  gradient_.OnChange = [this] {
    if (OnChange) OnChange();
  };
}

void TFillObject::SetBitmap(HBITMAP value) {
  if (value == bitmap_.Get()) return;
  bitmap_.Reset(value);
  if (OnChange) OnChange();
}

bool TFillObject::Empty() const {
  switch (style_) {
    case TFillStyle::sfNone:
      return true;
    case TFillStyle::sfBitmap:
    case TFillStyle::sfBitmapList:
      return !bitmap_;
    default:
      return false;
  }
}

void TFillObject::FillCanvas(Canvas& canvas, const RECT& rect, TColor color) const {
  HDC dc = canvas.Handle();
  switch (style_) {
    case TFillStyle::sfNone:
      return;
    case TFillStyle::sfBrush:
      canvas.FillRect(rect, brushColor_);
      return;
    case TFillStyle::sfBrushBitmap: {
      if (!bitmap_) return;
      BrushHandle pattern(CreatePatternBrush(bitmap_.Get()));  // the system takes its top-left 8 x 8
      FillRect(dc, &rect, pattern.Get());
      return;
    }
    case TFillStyle::sfBitmap:
    case TFillStyle::sfBitmapList:
      if (bitmap_) DrawPicture(dc, rect, color);
      return;
    case TFillStyle::sfGradient:
      GradientPaintExt(canvas, gradient_, rect, options_.Contains(TFillOption::foGrUseBitmap));
      return;
  }
}

void TFillObject::DrawPicture(HDC dc, const RECT& rect, TColor color) const {
  BITMAP info{};
  if (!GetObjectA(bitmap_.Get(), sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return;
  const int w = static_cast<int>(info.bmWidth), h = static_cast<int>(info.bmHeight);
  const int areaW = rect.right - rect.left, areaH = rect.bottom - rect.top;
  BitmapDC source(dc, bitmap_.Get());
  switch (tileMode_) {
    case TTileMode::tmStretch:
      SetStretchBltMode(dc, COLORONCOLOR);
      StretchBlt(dc, rect.left, rect.top, areaW, areaH, source.Get(), 0, 0, w, h, SRCCOPY);
      return;
    case TTileMode::tmTile:
      for (int y = rect.top + offsetY_ % h - (offsetY_ % h > 0 ? h : 0); y < rect.bottom; y += h)
        for (int x = rect.left + offsetX_ % w - (offsetX_ % w > 0 ? w : 0); x < rect.right; x += w)
          BitBlt(dc, x, y, w, h, source.Get(), 0, 0, SRCCOPY);
      return;
    case TTileMode::tmNone:
    case TTileMode::tmCenter: {
      const TBoxAlignment place = tileMode_ == TTileMode::tmCenter ? TBoxAlignment::agCenter : alignment_;
      RECT at = PlaceBox(rect, w, h, place);
      if (tileMode_ == TTileMode::tmNone) OffsetRect(&at, offsetX_, offsetY_);
      // The colour first where the picture leaves the area uncovered.
      const int saved = SaveDC(dc);
      ExcludeClipRect(dc, at.left, at.top, at.right, at.bottom);
      Canvas(dc).FillRect(rect, color);
      RestoreDC(dc, saved);
      BitBlt(dc, at.left, at.top, w, h, source.Get(), 0, 0, SRCCOPY);
      return;
    }
  }
}
