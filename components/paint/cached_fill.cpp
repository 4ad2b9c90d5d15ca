#include "components/paint/cached_fill.h"

#include "framework/bitmap_dc.h"
#include "framework/canvas.h"

namespace {
HBITMAP Create24BitPicture(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}
}  // namespace

void TCachedFill::Rebuild(const TFillObject& fill, TColor color, int width, int height, bool force) {
  if (width <= 0 || height <= 0) {
    Drop();
    return;
  }
  // Shrinking keeps the picture (its top-left part is still right); growing needs a new one.
  const bool covers = bitmap_ && width <= width_ && height <= height_;
  if (!force && covers && fill.Style() != TFillStyle::sfGradient) return;
  BitmapHandle picture(Create24BitPicture(width, height));
  if (!picture) {
    Drop();
    return;
  }
  {
    WindowDC screen(nullptr);
    BitmapDC dc(screen.Get(), picture.Get());
    Canvas canvas(dc.Get());
    const RECT all{0, 0, width, height};
    canvas.FillRect(all, color);  // under whatever the fill leaves uncovered
    fill.FillCanvas(canvas, all, color);
  }
  bitmap_ = std::move(picture);
  width_ = width;
  height_ = height;
}

void TCachedFill::CopyTo(HDC dc, const RECT& area) const {
  if (!bitmap_) return;
  BitmapDC source(dc, bitmap_.Get());
  BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, source.Get(), area.left,
         area.top, SRCCOPY);
}
