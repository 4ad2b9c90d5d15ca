#include "markup_surface.h"

MarkupFont TestMarkupFont() {
  MarkupFont font;
  font.Name = "Tahoma";
  font.Height = -13;
  font.Color = RGB(0, 0, 0);
  return font;
}

MarkupSurface::MarkupSurface(int width, int height)
    : pixels_(width, height), canvas_(pixels_.Dc(), TestMarkupFont()) {}

MarkupRun MarkupSurface::Draw(const std::string& markup, MarkupOptions options) {
  return DrawIn(markup, Whole(), options);
}

MarkupRun MarkupSurface::DrawIn(const std::string& markup, const RECT& bounds, MarkupOptions options) {
  MarkupRun run;
  run.hit = DrawMarkup(canvas_, markup, bounds, options, run.result);
  return run;
}

MarkupRun MarkupSurface::Measure(const std::string& markup, const RECT& bounds, MarkupOptions options) {
  options.MeasureOnly = true;
  return DrawIn(markup, bounds, options);
}

MarkupRun MarkupSurface::HitTest(const std::string& markup, int x, int y, MarkupOptions options) {
  options.HitTestOnly = true;
  options.HitX = x;
  options.HitY = y;
  return DrawIn(markup, Whole(), options);
}

SIZE MarkupSurface::Extent(std::string_view text, MarkupFont font) {
  MarkupCanvas probe(pixels_.Dc(), std::move(font));
  return probe.TextExtent(text);
}

RECT MarkupSurface::InkBounds() const {
  return pixels_.Bounds([](COLORREF c) { return c != RGB(255, 255, 255); });
}

int MarkupSurface::Count(COLORREF color) const {
  return pixels_.Count([color](COLORREF c) { return c == color; });
}
