#pragma once
// A rectangle of pixels, row by row, as read from the screen or a picture.
#include <windows.h>

#include <vector>

struct PixelArea {
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  bool Empty() const { return pixels.empty(); }
};
