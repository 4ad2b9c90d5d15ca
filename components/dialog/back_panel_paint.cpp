// The background panel's paint, step by step: later steps draw over earlier ones.
#include "components/dialog/back_panel.h"
#include "components/paint/bevel.h"
#include "framework/gdi.h"

namespace {
// The DC's clip and drawing state, put back at the end of the scope.
class SavedDC {
 public:
  explicit SavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~SavedDC() { RestoreDC(dc_, saved_); }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

 private:
  HDC dc_;
  int saved_;
};

void Line(HDC dc, POINT from, POINT to, COLORREF color, int width) {
  PenHandle pen(CreatePen(PS_SOLID, width, color));
  ScopedSelect select(dc, pen.Get());
  MoveToEx(dc, from.x, from.y, nullptr);
  LineTo(dc, to.x, to.y);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  BrushHandle brush(CreateSolidBrush(color));
  FillRect(dc, &rect, brush.Get());
}

void PaintPanelBevel(Canvas& canvas, RECT& rect, TPanelBevel bevel, int width, TColor color) {
  switch (bevel) {
    case TPanelBevel::bvNone:
      return;
    case TPanelBevel::bvRaised:
      Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, width);
      return;
    case TPanelBevel::bvLowered:
      Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, width);
      return;
    case TPanelBevel::bvSpace:
      Frame3D(canvas, rect, color, color, width);
      return;
  }
}

// A 2-pixel cross 6 pixels wide, centred in slot.
void PaintCross(HDC dc, const RECT& slot, COLORREF color) {
  const int x = (slot.left + slot.right) / 2 - 3, y = (slot.top + slot.bottom) / 2 - 3;
  Line(dc, {x, y}, {x + 6, y + 6}, color, 2);
  Line(dc, {x + 6, y}, {x, y + 6}, color, 2);
}

// A small filled triangle, pointing up or down, centred in slot.
void PaintTriangle(HDC dc, const RECT& slot, COLORREF color, bool up) {
  const int x = (slot.left + slot.right) / 2, y = (slot.top + slot.bottom) / 2;
  const int base = up ? y + 2 : y - 2, tip = up ? y - 2 : y + 2;
  const POINT points[3] = {{x - 4, base}, {x + 4, base}, {x, tip}};
  BrushHandle brush(CreateSolidBrush(color));
  PenHandle pen(CreatePen(PS_SOLID, 1, color));
  ScopedSelect selectBrush(dc, brush.Get()), selectPen(dc, pen.Get());
  Polygon(dc, points, 3);
}

void PaintGlyph(HDC dc, HBITMAP glyph, const RECT& slot) {
  BITMAP info{};
  if (!GetObjectA(glyph, sizeof info, &info)) return;
  HDC source = CreateCompatibleDC(dc);
  {
    ScopedSelect select(source, glyph);
    BitBlt(dc, (slot.left + slot.right - info.bmWidth) / 2, (slot.top + slot.bottom - info.bmHeight) / 2,
           info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
  }
  DeleteDC(source);
}
}  // namespace

void TCustomBackPanel::PaintWindow(Canvas& canvas) { Paint(canvas); }

void TCustomBackPanel::Paint(Canvas& canvas) {
  const RECT client = ClientRect();
  HDC target = canvas.Handle();
  HDC layer = Layer(target);
  // The layer alone is one copy: nothing can show half drawn, buffered or not.
  if (!buffered_ || !HasOverlay()) {
    BitBlt(target, 0, 0, client.right, client.bottom, layer, 0, 0, SRCCOPY);
    PaintOverlay(target);
    return;
  }
  // The whole panel is composed first, so the screen never shows the layer before the text.
  MemoryDC buffer(target, client.right, client.bottom);
  BitBlt(buffer.Get(), 0, 0, client.right, client.bottom, layer, 0, 0, SRCCOPY);
  PaintOverlay(buffer.Get());
  BitBlt(target, 0, 0, client.right, client.bottom, buffer.Get(), 0, 0, SRCCOPY);
}

