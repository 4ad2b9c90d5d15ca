#pragma once
// The face of a skinned push button, composed from a skin strip without any window:
// the strip holds four 72-pixel frames (normal, hot, pressed, disabled), each a left
// end, a middle and a right end of 24 x 24; the face stacks the four frames, stretched
// to the button's width by repeating the middle, one under the other.
#include <windows.h>

#include <cstdint>

#include "framework/pixel_image.h"

inline constexpr int kSkinSlice = 24;       // width and height of one slice
inline constexpr int kSkinFrameWidth = 72;  // three slices
inline constexpr int kSkinFrames = 4;
inline constexpr int kSkinFaceHeight = kSkinSlice * kSkinFrames;

// The frames in strip order, which is also their row order in the face.
enum class TSkinFrame : std::uint8_t { Normal, Hot, Pressed, Disabled };

// Steps before the corners: a width x 96 face filled with background, then for every
// frame the middle block repeated across, the left end at 0 and the right end at
// width - 24. Blocks the strip does not have (a short or empty strip) leave the
// background showing.
PixelImage ArrangeSkinFace(const PixelImage& strip, int width, COLORREF background);

// Replaces the key colour around the button shapes, as far as it is connected to the
// corners where every frame's surroundings begin, with the parent's colour.
void FillSkinCorners(PixelImage& face, COLORREF key, COLORREF parentColour);

// The frame a button shows for its state.
TSkinFrame SkinFrameFor(bool enabled, bool pointerInside, bool pressed, bool hotFrameUsed);

// The rounded rectangle a frame is clipped to, in the coordinates of the button's
// parent (bounds is the button's rectangle there).
struct SkinMask {
  RECT rect;
  int ellipseWidth;
  int ellipseHeight;
};
SkinMask SkinMaskFor(TSkinFrame frame, const RECT& bounds);
