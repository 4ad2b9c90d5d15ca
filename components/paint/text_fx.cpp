#include "components/paint/text_fx.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "framework/gdi.h"

namespace {
// A copy of the font turned counter-clockwise by angle degrees.
FontHandle TurnedFont(const TFont& font, int angle) {
  LOGFONTA lf{};
  GetObjectA(font.Handle(), sizeof lf, &lf);
  lf.lfEscapement = lf.lfOrientation = angle * 10;
  return FontHandle(CreateFontIndirectA(&lf));
}

class TextWriter {
 public:
  TextWriter(HDC dc, const std::string& text, UINT flags, const RECT& rect, const T3DCaption& effect)
      : dc_(dc), text_(text), flags_(flags), rect_(rect), effect_(effect) {}

  void Write(const TextPass& pass, int rightInset) {
    SetTextColor(dc_, pass.color);
    const int x = effect_.PosX() + pass.dx, y = effect_.PosY() + pass.dy;
    if (effect_.Angle() != 0) {
      ExtTextOutA(dc_, rect_.left + x, rect_.top + y, 0, nullptr, text_.data(),
                  static_cast<UINT>(text_.size()), nullptr);
      return;
    }
    RECT work = rect_;
    work.right -= rightInset;
    OffsetRect(&work, x, y);
    std::string buffer = text_;  // DrawTextExA takes a writable string
    DrawTextExA(dc_, buffer.data(), static_cast<int>(buffer.size()), &work, flags_, nullptr);
  }

 private:
  HDC dc_;
  const std::string& text_;
  UINT flags_;
  RECT rect_;
  const T3DCaption& effect_;
};
}  // namespace

void DrawTextFx(Canvas& canvas, const TFont& font, TColor brushColor, const std::string& text,
                const T3DCaption& effect, const RECT* clip, TDrawTextStyles styles, UINT flags,
                const RECT& rect) {
  if (text.empty() || IsRectEmpty(&rect)) return;
  HDC dc = canvas.Handle();
  const int saved = SaveDC(dc);  // clip, font, colours, mode and spacing all come back at the end
  if (styles.Contains(TDrawTextStyle::dtClip) && clip)
    IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);

  const TextFxLook look =
      ResolveTextFxLook(styles, effect.DisabledStyle(), effect.Style(), ColorToRGB(font.Color()),
                        ColorToRGB(brushColor), GetSysColor(COLOR_GRAYTEXT));
  FontHandle turned;
  if (effect.Angle() != 0) turned = TurnedFont(font, effect.Angle());
  SelectObject(dc, turned ? turned.Get() : font.Handle());
  if (effect.Tracing() != 0) SetTextCharacterExtra(dc, effect.Tracing());
  SetBkMode(dc, TRANSPARENT);

  const TextFxPlan plan =
      PlanTextFx(look.style, effect.LightDepth(), effect.ShadowDepth(), effect.Orientation(),
                 {ColorToRGB(effect.LightColor()), ColorToRGB(effect.ShadowColor()), look.color});
  TextWriter writer(dc, text, flags, rect, effect);
  if (plan.outline) {
    BeginPath(dc);
    writer.Write(plan.passes.front(), plan.rightInset);
    EndPath(dc);
    PenHandle pen(CreatePen(PS_SOLID, plan.penWidth, look.color));
    ScopedSelect select(dc, pen.Get());
    StrokePath(dc);
  } else {
    for (const TextPass& pass : plan.passes) writer.Write(pass, plan.rightInset);
  }
  RestoreDC(dc, saved);
}

TurnedBox TurnBox(int width, int height, int angle) {
  const double a = angle * std::numbers::pi / 180.0, c = std::cos(a), s = std::sin(a);
  // Corners of the text cell: along the baseline (cos, -sin) and down its height (sin, cos).
  const double xs[] = {0, width * c, height * s, width * c + height * s};
  const double ys[] = {0, -width * s, height * c, -width * s + height * c};
  const auto [minX, maxX] = std::minmax_element(std::begin(xs), std::end(xs));
  const auto [minY, maxY] = std::minmax_element(std::begin(ys), std::end(ys));
  return {{static_cast<LONG>(std::lround(*maxX - *minX)), static_cast<LONG>(std::lround(*maxY - *minY))},
          {static_cast<LONG>(std::lround(-*minX)), static_cast<LONG>(std::lround(-*minY))}};
}

namespace {
SIZE MeasureText(HDC dc, const std::string& text, UINT flags, const RECT& from) {
  RECT r = from;
  std::string buffer = text;
  DrawTextExA(dc, buffer.data(), static_cast<int>(buffer.size()), &r, flags | DT_CALCRECT, nullptr);
  return {r.right - r.left, r.bottom - r.top};
}

SIZE MeasureLine(HDC dc, const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  return size;
}
}  // namespace

TextFxExtent CalcTextFx(const TFont& font, const std::string& text, const T3DCaption& effect, UINT flags,
                        int bevelExtent, bool showAccelChar, bool multiLine, const RECT& rect) {
  // Nothing to measure still needs a line's height, and a lone "&" is only a prefix.
  const std::string measured = text.empty() || (showAccelChar && text == "&") ? std::string(" ") : text;
  WindowDC screen(nullptr);
  ScopedSelect select(screen.Get(), font.Handle());
  TextFxExtent extent{rect, {0, 0}};
  SIZE size;
  if (effect.Angle() != 0) {
    const SIZE line = MeasureLine(screen.Get(), measured);
    const TurnedBox box = TurnBox(line.cx, line.cy, effect.Angle());
    size = box.size;
    extent.origin = box.origin;
  } else {
    flags |= DT_EXPANDTABS | (multiLine ? DT_WORDBREAK : 0) | (showAccelChar ? 0 : DT_NOPREFIX);
    size = MeasureText(screen.Get(), measured, flags, rect);
  }
  const int grow =
      EffectDepth(effect.Style(), effect.LightDepth(), effect.ShadowDepth()) + 2 * (bevelExtent + 1);
  extent.rect.right = rect.left + size.cx + grow;
  extent.rect.bottom = rect.top + size.cy + grow;
  return extent;
}

RECT AlignTextRect(const TFont& font, const std::string& text, UINT flags, TBoxAlignment alignment,
                   const RECT& rect, int angle) {
  WindowDC screen(nullptr);
  ScopedSelect select(screen.Get(), font.Handle());
  SIZE size;
  if (angle != 0) {
    const SIZE line = MeasureLine(screen.Get(), text);
    size = TurnBox(line.cx, line.cy, angle).size;
  } else {
    // The block keeps the rectangle's width so the lines break where they will be drawn.
    size = MeasureText(screen.Get(), text, flags & ~(DT_VCENTER | DT_BOTTOM), rect);
    size.cx = rect.right - rect.left;
  }
  return PlaceBox(rect, size.cx, size.cy, alignment);
}
