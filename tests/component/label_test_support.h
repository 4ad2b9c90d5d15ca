#pragma once
// Shared by the label tests: a crisp test font, rendering a label into a picture of
// its own size, and the DT_CALCRECT extent a caption has on the screen.
#include <windows.h>

#include <memory>
#include <string>

#include "components/dialog/base_label.h"
#include "pixel_surface.h"

// A bold face without smoothing, so every pixel is either a text colour or the background.
inline void SetTestFont(TFont& font, int height = -16) {
  font.Set("Tahoma", height, ANSI_CHARSET);
  font.SetBold(true);
  font.SetQuality(NONANTIALIASED_QUALITY);
  font.SetColor(clBlack);
}

inline std::unique_ptr<PixelSurface> Render(TBaseLabel& label, COLORREF background = RGB(255, 255, 255)) {
  auto surface = std::make_unique<PixelSurface>(label.Width(), label.Height(), background);
  Canvas canvas(surface->Dc());
  label.Paint(canvas);
  return surface;
}

inline SIZE CalcRectExtent(const TFont& font, const std::string& text, UINT flags = 0) {
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font.Handle());
  RECT r{0, 0, 30, 30};
  DrawTextA(screen, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_EXPANDTABS | flags);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return {r.right - r.left, r.bottom - r.top};
}

inline bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
