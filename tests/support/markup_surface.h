#pragma once
// A white off-screen picture to render markup on, with the renderer's canvas in a
// known font, and the measurements a test compares the renderer's output with.
#include <windows.h>

#include <string>
#include <string_view>

#include "components/dialog/markup.h"
#include "pixel_surface.h"

// Black Tahoma, 13 pixels high: a face every Wine prefix has.
MarkupFont TestMarkupFont();

struct MarkupRun {
  bool hit = false;
  MarkupResult result;
};

class MarkupSurface {
 public:
  explicit MarkupSurface(int width = 240, int height = 120);

  // Lays out the markup in the whole surface (or in bounds) and paints it.
  MarkupRun Draw(const std::string& markup, MarkupOptions options = {});
  MarkupRun DrawIn(const std::string& markup, const RECT& bounds, MarkupOptions options = {});
  MarkupRun Measure(const std::string& markup, const RECT& bounds, MarkupOptions options = {});
  MarkupRun HitTest(const std::string& markup, int x, int y, MarkupOptions options = {});

  // Width and height of the text in the test font with a change made to it.
  SIZE Extent(std::string_view text, MarkupFont font = TestMarkupFont());
  int Width(std::string_view text, MarkupFont font = TestMarkupFont()) {
    return Extent(text, std::move(font)).cx;
  }
  int LineHeight() { return Extent("gh").cy; }

  RECT Whole() const { return {0, 0, pixels_.Width(), pixels_.Height()}; }
  const PixelSurface& Pixels() const { return pixels_; }
  MarkupCanvas& Canvas() { return canvas_; }
  // Pixels that are not white.
  RECT InkBounds() const;
  int Count(COLORREF color) const;

 private:
  PixelSurface pixels_;
  MarkupCanvas canvas_;
};
