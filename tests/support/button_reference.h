#pragma once
// A panel button at rest as its layout describes it, drawn here with the system's own
// calls (the visual style's push-button image, or DrawEdge's frame on the button
// face, and DrawTextExA for the caption in the form font), never by the program's
// code: what a shown button must look like.
#include <windows.h>

#include <string>
#include <vector>

#include "pixel_area.h"

enum class ButtonStyle {
  Win40Ext,  // the main window's: a thin raised border at rest
  Win40,     // the popup's: the raised two-edge frame
};

struct ButtonPicture {
  PixelArea pixels;
  // The pixels to compare: false where the button shows what lies behind it (the
  // themed corners of a transparent button).
  bool Compared(int x, int y) const;
  bool transparentCorners = false;
};

// How many of the compared pixels of shown (the button's area, row by row) differ.
int DifferingPixels(const ButtonPicture& expected, const std::vector<COLORREF>& shown);

// A button of that size, style and caption at rest, themed or classic; opaque
// buttons fill their face colour under the themed image.
ButtonPicture PanelButtonPicture(int width, int height, ButtonStyle style, bool themed, bool opaque,
                                 const std::string& caption);
