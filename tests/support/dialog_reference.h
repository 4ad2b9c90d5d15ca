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

// The labels beside the editor's boxes: the text in black at the top left of a box
// sized to it (its DT_CALCRECT extent and a pixel on each side), no effect, on the
// pinstripe; top is the box's in the dialog.
PixelArea PlainLabelPicture(int top, const std::string& text, const LOGFONTA& font);
// Arial, bold, of that height, in the default character set.
LOGFONTA ArialBold(int height);

// A skinned button at rest, as the screen shows it (72 x 24), against the normal
// frame of its skin strip (a 72-wide face is that frame itself): the pixels inside
// the frame's rounded clip, in the button's ends (12 pixels each side, where no
// caption reaches), where the strip is not its silver key colour (the panel's
// colour replaces that around the shape).
struct SkinComparison {
  int compared = 0, differing = 0;
};
SkinComparison CompareWithStrip(const PixelArea& shown, const PixelArea& strip);

// Where two areas of the same size differ: empty when they do not; otherwise how
// many pixels and the first, and both areas as maps of their greys, for the log.
std::string Differences(const PixelArea& shown, const PixelArea& expected);
