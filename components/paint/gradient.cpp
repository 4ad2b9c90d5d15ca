#include "components/paint/gradient.h"

#include "framework/gdi.h"

std::vector<COLORREF> GradientCreateColorList(COLORREF start, COLORREF end, int count) {
  // One band has no step between colours: dividing by count - 1 would divide by zero.
  if (count < 2) return {start};
  auto channel = [count](int from, int to, int n) { return from + MulDiv(to - from, n, count - 1); };
  std::vector<COLORREF> colors;
  colors.reserve(count);
  for (int n = 0; n < count; ++n)
    colors.push_back(RGB(channel(GetRValue(start), GetRValue(end), n),
                         channel(GetGValue(start), GetGValue(end), n),
                         channel(GetBValue(start), GetBValue(end), n)));
  return colors;
}

BandSpan GradientBand(int low, int high, int band, int count) {
  const int size = high - low;
  return {low + MulDiv(size, band, count), low + MulDiv(size, band + 1, count)};
}

TGradient::TGradient() { Changed(); }

void TGradient::Changed() {
  if (twoColors_ || colors_.empty()) {
    bands_ = GradientCreateColorList(ColorToRGB(color_), ColorToRGB(endColor_), colorCount_);
  } else {
    bands_.clear();
    for (TColor c : colors_) bands_.push_back(ColorToRGB(c));
  }
  if (OnChange) OnChange();
}

namespace {
void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  BrushHandle brush(CreateSolidBrush(color));
  FillRect(dc, &rect, brush.Get());
}

// Shapes shrinking from the whole rectangle towards a point (its centre or a corner),
// the first band outermost.
void PaintNested(HDC dc, const std::vector<COLORREF>& bands, const RECT& r, TGradientStyle style) {
  const int count = static_cast<int>(bands.size());
  const int w = r.right - r.left, h = r.bottom - r.top;
  ScopedSelect pen(dc, GetStockObject(NULL_PEN));
  for (int n = 0; n < count; ++n) {
    const int dx = MulDiv(w, n, count), dy = MulDiv(h, n, count);
    RECT shape = r;
    switch (style) {
      case TGradientStyle::gstTopLeft:
        shape.right -= dx, shape.bottom -= dy;
        break;
      case TGradientStyle::gstTopRight:
        shape.left += dx, shape.bottom -= dy;
        break;
      case TGradientStyle::gstBottomLeft:
        shape.right -= dx, shape.top += dy;
        break;
      case TGradientStyle::gstBottomRight:
        shape.left += dx, shape.top += dy;
        break;
      default:
        InflateRect(&shape, -dx / 2, -dy / 2);
    }
    BrushHandle brush(CreateSolidBrush(bands[n]));
    if (style == TGradientStyle::gstElliptic) {
      ScopedSelect select(dc, brush.Get());
      Ellipse(dc, shape.left, shape.top, shape.right + 1, shape.bottom + 1);
    } else {
      FillRect(dc, &shape, brush.Get());
    }
  }
}

// Bands running along a diagonal: band n covers the strip between two parallel lines.
void PaintDiagonal(HDC dc, const std::vector<COLORREF>& bands, const RECT& r, bool fromTopLeft) {
  const int count = static_cast<int>(bands.size());
  const int w = r.right - r.left, h = r.bottom - r.top;
  ScopedSelect pen(dc, GetStockObject(NULL_PEN));
  for (int n = count - 1; n >= 0; --n) {
    // The strip's far edge is the line x/w + y/h = 2 (n + 1) / count, from the starting corner.
    const int reachX = MulDiv(2 * w, n + 1, count), reachY = MulDiv(2 * h, n + 1, count);
    POINT shape[3] = {{0, 0}, {reachX + 1, 0}, {0, reachY + 1}};
    for (POINT& p : shape) {
      p.x = fromTopLeft ? r.left + p.x : r.right - p.x;
      p.y += r.top;
    }
    BrushHandle brush(CreateSolidBrush(bands[n]));
    ScopedSelect select(dc, brush.Get());
    Polygon(dc, shape, 3);
  }
}

void PaintBands(HDC dc, const std::vector<COLORREF>& bands, const RECT& r, TGradientStyle style) {
  const int count = static_cast<int>(bands.size());
  switch (style) {
    case TGradientStyle::gstVertical:
    case TGradientStyle::gstHorizontal:
      // From the last band to the first, so band 0 is at the top (left).
      for (int n = count - 1; n >= 0; --n) {
        RECT band = r;
        if (style == TGradientStyle::gstVertical) {
          const BandSpan span = GradientBand(r.top, r.bottom, n, count);
          band.top = span.first, band.bottom = span.last;
        } else {
          const BandSpan span = GradientBand(r.left, r.right, n, count);
          band.left = span.first, band.right = span.last;
        }
        FillSolid(dc, band, bands[n]);
      }
      break;
    case TGradientStyle::gstTopLeftDiagonal:
    case TGradientStyle::gstTopRightDiagonal: {
      const int saved = SaveDC(dc);
      IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
      PaintDiagonal(dc, bands, r, style == TGradientStyle::gstTopLeftDiagonal);
      RestoreDC(dc, saved);
      break;
    }
    default:
      PaintNested(dc, bands, r, style);
  }
}
}  // namespace

void GradientPaintExt(Canvas& canvas, const TGradient& gradient, const RECT& rect, bool buffered) {
  const auto& bands = gradient.BandColors();
  if (bands.empty() || IsRectEmpty(&rect)) return;
  if (!buffered) {
    PaintBands(canvas.Handle(), bands, rect, gradient.Style());
    return;
  }
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  MemoryDC picture(canvas.Handle(), w, h);
  PaintBands(picture.Get(), bands, {0, 0, w, h}, gradient.Style());
  BitBlt(canvas.Handle(), rect.left, rect.top, w, h, picture.Get(), 0, 0, SRCCOPY);
}
