#pragma once
// What the desktop shows: pictures for people to look at, pixels for tests.
#include <windows.h>

#include <string>
#include <vector>

// Where a test keeps a picture for people to look at: out/<arch>/<name> in the
// source tree, one folder per build so the two builds' pictures sit side by side.
std::string OutPath(const std::string& name);
// Saves the whole X display (Wine's desktop, pointer excluded) as OutPath(<name>.png);
// true on success.
bool SaveScreenshot(const std::string& name);
// The colours of the screen's pixels inside the rectangle, row by row.
std::vector<COLORREF> ScreenPixels(const RECT& area);
// The same of a window's client area, read from the window's own DC: what it has
// painted so far, whether or not Wine has passed it on to the X display yet.
std::vector<COLORREF> WindowPixels(HWND window, const RECT& area);
