#pragma once
// The passes that make up a 3D caption: for each style, where each copy of the text
// goes and in which colour, worked out without a device context.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "components/paint/caption_3d.h"
#include "framework/enum_set.h"

enum class TDrawTextStyle : std::uint8_t {
  dtDisabled,
  dtEnabled,
  dt3DDisabled,
  dtClip,
  dtAccelChar,
  dtAutoSize,
  dtRectText,
  dtRectGlyph,
  dtRectGlyphText,
  dtCalculate,
  dtGhostGlyph,
  dtRectClip,
};
using TDrawTextStyles = EnumSet<TDrawTextStyle>;

// The style and text colour a caption is drawn with once enabled-ness is taken into account.
struct TextFxLook {
  TThreeDStyle style;
  COLORREF color;
};
// fontColor and brushColor are the canvas's; grayText is the system's grey-text colour.
TextFxLook ResolveTextFxLook(TDrawTextStyles styles, TDisabledStyle disabledStyle, TThreeDStyle style,
                             COLORREF fontColor, COLORREF brushColor, COLORREF grayText);

struct TextPass {
  int dx, dy;  // from the working rectangle's origin
  COLORREF color;
};

struct TextFxPlan {
  int rightInset = 0;  // how much the working rectangle narrows on the right first
  std::vector<TextPass> passes;
  // tdOutline: the single pass is recorded as a path and stroked with a pen this wide.
  bool outline = false;
  int penWidth = 0;
};

struct TextFxColors {
  COLORREF light, shadow, text;
};
TextFxPlan PlanTextFx(TThreeDStyle style, int lightDepth, int shadowDepth, TThreeDOrientation orientation,
                      const TextFxColors& colors);

// Copy index of count extrusion copies: shadow blended towards light by (count - index - 1) / count.
COLORREF ExtrudeBlend(COLORREF shadow, COLORREF light, int index, int count);

// Pixels an effect adds to the width and the height of the text.
int EffectDepth(TThreeDStyle style, int lightDepth, int shadowDepth);
