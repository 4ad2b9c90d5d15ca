#pragma once
// The background panel's geometry and colour rules as pure functions: where the
// background picture goes, the gradient's bands, the border shadow's blends and
// the size grip's lines.
#include <windows.h>

#include <cstdint>
#include <vector>

enum class TBackGroundPosition : std::uint8_t {
  bpTopLeft,
  bpTopRight,
  bpBottomLeft,
  bpBottomRight,
  bpTiled,
  bpStretched,
  bpCenter,
};

// Where a picture of size picture goes in area (the clip rectangle) of a panel of
// size panel, for every position except bpTiled and bpStretched.
POINT BackgroundOrigin(TBackGroundPosition position, const RECT& area, SIZE panel, SIZE picture,
                       int bevelWidth);

// The top-left corners of the tiles, row by row from area's top-left to the
// panel's right and bottom edges; none for a picture under one pixel either way.
std::vector<POINT> TileOrigins(const RECT& area, SIZE panel, SIZE picture);

inline constexpr int kPanelGradientBands = 64;

struct PanelBand {
  RECT rect;
  COLORREF color;
};
// The vertical gradient from top (at rect's top) to bottom in 64 bands, each
// clipped to rect's bottom.
std::vector<PanelBand> PanelGradientBands(COLORREF top, COLORREF bottom, const RECT& rect);

// percent % of color plus the rest of base, per channel, rounded.
COLORREF BlendColor(COLORREF color, COLORREF base, int percent);

struct GripLine {
  POINT from, to;
  COLORREF color;
  int width;
};
// The size grip whose corner is (x, y): three grey lines, then three white ones.
std::vector<GripLine> SizeGripLines(int x, int y);
