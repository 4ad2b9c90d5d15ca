#include "button_reference.h"

#include <uxtheme.h>
#include <vssym32.h>

#include "dialog_reference.h"
#include "framework/gdi.h"
#include "pixel_surface.h"

namespace {
constexpr int kBevel = 2;       // the caption area's inset, for both styles
constexpr int kThemeState = 1;  // normal
constexpr int kCorner = 3;      // the rounded corners of the push-button image

void DrawClassicFrame(HDC dc, RECT rect, ButtonStyle style) {
  if (style == ButtonStyle::Win40Ext) {
    DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    return;
  }
  DrawEdge(dc, &rect, BDR_RAISEDOUTER, BF_RECT | BF_SOFT | BF_ADJUST);
  DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM | BF_ADJUST);
}

// The caption: measured as a block, 2 pixels wider and higher, centred in the caption
// area (the button less the bevel on each side), then 1 pixel right and down; its
// lines all start at the block's left edge.
void DrawCaption(HDC dc, int width, int height, const std::string& caption) {
  const LOGFONTA logFont = FormFont(false);
  FontHandle font(CreateFontIndirectA(&logFont));
  ScopedSelect select(dc, font.Get());
  std::string text = caption;
  const RECT area{kBevel, kBevel, width - kBevel, height - kBevel};
  RECT measured{0, 0, area.right - area.left, 0};
  DrawTextExA(dc, text.data(), static_cast<int>(text.size()), &measured, DT_CALCRECT | DT_EXPANDTABS,
              nullptr);
  const int blockWidth = measured.right + 2, blockHeight = measured.bottom + 2;
  const int left = area.left + (area.right - area.left - blockWidth) / 2 + 1;
  const int top = area.top + (area.bottom - area.top - blockHeight) / 2 + 1;
  RECT block{left, top, left + blockWidth, top + blockHeight};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  DrawTextExA(dc, text.data(), static_cast<int>(text.size()), &block, DT_EXPANDTABS, nullptr);
}
}  // namespace

bool ButtonPicture::Compared(int x, int y) const {
  if (!transparentCorners) return true;
  const bool nearSide = x < kCorner || x >= pixels.width - kCorner;
  const bool nearEnd = y < kCorner || y >= pixels.height - kCorner;
  return !(nearSide && nearEnd);
}

int DifferingPixels(const ButtonPicture& expected, const std::vector<COLORREF>& shown) {
  const PixelArea& pixels = expected.pixels;
  if (shown.size() != pixels.pixels.size()) return static_cast<int>(pixels.pixels.size());
  int differing = 0;
  for (int y = 0; y < pixels.height; ++y)
    for (int x = 0; x < pixels.width; ++x)
      if (expected.Compared(x, y) && shown[static_cast<size_t>(y) * pixels.width + x] != pixels.At(x, y))
        ++differing;
  return differing;
}

ButtonPicture PanelButtonPicture(int width, int height, ButtonStyle style, bool themed, bool opaque,
                                 const std::string& caption) {
  PixelSurface surface(width, height, GetSysColor(COLOR_BTNFACE));
  HDC dc = surface.Dc();
  const RECT face{0, 0, width, height};
  if (themed) {
    // Drawn one pixel beyond each side, the outer edge clipped away.
    HTHEME theme = OpenThemeData(nullptr, L"BUTTON");
    const RECT grown{-1, -1, width + 1, height + 1};
    DrawThemeBackground(theme, dc, BP_PUSHBUTTON, kThemeState, &grown, nullptr);
    CloseThemeData(theme);
  } else {
    DrawClassicFrame(dc, face, style);
  }
  DrawCaption(dc, width, height, caption);
  return {surface.Area(), themed && !opaque};
}
