#include "components/dialog/back_panel_geometry.h"

#include <algorithm>

POINT BackgroundOrigin(TBackGroundPosition position, const RECT& area, SIZE panel, SIZE picture,
                       int bevelWidth) {
  const LONG right = std::max(area.left, (area.right - area.left) - picture.cx - bevelWidth);
  const LONG bottom = std::max(area.top, panel.cy - picture.cy - bevelWidth);
  switch (position) {
    case TBackGroundPosition::bpTopRight:
      return {right, area.top};
    case TBackGroundPosition::bpBottomLeft:
      return {area.left, bottom};
    case TBackGroundPosition::bpBottomRight:
      return {right, bottom};
    case TBackGroundPosition::bpCenter:
      return {right / 2, bottom / 2};
    default:
      return {area.left, area.top};
  }
}

std::vector<POINT> TileOrigins(const RECT& area, SIZE panel, SIZE picture) {
  std::vector<POINT> origins;
  // A step of nothing would never reach the edge.
  if (picture.cx < 1 || picture.cy < 1) return origins;
  for (LONG y = area.top; y < panel.cy; y += picture.cy)
    for (LONG x = area.left; x < panel.cx; x += picture.cx) origins.push_back({x, y});
  return origins;
}

std::vector<PanelBand> PanelGradientBands(COLORREF top, COLORREF bottom, const RECT& rect) {
  const int height = rect.bottom - rect.top;
  auto channel = [](int from, int to, int band) {
    return from + MulDiv(band, to - from, kPanelGradientBands);
  };
  std::vector<PanelBand> bands;
  bands.reserve(kPanelGradientBands);
  for (int band = 0; band < kPanelGradientBands; ++band) {
    const LONG first = rect.top + MulDiv(band, height, kPanelGradientBands);
    const LONG last = std::min<LONG>(first + height / kPanelGradientBands + 1, rect.bottom);
    const COLORREF color = RGB(channel(GetRValue(top), GetRValue(bottom), band),
                               channel(GetGValue(top), GetGValue(bottom), band),
                               channel(GetBValue(top), GetBValue(bottom), band));
    bands.push_back({{rect.left, first, rect.right, last}, color});
  }
  return bands;
}

COLORREF BlendColor(COLORREF color, COLORREF base, int percent) {
  auto mix = [percent](int of, int rest) { return (of * percent + rest * (100 - percent) + 50) / 100; };
  return RGB(mix(GetRValue(color), GetRValue(base)), mix(GetGValue(color), GetGValue(base)),
             mix(GetBValue(color), GetBValue(base)));
}

std::vector<GripLine> SizeGripLines(int x, int y) {
  constexpr COLORREF grey = RGB(128, 128, 128), white = RGB(255, 255, 255);
  return {
      {{x, y - 11}, {x - 11, y}, grey, 2}, {{x, y - 6}, {x - 7, y}, grey, 2},
      {{x, y - 3}, {x - 3, y}, grey, 2},   {{x, y - 12}, {x - 12, y}, white, 1},
      {{x, y - 8}, {x - 8, y}, white, 1},  {{x, y - 4}, {x - 4, y}, white, 1},
  };
}
