#pragma once
// A 32-bit off-screen picture with its own DC, for rendering controls and reading
// their pixels back exactly, whatever the screen's colour depth.
#include <windows.h>

#include <functional>

#include "pixel_area.h"

class PixelSurface {
 public:
  PixelSurface(int width, int height, COLORREF background = RGB(255, 255, 255));
  ~PixelSurface();
  PixelSurface(const PixelSurface&) = delete;
  PixelSurface& operator=(const PixelSurface&) = delete;

  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF Pixel(int x, int y) const;
  // The smallest rectangle holding every pixel that matches; empty when none does.
  RECT Bounds(const std::function<bool(COLORREF)>& match) const;
  RECT BoundsOf(COLORREF color) const {
    return Bounds([color](COLORREF c) { return c == color; });
  }
  int Count(const std::function<bool(COLORREF)>& match) const;
  // Every pixel, row by row.
  PixelArea Area() const;

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
  const DWORD* bits_ = nullptr;
};
