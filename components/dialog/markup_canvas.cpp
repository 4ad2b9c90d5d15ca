#include "components/dialog/markup_canvas.h"

bool MarkupFont::SameFace(const MarkupFont& other) const {
  return Name == other.Name && Height == other.Height && Charset == other.Charset && Bold == other.Bold &&
         Italic == other.Italic && Underline == other.Underline && StrikeOut == other.StrikeOut;
}

MarkupFont MarkupFontFrom(const TFont& font) {
  MarkupFont result;
  result.Name = font.Name();
  result.Height = font.Height();
  result.Charset = font.Charset();
  result.Bold = font.Bold();
  result.Color = font.Color();
  return result;
}

MarkupCanvas::MarkupCanvas(HDC dc, MarkupFont font) : dc_(dc), font_(std::move(font)) {}

MarkupCanvas::~MarkupCanvas() {
  if (selected_) SelectObject(dc_, originalFont_);
}

void MarkupCanvas::SelectFont(HFONT font) {
  HGDIOBJ previous = SelectObject(dc_, font);
  if (!selected_) {
    originalFont_ = previous;
    selected_ = true;
  }
}

HDC MarkupCanvas::Handle() {
  if (!handle_ || !madeFrom_.SameFace(font_)) {
    LOGFONTA lf{};
    lf.lfHeight = font_.Height;
    lf.lfWeight = font_.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font_.Italic;
    lf.lfUnderline = font_.Underline;
    lf.lfStrikeOut = font_.StrikeOut;
    lf.lfCharSet = font_.Charset;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, font_.Name.c_str(), LF_FACESIZE);
    FontHandle made(CreateFontIndirectA(&lf));
    SelectFont(made.Get());
    handle_ = std::move(made);  // the old handle is no longer selected, so it may go
    madeFrom_ = font_;
  }
  if (font_.Color != clNone) SetTextColor(dc_, ColorToRGB(font_.Color));
  if (BrushColor == clNone) {
    SetBkMode(dc_, TRANSPARENT);
  } else {
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, ColorToRGB(BrushColor));
  }
  return dc_;
}

void MarkupCanvas::SetFontSize(int points) {
  font_.Height = -MulDiv(points, GetDeviceCaps(dc_, LOGPIXELSY), 72);
}

SIZE MarkupCanvas::TextExtent(std::string_view text) {
  SIZE size{};
  GetTextExtentPoint32A(Handle(), text.data(), static_cast<int>(text.size()), &size);
  return size;
}

void MarkupCanvas::DrawTextRect(std::string_view text, RECT& rect, UINT format) {
  HDC dc = Handle();
  if (font_.Color == clNone && !(format & DT_CALCRECT)) return;
  ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, format);
}

void MarkupCanvas::FillRect(const RECT& rect, TColor color) {
  if (color == clNone) return;
  BrushHandle brush(CreateSolidBrush(ColorToRGB(color)));
  ::FillRect(dc_, &rect, brush.Get());
}

void MarkupCanvas::Polyline(const std::vector<POINT>& points) {
  if (points.size() < 2 || PenColor == clNone) return;
  PenHandle pen(CreatePen(PS_SOLID, PenWidth, ColorToRGB(PenColor)));
  ScopedSelect select(dc_, pen.Get());
  ::Polyline(dc_, points.data(), static_cast<int>(points.size()));
}

void MarkupCanvas::PushRotatedFont(int tenthsOfDegree) {
  HDC dc = Handle();
  LOGFONTA lf{};
  if (!GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof(lf), &lf)) return;
  lf.lfEscapement = tenthsOfDegree;
  lf.lfOrientation = tenthsOfDegree;
  FontHandle rotated(CreateFontIndirectA(&lf));
  if (!rotated) return;
  SelectFont(rotated.Get());
  rotated_.push_back(std::move(rotated));
}

void MarkupCanvas::PopRotatedFont() {
  if (rotated_.empty()) return;
  const std::size_t below = rotated_.size() - 1;
  SelectFont(below > 0 ? rotated_[below - 1].Get() : handle_.Get());
  rotated_.pop_back();
}

void MarkupCanvas::PopAllRotatedFonts() {
  while (!rotated_.empty()) PopRotatedFont();
}
