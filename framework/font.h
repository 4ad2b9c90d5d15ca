#pragma once
// A font description with a lazily made handle; a change drops the handle and
// tells the owner (OnChange), which repaints or lays out again.
#include <windows.h>

#include <string>

#include "framework/color.h"
#include "framework/events.h"
#include "framework/gdi.h"

class TFont {
 public:
  TFont() = default;
  TFont(const TFont& other) { Assign(other); }
  TFont& operator=(const TFont& other) {
    Assign(other);
    return *this;
  }

  const std::string& Name() const { return name_; }
  int Height() const { return height_; }
  BYTE Charset() const { return charset_; }
  TColor Color() const { return color_; }
  bool Bold() const { return bold_; }
  bool Underline() const { return underline_; }
  BYTE Quality() const { return quality_; }  // lfQuality: DEFAULT_QUALITY, ANTIALIASED_QUALITY, ...
  void Set(std::string name, int height, BYTE charset);
  void SetColor(TColor color);
  void SetBold(bool bold);
  void SetUnderline(bool underline);
  void SetQuality(BYTE quality);
  void Assign(const TFont& other);
  bool operator==(const TFont& other) const;

  HFONT Handle() const;  // made on first use
  Event<> OnChange;

 private:
  void Changed();

  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  BYTE charset_ = DEFAULT_CHARSET;
  TColor color_ = clWindowText;
  bool bold_ = false;
  bool underline_ = false;
  BYTE quality_ = DEFAULT_QUALITY;
  mutable FontHandle handle_;
};
