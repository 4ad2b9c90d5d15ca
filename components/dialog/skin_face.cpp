#include "components/dialog/skin_face.h"

PixelImage ArrangeSkinFace(const PixelImage& strip, int width, COLORREF background) {
  if (width <= 0) return {};
  PixelImage face(width, kSkinFaceHeight, background);
  const int segments = width / kSkinSlice + 1;
  for (int frame = 0; frame < kSkinFrames; ++frame) {
    const int stripX = frame * kSkinFrameWidth, faceY = frame * kSkinSlice;
    // Middles first, one block past the right edge included: the ends cover what they must.
    for (int i = 0; i <= segments; ++i)
      face.CopyFrom(strip, stripX + kSkinSlice, 0, kSkinSlice, kSkinSlice, i * kSkinSlice, faceY);
    face.CopyFrom(strip, stripX, 0, kSkinSlice, kSkinSlice, 0, faceY);
    face.CopyFrom(strip, stripX + 2 * kSkinSlice, 0, kSkinSlice, kSkinSlice, width - kSkinSlice, faceY);
  }
  return face;
}

void FillSkinCorners(PixelImage& face, COLORREF key, COLORREF parentColour) {
  const int right = face.Width() - 1, bottom = face.Height() - 1;
  // Top-left of the normal, pressed and disabled frames, the disabled frame's right
  // edge and the face's bottom-left; the hot frame's surroundings join the normal one's.
  const POINT seeds[] = {
      {0, 0}, {0, 2 * kSkinSlice}, {0, 3 * kSkinSlice}, {right, 3 * kSkinSlice}, {0, bottom}};
  for (const POINT& seed : seeds) face.FloodFill(seed.x, seed.y, key, parentColour);
}

TSkinFrame SkinFrameFor(bool enabled, bool pointerInside, bool pressed, bool hotFrameUsed) {
  if (!enabled) return TSkinFrame::Disabled;
  if (pointerInside && pressed) return TSkinFrame::Pressed;
  if (pointerInside && hotFrameUsed) return TSkinFrame::Hot;
  return TSkinFrame::Normal;
}

SkinMask SkinMaskFor(TSkinFrame frame, const RECT& bounds) {
  const LONG l = bounds.left, t = bounds.top, w = bounds.right - bounds.left;
  switch (frame) {
    case TSkinFrame::Disabled:
    case TSkinFrame::Pressed:
      return {{l + 2, t + 2, l + w - 1, t + 23}, 13, 13};
    case TSkinFrame::Hot:
      return {{l + 2, t + 2, l + w - 2, t + 22}, 16, 16};
    case TSkinFrame::Normal:
      break;
  }
  return {{l + 3, t + 1, l + w - 2, t + 24}, 13, 12};
}
