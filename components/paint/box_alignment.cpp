#include "components/paint/box_alignment.h"

THorizontalPlace HorizontalPlace(TBoxAlignment alignment) {
  switch (static_cast<int>(alignment) % 3) {
    case 0:
      return THorizontalPlace::Left;
    case 1:
      return THorizontalPlace::Center;
    default:
      return THorizontalPlace::Right;
  }
}

TVerticalPlace VerticalPlace(TBoxAlignment alignment) {
  switch (static_cast<int>(alignment) / 3) {
    case 0:
      return TVerticalPlace::Top;
    case 1:
      return TVerticalPlace::Center;
    default:
      return TVerticalPlace::Bottom;
  }
}

UINT AlignmentFlags(TBoxAlignment alignment) {
  UINT flags = 0;
  switch (HorizontalPlace(alignment)) {
    case THorizontalPlace::Left:
      break;
    case THorizontalPlace::Center:
      flags |= DT_CENTER;
      break;
    case THorizontalPlace::Right:
      flags |= DT_RIGHT;
      break;
  }
  switch (VerticalPlace(alignment)) {
    case TVerticalPlace::Top:
      break;
    case TVerticalPlace::Center:
      flags |= DT_VCENTER;
      break;
    case TVerticalPlace::Bottom:
      flags |= DT_BOTTOM;
      break;
  }
  return flags;
}

namespace {
int Place(int low, int high, int size, int where) {  // where: 0 start, 1 centre, 2 end
  switch (where) {
    case 1:
      return low + (high - low - size) / 2;
    case 2:
      return high - size;
    default:
      return low;
  }
}
}  // namespace

RECT PlaceBox(const RECT& outer, int width, int height, TBoxAlignment alignment) {
  const int left = Place(outer.left, outer.right, width, static_cast<int>(HorizontalPlace(alignment)));
  const int top = Place(outer.top, outer.bottom, height, static_cast<int>(VerticalPlace(alignment)));
  return {left, top, left + width, top + height};
}
