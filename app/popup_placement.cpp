#include "app/popup_placement.h"

namespace {
// Pushed off the monitor's right edge, the popup keeps this far clear of it; it keeps
// as far clear of the pointer above it.
constexpr int kGap = 10;
}  // namespace

POINT PlacePopup(POINT pointer, int width, int height, const RECT& monitor) {
  POINT at{pointer.x, pointer.y - height - kGap};
  if (at.x > monitor.right - width) at.x = monitor.right - width - kGap;
  if (at.y < monitor.top) at.y = monitor.top;
  return at;
}

RECT MonitorRectAt(POINT point) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info))
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return info.rcMonitor;
}
