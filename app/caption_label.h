#pragma once
// The caption labels of the slot editor and the About box share one look: the bold
// form font at the left of a box 15 pixels high, vertically centred, with a light
// grey copy one pixel down and to the right. LightDepth is 4 as the dialogs have it,
// though the shadow style draws with ShadowDepth, which stays at 1.
#include <memory>

#include "components/dialog/simple_label.h"

inline constexpr TColor kCaptionShadowColor = 12829635;  // light grey: red, green and blue 195
inline constexpr int kCaptionLabelHeight = 15;

std::unique_ptr<TSimpleLabel> MakeCaptionLabel(Component* owner, TWinControl& parent, const char* name,
                                               const char* caption, int left, int top, int width);
