#pragma once
// Drawing on one DC. A windowless control paints through a canvas whose origin is
// its own top-left corner and whose clip is its rectangle.
#include <windows.h>

#include <string>

#include "framework/color.h"
#include "framework/font.h"

class Canvas {
 public:
  explicit Canvas(HDC dc) : dc_(dc) {}
  HDC Handle() const { return dc_; }

  void FillRect(const RECT& rect, TColor color);
  void FrameRect(const RECT& rect, TColor color);
  void DrawEdge(RECT rect, UINT edge, UINT flags);
  // DrawTextA with the font's face and colour on a transparent background.
  void TextRect(const std::string& text, RECT& rect, UINT format, const TFont& font);
  TColor Pixel(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  HDC dc_;
};
