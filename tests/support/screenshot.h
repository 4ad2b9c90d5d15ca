#pragma once
// What the desktop shows: pictures for people to look at, pixels for tests.
#include <windows.h>

#include <string>
#include <vector>

// Saves the whole X display (Wine's desktop, pointer excluded) as out/<name>.png in
// the source tree; true on success.
bool SaveScreenshot(const std::string& name);
// The colours of the screen's pixels inside the rectangle, row by row.
std::vector<COLORREF> ScreenPixels(const RECT& area);
