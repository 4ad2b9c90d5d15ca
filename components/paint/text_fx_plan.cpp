#include "components/paint/text_fx_plan.h"

TextFxLook ResolveTextFxLook(TDrawTextStyles styles, TDisabledStyle disabledStyle, TThreeDStyle style,
                             COLORREF fontColor, COLORREF brushColor, COLORREF grayText) {
  if (styles.Contains(TDrawTextStyle::dtEnabled) || disabledStyle == TDisabledStyle::dsNone) {
    const bool brushColored = style == TThreeDStyle::tdPColorSunken || style == TThreeDStyle::tdPColorRaised;
    return {style, brushColored ? brushColor : fontColor};
  }
  const bool sunken =
      disabledStyle == TDisabledStyle::ds3d ||
      (disabledStyle == TDisabledStyle::dsAuto && styles.Contains(TDrawTextStyle::dt3DDisabled));
  return {sunken ? TThreeDStyle::tdSunken : style, grayText};
}

COLORREF ExtrudeBlend(COLORREF shadow, COLORREF light, int index, int count) {
  if (count <= 0) return shadow;
  const int weight = count - index - 1;  // of count; the result is exact, then cut towards zero
  auto channel = [&](int s, int l) { return (s * count + weight * (l - s)) / count; };
  return RGB(channel(GetRValue(shadow), GetRValue(light)), channel(GetGValue(shadow), GetGValue(light)),
             channel(GetBValue(shadow), GetBValue(light)));
}

namespace {
struct Extrusion {
  POINT start, step;
};

Extrusion ExtrusionOf(TThreeDOrientation orientation, int s) {
  switch (orientation) {
    case TThreeDOrientation::toBottomLeft:
      return {{0, s + 1}, {1, -1}};
    case TThreeDOrientation::toBottomRight:
      return {{s + 1, s + 1}, {-1, -1}};
    case TThreeDOrientation::toTopLeft:
      return {{0, 0}, {1, 1}};
    case TThreeDOrientation::toTopRight:
      return {{s + 1, 0}, {-1, 1}};
  }
  return {{0, 0}, {1, 1}};
}

void AddExtrusion(TextFxPlan& plan, TThreeDOrientation orientation, int s, bool blended,
                  const TextFxColors& c) {
  const Extrusion e = ExtrusionOf(orientation, s);
  POINT at = e.start;
  for (int i = 0; i < s; ++i) {
    at.x += e.step.x, at.y += e.step.y;
    plan.passes.push_back({at.x, at.y, blended ? ExtrudeBlend(c.shadow, c.light, i, s) : c.shadow});
  }
  plan.passes.push_back({at.x, at.y, c.text});
}
}  // namespace

TextFxPlan PlanTextFx(TThreeDStyle style, int l, int s, TThreeDOrientation orientation,
                      const TextFxColors& c) {
  TextFxPlan plan;
  switch (style) {
    case TThreeDStyle::tdNone:
      plan.passes = {{0, 0, c.text}};
      break;
    case TThreeDStyle::tdSunken:
      plan.rightInset = l;
      plan.passes = {{l, l, c.light}, {0, 0, c.text}};
      break;
    case TThreeDStyle::tdRaised:
      plan.rightInset = l;
      plan.passes = {{0, 0, c.light}, {l, l, c.text}};
      break;
    case TThreeDStyle::tdSunkenShadow:
    case TThreeDStyle::tdPColorSunken:
      plan.rightInset = l + s;
      plan.passes = {{0, 0, c.shadow}, {l + s, l + s, c.light}, {s, s, c.text}};
      break;
    case TThreeDStyle::tdRaisedShadow:
    case TThreeDStyle::tdPColorRaised:
      plan.rightInset = l + s;
      plan.passes = {{l + s, l + s, c.shadow}, {0, 0, c.light}, {l, l, c.text}};
      break;
    case TThreeDStyle::tdShadow:
      plan.rightInset = s;
      plan.passes = {{s, s, c.shadow}, {0, 0, c.text}};
      break;
    case TThreeDStyle::tdOutline:
      plan.outline = true;
      plan.penWidth = s;
      plan.passes = {{s / 2, s / 2, c.text}};
      break;
    case TThreeDStyle::tdExtrude:
    case TThreeDStyle::tdExtrudeEnh:
      AddExtrusion(plan, orientation, s, style == TThreeDStyle::tdExtrudeEnh, c);
      break;
  }
  return plan;
}

int EffectDepth(TThreeDStyle style, int l, int s) {
  switch (style) {
    case TThreeDStyle::tdNone:
      return 0;
    case TThreeDStyle::tdSunken:
    case TThreeDStyle::tdRaised:
      return l;
    case TThreeDStyle::tdSunkenShadow:
    case TThreeDStyle::tdRaisedShadow:
    case TThreeDStyle::tdPColorSunken:
    case TThreeDStyle::tdPColorRaised:
      return l + s;
    default:
      return s;
  }
}