PanelLayerKey TCustomBackPanel::LayerKey(HDC target) const {
  PanelLayerKey key;
  key.size = {Width(), Height()};
  key.surfaceBits = SurfaceBits(target);
  key.color = ColorToRGB(Color());
  if (colorTo_ != clNone) key.colorTo = ColorToRGB(colorTo_);
  if (borderColor_ != clNone) key.border = ColorToRGB(borderColor_);
  key.borderShadow = borderShadow_;
  key.bevelOuter = BevelOuter();
  key.bevelInner = BevelInner();
  key.bevelWidth = BevelWidth();
  key.contentArea = ContentArea();
  key.pictureRevision = background_.Revision();
  key.position = backgroundPosition_;
  key.face = GetSysColor(COLOR_BTNFACE);
  key.highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  key.shadow = GetSysColor(COLOR_BTNSHADOW);
  return key;
}

HDC TCustomBackPanel::Layer(HDC target) {
  const PanelLayerKey key = LayerKey(target);
  if (HDC kept = layer_.Find(key)) return kept;
  HDC layer = layer_.Make(target, key);
  ComposeLayer(layer);
  return layer;
}

void TCustomBackPanel::ComposeLayer(HDC dc) {
  Canvas canvas(dc);
  RECT rect = ClientRect();
  PaintFill(canvas, rect);
  if (borderColor_ != clNone) rect = PaintBorder(canvas, rect);
  PaintBevels(canvas, rect);
  const RECT area = ContentArea();
  SavedDC saved(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  PaintBackground(dc, area);
}

bool TCustomBackPanel::HasOverlay() const {
  return !text_.empty() || caption_.Visible() || (canSize_ && !collaps_);
}

void TCustomBackPanel::PaintOverlay(HDC dc) {
  if (!text_.empty()) {
    const RECT area = ContentArea();
    SavedDC saved(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    PaintText(dc, area);
  }
  if (caption_.Visible()) PaintCaptionBar(dc);
  if (canSize_ && !collaps_) PaintSizeGrip(dc);
}

void TCustomBackPanel::PaintFill(Canvas& canvas, const RECT& rect) {
  if (colorTo_ == clNone) {
    canvas.FillRect(rect, Color());
    return;
  }
  for (const PanelBand& band : PanelGradientBands(ColorToRGB(Color()), ColorToRGB(colorTo_), rect))
    FillSolid(canvas.Handle(), band.rect, band.color);
}

RECT TCustomBackPanel::PaintBorder(Canvas& canvas, RECT rect) {
  if (borderShadow_) rect.right -= 2, rect.bottom -= 2;
  canvas.FrameRect(rect, borderColor_);
  if (borderShadow_) {
    const COLORREF border = ColorToRGB(borderColor_), face = ColorToRGB(clBtnFace);
    const COLORREF inner = BlendColor(border, face, 50), outer = BlendColor(border, face, 20);
    HDC dc = canvas.Handle();
    // Just outside the frame's right and bottom edges, then one pixel further out.
    Line(dc, {rect.right, rect.top + 1}, {rect.right, rect.bottom}, inner, 1);
    Line(dc, {rect.right, rect.bottom}, {rect.left, rect.bottom}, inner, 1);
    Line(dc, {rect.right + 1, rect.top + 2}, {rect.right + 1, rect.bottom + 1}, outer, 1);
    Line(dc, {rect.right + 1, rect.bottom + 1}, {rect.left + 1, rect.bottom + 1}, outer, 1);
  }
  return rect;
}

void TCustomBackPanel::PaintBevels(Canvas& canvas, RECT& rect) {
  PaintPanelBevel(canvas, rect, BevelOuter(), BevelWidth(), Color());
  if (BevelOuter() != TPanelBevel::bvNone && borderColor_ == clNone)
    Frame3D(canvas, rect, Color(), Color(), 1);
  PaintPanelBevel(canvas, rect, BevelInner(), BevelWidth(), Color());
}

RECT TCustomBackPanel::ContentArea() const {
  RECT area = ClientRect();
  if (caption_.Visible()) area.top += CaptionBarHeight();
  if (borderShadow_) area.right -= 2, area.bottom -= 3;
  return area;
}

void TCustomBackPanel::PaintBackground(HDC dc, const RECT& area) {
  if (background_.Empty()) return;
  const SIZE picture{background_.Width(), background_.Height()}, panel{Width(), Height()};
  switch (backgroundPosition_) {
    case TBackGroundPosition::bpTiled:
      background_.DrawTiled(dc, TileOrigins(area, panel, picture));
      return;
    case TBackGroundPosition::bpStretched:
      background_.Draw(dc, area);
      return;
    default: {
      const POINT at = BackgroundOrigin(backgroundPosition_, area, panel, picture, BevelWidth());
      background_.Draw(dc, {at.x, at.y, at.x + picture.cx, at.y + picture.cy});
    }
  }
}

void TCustomBackPanel::PaintText(HDC dc, RECT area) {
  if (text_.empty()) return;
  InflateRect(&area, -BorderWidth(), -BorderWidth());
  area.left += indent_;
  area.top += topIndent_;
  MarkupCanvas canvas(dc, MarkupFontFrom(Font()));
  MarkupOptions options = TextOptions();
  // With a caption bar the text area already starts below it: the block is
  // centred or bottom-aligned in what remains, without moving down again.
  if (textVAlign_ != TTextVAlignment::tvaTop) {
    MarkupOptions measure = options;
    measure.MeasureOnly = true;
    MarkupResult measured;
    DrawMarkup(canvas, text_, area, measure, measured);
    const int room = area.bottom - area.top;
    if (measured.ExtentY < room)
      area.top +=
          textVAlign_ == TTextVAlignment::tvaCenter ? (room - measured.ExtentY) / 2 : room - measured.ExtentY;
  }
  MarkupResult result;
  DrawMarkup(canvas, text_, area, options, result);
}

void TCustomBackPanel::PaintCaptionBar(HDC dc) {
  const RECT bar = CaptionRect();
  const TColor fill = collaps_ ? caption_.CloseColor() : caption_.Color();
  if (caption_.ColorTo() == clNone || collaps_) {
    FillSolid(dc, bar, ColorToRGB(fill));
  } else {
    // Left to right: the vertical bands of the bar turned on its side.
    const RECT turned{bar.top, bar.left, bar.bottom, bar.right};
    for (const PanelBand& band : PanelGradientBands(ColorToRGB(fill), ColorToRGB(caption_.ColorTo()), turned))
      FillSolid(dc, {band.rect.top, band.rect.left, band.rect.bottom, band.rect.right}, band.color);
  }
  if (const RECT slot = CloseButtonRect(); !IsRectEmpty(&slot)) {
    HBITMAP glyph = collaps_ ? caption_.CloseMaxGlyph() : caption_.CloseMinGlyph();
    if (glyph)
      PaintGlyph(dc, glyph, slot);
    else
      PaintCross(dc, slot, ColorToRGB(caption_.CloseButtonColor()));
  }
  if (const RECT slot = MinMaxButtonRect(); !IsRectEmpty(&slot)) {
    HBITMAP glyph = collaps_ ? caption_.MaxGlyph() : caption_.MinGlyph();
    if (glyph)
      PaintGlyph(dc, glyph, slot);
    else
      PaintTriangle(dc, slot, ColorToRGB(caption_.MinMaxButtonColor()), !collaps_);
  }
  if (caption_.Text().empty()) return;
  RECT text = bar;
  const int buttons = (caption_.CloseButton() ? 20 : 0) + (caption_.MinMaxButton() ? 20 : 0);
  if (caption_.ButtonPosition() == TCaptionButtonPosition::cbpRight)
    text.right -= buttons;
  else
    text.left += buttons;
  text.left += caption_.Indent();
  text.top += caption_.TopIndent();
  MarkupCanvas canvas(dc, MarkupFontFrom(caption_.Font()));
  MarkupOptions options = TextOptions();
  options.HoverIndex = -1;
  MarkupResult result;
  DrawMarkup(canvas, caption_.Text(), text, options, result);
}

void TCustomBackPanel::PaintSizeGrip(HDC dc) {
  const int inset = FrameExtent() - BorderWidth() + (borderShadow_ ? 4 : 0);
  const int x = Width() - 1 - inset, y = Height() - 1 - inset;
  for (const GripLine& line : SizeGripLines(x, y)) Line(dc, line.from, line.to, line.color, line.width);
}
