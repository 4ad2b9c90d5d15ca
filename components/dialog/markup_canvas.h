#pragma once
// The drawing surface the markup renderer works on: one DC with a current font
// (face, height, styles and colour), a brush colour (none means clear) and a pen.
// The font and colours are put into the DC whenever its handle is fetched, so
// text is drawn on a filled cell while a brush colour is set and transparently
// otherwise.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "framework/color.h"
#include "framework/font.h"
#include "framework/gdi.h"

struct MarkupFont {
  std::string Name = "MS Sans Serif";
  int Height = -11;  // as in LOGFONT: a negative value is the character height in pixels
  BYTE Charset = DEFAULT_CHARSET;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  TColor Color = clWindowText;

  bool operator==(const MarkupFont&) const = default;
  // Everything that makes a different font handle, which the colour does not.
  bool SameFace(const MarkupFont& other) const;
};

MarkupFont MarkupFontFrom(const TFont& font);

class MarkupCanvas {
 public:
  MarkupCanvas(HDC dc, MarkupFont font);
  ~MarkupCanvas();  // the DC gets its own font back
  MarkupCanvas(const MarkupCanvas&) = delete;
  MarkupCanvas& operator=(const MarkupCanvas&) = delete;

  // The DC with the current font selected and the text and background colours set.
  HDC Handle();

  MarkupFont& Font() { return font_; }
  const MarkupFont& Font() const { return font_; }
  void SetFontSize(int points);  // through the DC's vertical resolution

  TColor BrushColor = clNone;
  TColor PenColor = clBlack;
  int PenWidth = 1;

  SIZE TextExtent(std::string_view text);
  int TextHeight(std::string_view text) { return TextExtent(text).cy; }
  int TextWidth(std::string_view text) { return TextExtent(text).cx; }
  // DrawTextA; a text whose colour is none is measured but not drawn.
  void DrawTextRect(std::string_view text, RECT& rect, UINT format);
  // The rectangle in the brush colour; nothing while the brush is clear.
  void FillRect(const RECT& rect) { FillRect(rect, BrushColor); }
  void FillRect(const RECT& rect, TColor color);
  // A line through the points with the current pen.
  void Polyline(const std::vector<POINT>& points);

  // Selects a copy of the DC's current font turned by tenths of a degree; each one
  // stays until PopRotatedFont, which selects the font that was there before.
  void PushRotatedFont(int tenthsOfDegree);
  void PopRotatedFont();
  void PopAllRotatedFonts();

 private:
  void SelectFont(HFONT font);

  HDC dc_;
  MarkupFont font_;
  MarkupFont madeFrom_;
  FontHandle handle_;
  HGDIOBJ originalFont_ = nullptr;
  bool selected_ = false;
  std::vector<FontHandle> rotated_;
};
