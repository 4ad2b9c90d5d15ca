#pragma once
// The dialogs as their layout tables describe them, drawn here from those numbers
// with the system's own text calls, never by the program's code: what a shown
// dialog's area must hold. Areas are in the dialog's client coordinates.
#include <windows.h>

#include <string>

#include "pixel_area.h"

// What the screen shows of a window's client area.
PixelArea ShownArea(HWND window, const RECT& area);

// The dialogs' background tile: every row one grey, from the panel's top repeating
// every four rows: 238, 230, 238, 255.
COLORREF PinstripeRow(int y);

// The form font of every window, "ＭＳ Ｐゴシック" height -12 in the Shift-JIS
// character set, bold or not.
LOGFONTA FormFont(bool bold);

// A caption label of the dialogs: the text in black at the left of the box,
// vertically centred on one line, over a copy in grey 195 one pixel right and down,
// on the pinstripe; the box is 15 pixels high.
PixelArea CaptionLabelPicture(const RECT& box, const std::string& text);

// Where two areas of the same size differ: empty when they do not; otherwise how
// many pixels and the first, and both areas as maps of their greys, for the log.
std::string Differences(const PixelArea& shown, const PixelArea& expected);
