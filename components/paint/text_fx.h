#pragma once
// Drawing and measuring captions with a 3D effect (T3DCaption) or a turned one (TFxCaption).
#include <windows.h>

#include <string>

#include "components/paint/box_alignment.h"
#include "components/paint/caption_3d.h"
#include "components/paint/text_fx_plan.h"
#include "framework/canvas.h"
#include "framework/font.h"

// Draws text into rect with DrawText flags, in the font's colour (the brush colour for
// the colour-sunken and colour-raised styles), or greyed when styles lacks dtEnabled.
// With dtClip and a clip rectangle, nothing falls outside clip.
void DrawTextFx(Canvas& canvas, const TFont& font, TColor brushColor, const std::string& text,
                const T3DCaption& effect, const RECT* clip, TDrawTextStyles styles, UINT flags,
                const RECT& rect);

// The size a caption needs, measured on the screen from rect's origin: its text with
// flags (DT_CALCRECT and DT_EXPANDTABS added, DT_WORDBREAK when multiLine), widened by
// the effect's depth and by a one-pixel margin plus the bevel extent on every side.
// A turned caption's measure also yields the text origin that keeps it inside.
struct TextFxExtent {
  RECT rect;
  POINT origin;  // for a turned caption: where its text starts inside the text rectangle
};
TextFxExtent CalcTextFx(const TFont& font, const std::string& text, const T3DCaption& effect, UINT flags,
                        int bevelExtent, bool showAccelChar, bool multiLine, const RECT& rect);

// The rectangle a multi-line or turned caption takes inside rect when aligned there.
RECT AlignTextRect(const TFont& font, const std::string& text, UINT flags, TBoxAlignment alignment,
                   const RECT& rect, int angle);

// The bounding size and top-left text origin of a width x height text turned by angle degrees.
struct TurnedBox {
  SIZE size;
  POINT origin;
};
TurnedBox TurnBox(int width, int height, int angle);
