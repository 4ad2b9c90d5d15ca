#pragma once
// The font every window of the program has in its layout, and its controls with it:
// "ＭＳ Ｐゴシック", height -12, Shift-JIS.
#include "framework/font.h"

// "ＭＳ Ｐゴシック"
inline constexpr char kFormFontName[] =
    "\x82l\x82r \x82o\x83S\x83V\x83"
    "b\x83N";

inline void SetFormFont(TFont& font) { font.Set(kFormFontName, -12, SHIFTJIS_CHARSET); }
