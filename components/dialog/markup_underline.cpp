#include "components/dialog/markup_underline.h"

#include <algorithm>

std::vector<POINT> ErrorUnderlinePoints(int left, int right, int bottom, int clipLeft, int clipRight) {
  long long x = left / 2 * 2;
  int offset = x % 4 == 0 ? 2 : 0;
  // The pattern repeats every 4 pixels, so whole periods left of the clip are skipped.
  if (clipLeft - 4LL > x) x += (clipLeft - 4LL - x) / 4 * 4;
  const long long end = std::min<long long>(right, clipRight + 4LL);
  std::vector<POINT> points;
  points.push_back({static_cast<LONG>(x), bottom + offset - 1});
  while (x < end) {
    offset = 2 - offset;
    points.push_back({static_cast<LONG>(x + 2), bottom + offset - 1});
    x += 2;
  }
  return points;
}
