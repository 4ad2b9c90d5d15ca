#include "components/paint/bevel.h"

namespace {
bool IsFrame(TBevelStyle style) {
  return style == TBevelStyle::bvFrameLowered || style == TBevelStyle::bvFrameRaised;
}

int StyleWidth(TBevelStyle style, int width) {
  if (style == TBevelStyle::bvNone) return 0;
  return width + (IsFrame(style) ? 1 : 0);
}

int LineWidth(TLineStyle style) {
  switch (style) {
    case TLineStyle::lsNone:
      return 0;
    case TLineStyle::lsSingle:
    case TLineStyle::lsSingleRaised:
    case TLineStyle::lsSingleLowered:
      return 1;
    default:
      return 2;
  }
}

UINT EdgeFlags(TEdgeStyle style) {
  switch (style) {
    case TEdgeStyle::etRaisedInner:
      return BDR_RAISEDINNER;
    case TEdgeStyle::etRaisedOuter:
      return BDR_RAISEDOUTER;
    case TEdgeStyle::etSunkenInner:
      return BDR_SUNKENINNER;
    case TEdgeStyle::etSunkenOuter:
      return BDR_SUNKENOUTER;
    case TEdgeStyle::etBump:
      return EDGE_BUMP;
    case TEdgeStyle::etEtched:
      return EDGE_ETCHED;
  }
  return EDGE_ETCHED;
}

UINT SideFlags(TBorderSides sides) {
  UINT flags = 0;
  if (sides.Contains(TBorderSide::bsLeft)) flags |= BF_LEFT;
  if (sides.Contains(TBorderSide::bsTop)) flags |= BF_TOP;
  if (sides.Contains(TBorderSide::bsRight)) flags |= BF_RIGHT;
  if (sides.Contains(TBorderSide::bsBottom)) flags |= BF_BOTTOM;
  return flags;
}

// One half of the custom frame; the shadow style is drawn by its owner, not here.
void PaintStyle(Canvas& canvas, RECT& rect, TBevelStyle style, int width, const TBevelSettings& s) {
  switch (style) {
    case TBevelStyle::bvNone:
    case TBevelStyle::bvShadow:
      return;
    case TBevelStyle::bvLowered:
      Frame3D(canvas, rect, s.ShadowColor, s.LightColor, width);
      return;
    case TBevelStyle::bvRaised:
      Frame3D(canvas, rect, s.LightColor, s.ShadowColor, width);
      return;
    case TBevelStyle::bvNormal:
      Frame3D(canvas, rect, s.ShadowColor, s.ShadowColor, width);
      return;
    case TBevelStyle::bvFrameLowered:
    case TBevelStyle::bvFrameRaised: {
      const bool lowered = style == TBevelStyle::bvFrameLowered;
      Frame3D(canvas, rect, lowered ? s.ShadowColor : s.LightColor, lowered ? s.LightColor : s.ShadowColor,
              1);
      Frame3D(canvas, rect, lowered ? s.LightColor : s.ShadowColor, lowered ? s.ShadowColor : s.LightColor,
              width);
      return;
    }
  }
}
}  // namespace

void Frame3D(Canvas& canvas, RECT& rect, TColor topLeft, TColor bottomRight, int width) {
  for (int i = 0; i < width && !IsRectEmpty(&rect); ++i) {
    canvas.FillRect({rect.left, rect.top, rect.right - 1, rect.top + 1}, topLeft);
    canvas.FillRect({rect.left, rect.top, rect.left + 1, rect.bottom - 1}, topLeft);
    canvas.FillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
    canvas.FillRect({rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
    InflateRect(&rect, -1, -1);
  }
}

int BevelExtent(const TBevelSettings& s) {
  switch (s.Mode) {
    case TBevelMode::bmCustom: {
      if (s.StyleInner == TBevelStyle::bvShadow) return s.WidthInner + s.BorderInnerWidth;
      return s.BorderWidth + s.BorderInnerWidth + StyleWidth(s.StyleInner, s.WidthInner) +
             StyleWidth(s.StyleOuter, s.WidthOuter);
    }
    case TBevelMode::bmStandard:
      return LineWidth(s.StandardStyle) + s.BorderInnerWidth;
    case TBevelMode::bmEdge:
      return (s.BorderSides.Empty() ? 0 : 2) + s.BorderInnerWidth;
    case TBevelMode::bmWindows:
      return 0;
  }
  return 0;
}

void TBevel::SetSettings(const TBevelSettings& value) {
  if (value == settings_) return;
  settings_ = value;
  extent_ = BevelExtent(settings_);
  if (OnChange) OnChange();
}

void TBevel::SetMode(TBevelMode value) {
  TBevelSettings next = settings_;
  next.Mode = value;
  SetSettings(next);
}

RECT TBevel::PaintBevel(Canvas& canvas, const RECT& rect, bool transparentBorder) const {
  RECT inner = rect;
  if (extent_ == 0) return inner;
  const TBevelSettings& s = settings_;
  switch (s.Mode) {
    case TBevelMode::bmCustom:
      if (s.StyleInner == TBevelStyle::bvShadow) {
        // A drop shadow: the lower right strips in the shadow colour.
        const int w = s.WidthInner;
        canvas.FillRect({inner.right - w, inner.top + w, inner.right, inner.bottom}, s.ShadowColor);
        canvas.FillRect({inner.left + w, inner.bottom - w, inner.right, inner.bottom}, s.ShadowColor);
        InflateRect(&inner, -w, -w);
        break;
      }
      PaintStyle(canvas, inner, s.StyleOuter, s.WidthOuter, s);
      if (s.BorderWidth > 0) {
        if (!transparentBorder) {
          RECT ring = inner;
          for (int i = 0; i < s.BorderWidth; ++i) {
            canvas.FrameRect(ring, s.BorderColor);
            InflateRect(&ring, -1, -1);
          }
        }
        InflateRect(&inner, -s.BorderWidth, -s.BorderWidth);
      }
      PaintStyle(canvas, inner, s.StyleInner, s.WidthInner, s);
      break;
    case TBevelMode::bmStandard: {
      static constexpr UINT kEdges[] = {0,           BDR_SUNKENOUTER, BDR_RAISEDINNER, BDR_SUNKENOUTER,
                                        EDGE_ETCHED, EDGE_RAISED,     EDGE_SUNKEN};
      const int width = LineWidth(s.StandardStyle);
      if (width > 0) canvas.DrawEdge(inner, kEdges[static_cast<int>(s.StandardStyle)], BF_RECT);
      InflateRect(&inner, -width, -width);
      break;
    }
    case TBevelMode::bmEdge:
      if (!s.BorderSides.Empty()) {
        canvas.DrawEdge(inner, EdgeFlags(s.EdgeStyle), SideFlags(s.BorderSides));
        InflateRect(&inner, -2, -2);
      }
      break;
    case TBevelMode::bmWindows:
      break;
  }
  InflateRect(&inner, -s.BorderInnerWidth, -s.BorderInnerWidth);
  return inner;
}
