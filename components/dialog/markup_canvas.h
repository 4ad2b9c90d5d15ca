#pragma once
// The drawing surface the markup renderer works on: one DC with a current font
// (face, height, styles and colour), a brush colour (none means clear) and a pen.
// The font and colours are put into the DC whenever its handle is fetched, so
// text is drawn on a filled cell while a brush colour is set and transparently
// otherwise.
#include <windows.h>

#include <array>
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
  int TextHeight(std::string_view text);
  int TextWidth(std::string_view text);
  // DrawTextA; a text whose colour is none is measured but not drawn.
  void DrawTextRect(std::string_view text, RECT& rect, UINT format);
  // The width DrawTextRect with DT_CALCRECT would give the text in that rectangle.
  int DrawnWidth(std::string_view text, const RECT& rect, UINT format);
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
  // A font made for one face. It is kept while the canvas lives, so markup that
  // switches a style on and off selects the font it made before instead of making
  // another, and what it measured once (it never changes for a font) is not
  // asked of the system again.
  struct MadeFont {
    MarkupFont face;
    FontHandle handle;
    bool measured = false;
    int height = 0;             // of any text of printable ASCII characters
    bool haveWidths = false;    // the system gave the widths below
    std::array<ABC, 95> abc{};  // of ' ' to '~'
  };
  // Text measured from a font's widths: what the drawing call shows ("&&" as one
  // "&") and how wide it is.
  struct PlainRun {
    std::wstring shown;
    int width = 0;
  };
  static constexpr std::size_t kKeptFonts = 16;

  void UseFont(HFONT font);
  void SelectFace();
  // Index into fonts_ of the font for the face, made when there is none yet;
  // fonts_.size() when the system makes none.
  std::size_t FontFor(const MarkupFont& face);
  // Measures the font, which is selected.
  void Measure(MadeFont& font);
  // The current face's font, selected, with its measurements; none while a turned
  // font is selected, whose text runs another way.
  MadeFont* Measured();
  // Fills run from the font's widths; false when the text is not plain enough.
  static bool LayOut(const MadeFont& font, std::string_view text, PlainRun& run);

  HDC dc_;
  MarkupFont font_;
  std::vector<MadeFont> fonts_;
  std::size_t current_ = 0;  // index into fonts_ of the selected face, when there is one
  bool haveCurrent_ = false;
  HGDIOBJ originalFont_ = nullptr;
  bool selected_ = false;
  std::vector<FontHandle> rotated_;
  PlainRun run_;  // kept to reuse its buffer
};
