#include "framework/font.h"

void TFont::Set(std::string name, int height, BYTE charset) {
  if (name == name_ && height == height_ && charset == charset_) return;
  name_ = std::move(name);
  height_ = height;
  charset_ = charset;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  if (OnChange) OnChange();  // the handle does not carry the colour
}

void TFont::SetBold(bool bold) {
  if (bold == bold_) return;
  bold_ = bold;
  Changed();
}

void TFont::SetUnderline(bool underline) {
  if (underline == underline_) return;
  underline_ = underline;
  Changed();
}

void TFont::SetQuality(BYTE quality) {
  if (quality == quality_) return;
  quality_ = quality;
  Changed();
}

void TFont::Assign(const TFont& other) {
  if (*this == other) return;
  name_ = other.name_;
  height_ = other.height_;
  charset_ = other.charset_;
  color_ = other.color_;
  bold_ = other.bold_;
  underline_ = other.underline_;
  quality_ = other.quality_;
  Changed();
}

bool TFont::operator==(const TFont& other) const {
  return name_ == other.name_ && height_ == other.height_ && charset_ == other.charset_ &&
         color_ == other.color_ && bold_ == other.bold_ && underline_ == other.underline_ &&
         quality_ == other.quality_;
}

void TFont::Changed() {
  handle_.Reset();
  if (OnChange) OnChange();
}

HFONT TFont::Handle() const {
  if (!handle_) {
    LOGFONTA lf{};
    lf.lfHeight = height_;
    lf.lfWeight = bold_ ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = charset_;
    lf.lfUnderline = underline_;
    lf.lfQuality = quality_;
    lstrcpynA(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
    handle_.Reset(CreateFontIndirectA(&lf));
  }
  return handle_.Get();
}
