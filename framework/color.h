#pragma once
// Colours as 32-bit values: an RGB colour, or 0x80000000 plus a system colour index.
#include <windows.h>

#include <cstdint>

using TColor = std::uint32_t;

inline constexpr TColor clBtnFace = 0x8000000F;
inline constexpr TColor clBtnText = 0x80000012;
inline constexpr TColor clBtnShadow = 0x80000010;
inline constexpr TColor clBtnHighlight = 0x80000014;
inline constexpr TColor clWindow = 0x80000005;
inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clHighlight = 0x8000000D;
inline constexpr TColor clHighlightText = 0x8000000E;
inline constexpr TColor clGrayText = 0x80000011;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clGray = 0x808080;

inline COLORREF ColorToRGB(TColor color) {
  return (color & 0x80000000) ? GetSysColor(static_cast<int>(color & 0xFF)) : static_cast<COLORREF>(color);
}
