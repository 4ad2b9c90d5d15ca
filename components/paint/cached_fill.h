#pragma once
// A control's background picture made from its fill object: built at the control's
// size and kept while it still covers the control, except a gradient, which
// depends on the size and is always built again.
#include <windows.h>

#include "components/paint/fill_object.h"
#include "framework/color.h"
#include "framework/gdi.h"

class TCachedFill {
 public:
  bool Exists() const { return static_cast<bool>(bitmap_); }
  HBITMAP Bitmap() const { return bitmap_.Get(); }
  void Drop() { bitmap_.Reset(); }
  // Paints fill (over color) into a width x height picture unless, when not forced,
  // the existing picture already covers that size and the fill is no gradient.
  void Rebuild(const TFillObject& fill, TColor color, int width, int height, bool force);
  // Copies the part of the picture under area (in control coordinates) to dc.
  void CopyTo(HDC dc, const RECT& area) const;

 private:
  BitmapHandle bitmap_;
  int width_ = 0, height_ = 0;
};
