#include "pixel_surface.h"

#include <algorithm>

#include "framework/gdi.h"

PixelSurface::PixelSurface(int width, int height, COLORREF background)
    : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
  BITMAPINFO info = Dib32Info(width, -height);
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<const DWORD*>(bits);
  previous_ = SelectObject(dc_, bitmap_);
  HBRUSH brush = CreateSolidBrush(background);
  RECT all{0, 0, width, height};
  FillRect(dc_, &all, brush);
  DeleteObject(brush);
}

PixelSurface::~PixelSurface() {
  SelectObject(dc_, previous_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

COLORREF PixelSurface::Pixel(int x, int y) const {
  GdiFlush();
  const DWORD p = bits_[y * width_ + x];  // 0x00RRGGBB
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

RECT PixelSurface::Bounds(const std::function<bool(COLORREF)>& match) const {
  RECT r{width_, height_, 0, 0};
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (match(Pixel(x, y))) {
        r.left = std::min<LONG>(r.left, x), r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1), r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
  if (r.right == 0) return {0, 0, 0, 0};
  return r;
}

int PixelSurface::Count(const std::function<bool(COLORREF)>& match) const {
  int n = 0;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) n += match(Pixel(x, y)) ? 1 : 0;
  return n;
}

PixelArea PixelSurface::Area() const {
  PixelArea area{width_, height_, {}};
  area.pixels.reserve(static_cast<size_t>(width_) * height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) area.pixels.push_back(Pixel(x, y));
  return area;
}
