#pragma once
// Where the quick-select popup opens: above the pointer with its left edge at it,
// kept inside the monitor the pointer is on. A pure function, so every case can be
// worked out without a window or a second screen.
#include <windows.h>

#include <functional>

// The popup's top-left corner for a popup of width × height with the pointer at
// pointer, inside monitor (that monitor's full rectangle, which on a second screen
// may lie at negative coordinates).
POINT PlacePopup(POINT pointer, int width, int height, const RECT& monitor);

// The full rectangle of the monitor under the point, or of the nearest one when the
// point is on none.
RECT MonitorRectAt(POINT point);

// Finds the monitor under a point: MonitorRectAt, or what a test puts in its place
// to show a desk with monitors that the machine it runs on does not have.
using MonitorLookup = std::function<RECT(POINT)>;
