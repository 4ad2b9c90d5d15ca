#include "components/dialog/markup_canvas.h"

#include <algorithm>

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

void MarkupCanvas::UseFont(HFONT font) {
  HGDIOBJ previous = SelectObject(dc_, font);
  if (!selected_ && previous) {
    originalFont_ = previous;
    selected_ = true;
  }
}

std::size_t MarkupCanvas::FontFor(const MarkupFont& face) {
  const auto kept =
      std::find_if(fonts_.begin(), fonts_.end(), [&](const MadeFont& f) { return f.face.SameFace(face); });
  if (kept != fonts_.end()) return static_cast<std::size_t>(kept - fonts_.begin());
  LOGFONTA lf{};
  lf.lfHeight = face.Height;
  lf.lfWeight = face.Bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = face.Italic;
  lf.lfUnderline = face.Underline;
  lf.lfStrikeOut = face.StrikeOut;
  lf.lfCharSet = face.Charset;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(lf.lfFaceName, face.Name.c_str(), LF_FACESIZE);
  FontHandle made(CreateFontIndirectA(&lf));
  if (!made) return fonts_.size();
  // The oldest font that is not selected makes room; the selected one stays.
  if (fonts_.size() >= kKeptFonts) {
    const std::size_t oldest = haveCurrent_ && current_ == 0 ? 1 : 0;
    fonts_.erase(fonts_.begin() + static_cast<std::ptrdiff_t>(oldest));
    if (haveCurrent_ && current_ > oldest) --current_;
  }
  fonts_.push_back({face, std::move(made)});
  return fonts_.size() - 1;
}

void MarkupCanvas::Measure(MadeFont& font) {
  SIZE size{};
  GetTextExtentPoint32A(dc_, "gh", 2, &size);
  font.height = size.cy;
  font.haveWidths = GetCharABCWidthsA(dc_, ' ', '~', font.abc.data()) != FALSE;
  font.measured = true;
}

void MarkupCanvas::SelectFace() {
  const std::size_t index = FontFor(font_);
  if (index == fonts_.size()) {
    UseFont(nullptr);  // nothing to select; the next use tries again
    haveCurrent_ = false;
    return;
  }
  UseFont(fonts_[index].handle.Get());
  current_ = index;
  haveCurrent_ = true;
}

HDC MarkupCanvas::Handle() {
  if (!haveCurrent_ || !fonts_[current_].face.SameFace(font_)) SelectFace();
  if (font_.Color != clNone) SetTextColor(dc_, ColorToRGB(font_.Color));
  if (BrushColor == clNone) {
    SetBkMode(dc_, TRANSPARENT);
  } else {
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, ColorToRGB(BrushColor));
  }
  return dc_;
}

MarkupCanvas::MadeFont* MarkupCanvas::Measured() {
  // Selecting the font and setting the colours, as measuring through the system
  // would, leaves the DC in the same state either way.
  Handle();
  if (!haveCurrent_ || !rotated_.empty()) return nullptr;
  MadeFont& font = fonts_[current_];
  if (!font.measured) Measure(font);
  return font.haveWidths ? &font : nullptr;
}

void MarkupCanvas::SetFontSize(int points) {
  font_.Height = -MulDiv(points, GetDeviceCaps(dc_, LOGPIXELSY), 72);
}

bool MarkupCanvas::LayOut(const MadeFont& font, std::string_view text, PlainRun& run) {
  run.shown.clear();
  run.width = 0;
  if (text.empty()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    // No tab, no control character, no byte a code page might join to the next,
    // and no "&" but doubled ones, which the drawing call shows as one "&".
    if (c < ' ' || c > '~') return false;
    if (c == '&' && (i + 1 == text.size() || text[++i] != '&')) return false;
    const ABC& abc = font.abc[static_cast<std::size_t>(c - ' ')];
    run.width += abc.abcA + static_cast<int>(abc.abcB) + abc.abcC;
    run.shown += static_cast<wchar_t>(c);
  }
  return true;
}

SIZE MarkupCanvas::TextExtent(std::string_view text) {
  SIZE size{};
  GetTextExtentPoint32A(Handle(), text.data(), static_cast<int>(text.size()), &size);
  return size;
}

int MarkupCanvas::TextHeight(std::string_view text) {
  MadeFont* font = Measured();
  if (font && LayOut(*font, text, run_)) return font->height;
  return TextExtent(text).cy;
}

int MarkupCanvas::TextWidth(std::string_view text) {
  MadeFont* font = Measured();
  if (font && text.find('&') == std::string_view::npos && LayOut(*font, text, run_)) return run_.width;
  return TextExtent(text).cx;
}

void MarkupCanvas::DrawTextRect(std::string_view text, RECT& rect, UINT format) {
  // A single bottom-aligned line of plain text is drawn as the drawing call itself
  // draws it, one ExtTextOutW at the rectangle's left, the text's height above its
  // bottom, clipped to it, without the call's own measuring.
  constexpr UINT kPlainLine = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING;
  MadeFont* font = format == kPlainLine && font_.Color != clNone ? Measured() : nullptr;
  if (font && LayOut(*font, text, run_)) {
    HDC dc = dc_;
    // Blanks on a clear background leave no mark unless the font draws a line.
    const bool blank = run_.shown.find_first_not_of(L' ') == std::wstring::npos;
    if (blank && BrushColor == clNone && !font_.Underline && !font_.StrikeOut) return;
    ExtTextOutW(dc, rect.left, rect.bottom - font->height, ETO_CLIPPED, &rect, run_.shown.data(),
                static_cast<UINT>(run_.shown.size()), nullptr);
    return;
  }
  HDC dc = Handle();
  if (font_.Color == clNone && !(format & DT_CALCRECT)) return;
  ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, format);
}

int MarkupCanvas::DrawnWidth(std::string_view text, const RECT& rect, UINT format) {
  MadeFont* font = (format & DT_SINGLELINE) ? Measured() : nullptr;
  // Only text too wide for the rectangle is cut at an ellipsis.
  if (font && LayOut(*font, text, run_) &&
      (!(format & DT_END_ELLIPSIS) || run_.width < rect.right - rect.left))
    return run_.width;
  RECT measured = rect;
  DrawTextRect(text, measured, format | DT_CALCRECT);
  return measured.right - measured.left;
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
  UseFont(rotated.Get());
  rotated_.push_back(std::move(rotated));
}

void MarkupCanvas::PopRotatedFont() {
  if (rotated_.empty()) return;
  const std::size_t below = rotated_.size() - 1;
  UseFont(below > 0 ? rotated_[below - 1].Get() : haveCurrent_ ? fonts_[current_].handle.Get() : nullptr);
  rotated_.pop_back();
}

void MarkupCanvas::PopAllRotatedFonts() {
  while (!rotated_.empty()) PopRotatedFont();
}
