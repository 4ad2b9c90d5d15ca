#include "framework/canvas.h"

#include "framework/gdi.h"

void Canvas::FillRect(const RECT& rect, TColor color) {
  BrushHandle brush(CreateSolidBrush(ColorToRGB(color)));
  ::FillRect(dc_, &rect, brush.Get());
}

void Canvas::FrameRect(const RECT& rect, TColor color) {
  BrushHandle brush(CreateSolidBrush(ColorToRGB(color)));
  ::FrameRect(dc_, &rect, brush.Get());
}

void Canvas::DrawEdge(RECT rect, UINT edge, UINT flags) { ::DrawEdge(dc_, &rect, edge, flags); }

void Canvas::TextRect(const std::string& text, RECT& rect, UINT format, const TFont& font) {
  ScopedSelect select(dc_, font.Handle());
  int oldMode = SetBkMode(dc_, TRANSPARENT);
  COLORREF oldColor = SetTextColor(dc_, ColorToRGB(font.Color()));
  ::DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &rect, format);
  SetTextColor(dc_, oldColor);
  SetBkMode(dc_, oldMode);
}
