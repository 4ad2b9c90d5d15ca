#pragma once
// The background panel's caption bar settings: values only. OnChange asks for a
// repaint, OnStateChange for a new layout of the children (visibility, height).
#include <cstdint>
#include <string>

#include "components/paint/change_notice.h"
#include "framework/color.h"
#include "framework/font.h"
#include "framework/gdi.h"

enum class TCaptionButtonPosition : std::uint8_t { cbpRight, cbpLeft };
enum class TCaptionShape : std::uint8_t { csRectangle, csRounded, csSemiRounded };
enum class TShadeType : std::uint8_t {
  stNormal,
  stNoise,
  stDiagShade,
  stHShade,
  stVShade,
  stHBump,
  stVBump,
  stSoftBump,
  stHardBump,
  stLMetal,
  stRMetal,
  stIRadial,
  stORadial,
  stHShadeInv,
  stVShadeInv,
  stXPCaption,
  stBitmap,
  stBitmapRStretch,
  stBitmapLStretch,
};

class TPanelCaption {
 public:
  TPanelCaption();
  TPanelCaption(const TPanelCaption&) = delete;
  TPanelCaption& operator=(const TPanelCaption&) = delete;

  bool Visible() const { return visible_; }
  void SetVisible(bool value) { SetAndNotify(visible_, value, OnStateChange); }
  int Height() const { return height_; }
  void SetHeight(int value) { SetAndNotify(height_, value, OnStateChange); }
  const std::string& Text() const { return text_; }
  void SetText(std::string value) { SetAndNotify(text_, std::move(value), OnChange); }
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  TColor Color() const { return color_; }
  void SetColor(TColor value) { SetAndNotify(color_, value, OnChange); }
  TColor ColorTo() const { return colorTo_; }
  void SetColorTo(TColor value) { SetAndNotify(colorTo_, value, OnChange); }
  TColor CloseColor() const { return closeColor_; }
  void SetCloseColor(TColor value) { SetAndNotify(closeColor_, value, OnChange); }
  bool CloseButton() const { return closeButton_; }
  void SetCloseButton(bool value) { SetAndNotify(closeButton_, value, OnChange); }
  bool MinMaxButton() const { return minMaxButton_; }
  void SetMinMaxButton(bool value) { SetAndNotify(minMaxButton_, value, OnChange); }
  TColor CloseButtonColor() const { return closeButtonColor_; }
  void SetCloseButtonColor(TColor value) { SetAndNotify(closeButtonColor_, value, OnChange); }
  TColor MinMaxButtonColor() const { return minMaxButtonColor_; }
  void SetMinMaxButtonColor(TColor value) { SetAndNotify(minMaxButtonColor_, value, OnChange); }
  TCaptionButtonPosition ButtonPosition() const { return buttonPosition_; }
  void SetButtonPosition(TCaptionButtonPosition value) { SetAndNotify(buttonPosition_, value, OnChange); }
  bool Flat() const { return flat_; }
  void SetFlat(bool value) { SetAndNotify(flat_, value, OnChange); }
  int Indent() const { return indent_; }
  void SetIndent(int value) { SetAndNotify(indent_, value, OnChange); }
  int TopIndent() const { return topIndent_; }
  void SetTopIndent(int value) { SetAndNotify(topIndent_, value, OnChange); }
  // The shadings other than stNormal are drawn as the plain colour.
  TShadeType ShadeType() const { return shadeType_; }
  void SetShadeType(TShadeType value) { SetAndNotify(shadeType_, value, OnShadeChange); }
  int ShadeLight() const { return shadeLight_; }
  void SetShadeLight(int value) { SetAndNotify(shadeLight_, value, OnShadeChange); }
  int ShadeGrain() const { return shadeGrain_; }
  void SetShadeGrain(int value) { SetAndNotify(shadeGrain_, value, OnShadeChange); }
  TCaptionShape Shape() const { return shape_; }
  void SetShape(TCaptionShape value) { SetAndNotify(shape_, value, OnChange); }
  // Glyphs drawn instead of the plain buttons; the caption owns them.
  HBITMAP CloseMinGlyph() const { return closeMinGlyph_.Get(); }
  void SetCloseMinGlyph(HBITMAP value) { SetGlyph(closeMinGlyph_, value); }
  HBITMAP CloseMaxGlyph() const { return closeMaxGlyph_.Get(); }
  void SetCloseMaxGlyph(HBITMAP value) { SetGlyph(closeMaxGlyph_, value); }
  HBITMAP MinGlyph() const { return minGlyph_.Get(); }
  void SetMinGlyph(HBITMAP value) { SetGlyph(minGlyph_, value); }
  HBITMAP MaxGlyph() const { return maxGlyph_.Get(); }
  void SetMaxGlyph(HBITMAP value) { SetGlyph(maxGlyph_, value); }

  Event<> OnChange;
  Event<> OnStateChange;
  Event<> OnShadeChange;

 private:
  void SetGlyph(BitmapHandle& glyph, HBITMAP value);

  bool visible_ = false;
  int height_ = 20;
  std::string text_;
  TFont font_;
  TColor color_ = clHighlight;
  TColor colorTo_ = clNone;
  TColor closeColor_ = clBtnFace;
  bool closeButton_ = false;
  bool minMaxButton_ = false;
  TColor closeButtonColor_ = clWhite;
  TColor minMaxButtonColor_ = clWhite;
  TCaptionButtonPosition buttonPosition_ = TCaptionButtonPosition::cbpRight;
  bool flat_ = false;
  int indent_ = 0;
  int topIndent_ = 0;
  TShadeType shadeType_ = TShadeType::stNormal;
  int shadeLight_ = 200;
  int shadeGrain_ = 32;
  TCaptionShape shape_ = TCaptionShape::csRectangle;
  BitmapHandle closeMinGlyph_, closeMaxGlyph_, minGlyph_, maxGlyph_;
};
