#include "components/dialog/markup_label.h"

#include "components/dialog/markup_label_text.h"
#include "components/paint/bevel.h"
#include "framework/gdi.h"

namespace {
// Auto-sizing lays the text out as if the label could grow this far.
constexpr int kUnbounded = 65535;
// Room auto-sizing leaves around the text.
constexpr int kAutoSizeMargin = 6;
// The anchor hint shows this far right of and above the pointer.
constexpr int kHintOffset = 10;
constexpr RECT kNoRect{-1, -1, -1, -1};

bool Grows(TAutoSizeType type, TAutoSizeType direction) {
  return type == direction || type == TAutoSizeType::asBoth;
}

void DrawBevel(Canvas& canvas, RECT& rect, TPanelBevel cut, int width) {
  if (cut == TPanelBevel::bvNone) return;
  if (cut == TPanelBevel::bvLowered)
    Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, width);
  else
    Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, width);
}
}  // namespace

TMarkupLabel::TMarkupLabel(Component* owner) : TControl(owner) {
  bounds_ = {0, 0, 100, 17};
  font_.OnChange = [this] { Invalidate(); };
}

void TMarkupLabel::SetMarkupText(const std::vector<std::string>& lines) {
  std::string line;
  for (const std::string& text : lines)
    for (char c : text)
      if (c != '\r' && c != '\n') line += c;
  markupText_.assign(1, std::move(line));
  MarkupChanged();
}

void TMarkupLabel::AddMarkupLine(std::string line) {
  markupText_.push_back(std::move(line));
  MarkupChanged();
}

void TMarkupLabel::MarkupChanged() {
  pictureCache_.Clear();
  Invalidate();
}

std::string TMarkupLabel::GetDisplText() const {
  std::string text;
  for (const std::string& line : markupText_) text += line;
  return text;
}

std::string TMarkupLabel::GetText() const { return MarkupPlainText(GetDisplText()); }

void TMarkupLabel::SetAutoSizing(bool value) {
  if (value == autoSizing_) return;
  autoSizing_ = value;
  Invalidate();
}

void TMarkupLabel::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Invalidate();
}

void TMarkupLabel::HilightText(const std::string& text, bool caseSensitive) {
  SetMarkupText({WrapShownText(GetDisplText(), text, "hi", caseSensitive)});
}

void TMarkupLabel::MarkText(const std::string& text, bool caseSensitive) {
  SetMarkupText({WrapShownText(GetDisplText(), text, "e", caseSensitive)});
}

void TMarkupLabel::UnHilightText() { SetMarkupText({RemoveTag(GetDisplText(), "hi")}); }

void TMarkupLabel::UnMarkText() { SetMarkupText({RemoveTag(GetDisplText(), "e")}); }

MarkupFont TMarkupLabel::LabelFont() const { return MarkupFontFrom(font_); }

MarkupOptions TMarkupLabel::BaseOptions() const {
  MarkupOptions options;
  options.Images = images_;
  options.ShadowOffset = shadowOffset_;
  options.BlinkShown = false;
  options.UnderlineHoverOnly = hover_;
  options.URLColor = urlColor_;
  options.HoverColor = hoverColor_;
  options.HoverFontColor = hoverFontColor_;
  options.ShadowColor = shadowColor_;
  return options;
}

bool TMarkupLabel::MarkupPaint(MarkupCanvas& canvas, const std::string& markup, const RECT& bounds,
                               MarkupOptions options, MarkupResult& result) {
  options.WrapWords = !ellipsis_;
  options.FocusIndex = -1;
  options.PictureCache = &pictureCache_;
  options.PictureContainer = pictureContainer_;
  return DrawMarkup(canvas, markup, bounds, options, result);
}

RECT TMarkupLabel::TextRect() const {
  RECT rect = ClientRect();
  if (bevelInner_ != TPanelBevel::bvNone || bevelOuter_ != TPanelBevel::bvNone)
    InflateRect(&rect, -bevelWidth_, -bevelWidth_);
  if (borderStyle_ == TBorderStyle::bsSingle) InflateRect(&rect, -borderWidth_, -borderWidth_);
  return rect;
}

void TMarkupLabel::PlaceVertically(MarkupCanvas& canvas, const std::string& markup, RECT& rect) {
  if (vAlignment_ == TVAlignment::tvaTop) return;
  MarkupOptions options = BaseOptions();
  options.HitTestOnly = true;
  MarkupResult result;
  MarkupPaint(canvas, markup, rect, options, result);
  if (result.ExtentY >= Height()) return;
  if (vAlignment_ == TVAlignment::tvaCenter)
    rect.top += (Height() - result.ExtentY) / 2;
  else
    rect.top = rect.bottom - result.ExtentY;
}

void TMarkupLabel::Paint(Canvas& canvas) {
  RECT rect = ClientRect();
  if (!transparent_) canvas.FillRect(rect, color_);
  if (updateCount_ > 0) return;

  DrawBevel(canvas, rect, bevelOuter_, bevelWidth_);
  if (borderWidth_ > 0) Frame3D(canvas, rect, color_, color_, borderWidth_);
  DrawBevel(canvas, rect, bevelInner_, bevelWidth_);
  if (borderStyle_ == TBorderStyle::bsSingle && borderWidth_ > 0) {
    PenHandle pen(CreatePen(PS_INSIDEFRAME, borderWidth_, RGB(0, 0, 0)));
    ScopedSelect usePen(canvas.Handle(), pen.Get());
    ScopedSelect noFill(canvas.Handle(), GetStockObject(NULL_BRUSH));
    Rectangle(canvas.Handle(), rect.left, rect.top, rect.right, rect.bottom);
  }
  if (bevelInner_ != TPanelBevel::bvNone || bevelOuter_ != TPanelBevel::bvNone)
    InflateRect(&rect, -bevelWidth_, -bevelWidth_);
  if (borderStyle_ == TBorderStyle::bsSingle) InflateRect(&rect, -borderWidth_, -borderWidth_);

  if (autoSizing_ && Grows(autoSizeType_, TAutoSizeType::asHorizontal)) rect.right += kUnbounded;
  if (autoSizing_ && Grows(autoSizeType_, TAutoSizeType::asVertical)) rect.bottom += kUnbounded;

  MarkupCanvas markupCanvas(canvas.Handle(), LabelFont());
  const std::string markup = GetDisplText();
  PlaceVertically(markupCanvas, markup, rect);

  MarkupOptions options = BaseOptions();
  options.HoverIndex = hoverAnchor_;
  // The pointer's place decides which anchor shows hovered.
  POINT pointer{-1, -1};
  if (parent_ && parent_->HandleAllocated() && GetCursorPos(&pointer)) {
    ScreenToClient(parent_->Handle(), &pointer);
    pointer.x -= Left();
    pointer.y -= Top();
  }
  options.HitX = pointer.x;
  options.HitY = pointer.y;
  MarkupResult result;
  MarkupPaint(markupCanvas, markup, rect, options, result);
  if (autoSizing_) AutoSizeTo(result);
}

void TMarkupLabel::AutoSizeTo(const MarkupResult& result) {
  int width = Width(), height = Height();
  if (Grows(autoSizeType_, TAutoSizeType::asVertical)) height = result.ExtentY + kAutoSizeMargin;
  if (Grows(autoSizeType_, TAutoSizeType::asHorizontal)) width = result.ExtentX + kAutoSizeMargin;
  // A size that is already right sets nothing, so the repaint this asks for settles.
  if (width != Width() || height != Height()) SetBounds(Left(), Top(), width, height);
}

std::string TMarkupLabel::IsAnchor(int x, int y, RECT& rect) {
  rect = kNoRect;
  WindowDC screen(nullptr);
  MarkupCanvas canvas(screen.Get(), LabelFont());
  const std::string markup = GetDisplText();
  RECT bounds = TextRect();
  PlaceVertically(canvas, markup, bounds);
  MarkupOptions options = BaseOptions();
  options.HitTestOnly = true;
  options.HitX = x;
  options.HitY = y;
  MarkupResult result;
  const bool hit = MarkupPaint(canvas, markup, bounds, options, result);
  hoverAnchor_ = result.HitAnchor;
  if (!hit) {
    hoverAnchor_ = -1;
    return {};
  }
  rect = result.HitRect;
  return result.HitHref;
}

void TMarkupLabel::SetCursorShape(TLabelCursorShape value) {
  cursor_ = value;
  // Now, not at the next move: the window asks for its pointer before each move.
  SetCursor(LoadCursorA(nullptr, value == TLabelCursorShape::crHandPoint ? IDC_HAND : IDC_ARROW));
}

HCURSOR TMarkupLabel::CursorAt(int, int) const {
  return cursor_ == TLabelCursorShape::crHandPoint ? LoadCursorA(nullptr, IDC_HAND) : nullptr;
}

void TMarkupLabel::RepaintHoverRect(const RECT& rect) {
  if (!parent_ || !parent_->HandleAllocated()) return;
  if (rect.left == -1) {
    Invalidate();
    return;
  }
  RECT onParent = rect;
  OffsetRect(&onParent, Left(), Top());
  InvalidateRect(parent_->Handle(), &onParent, TRUE);
}

void TMarkupLabel::MouseMove(TShiftState shift, int x, int y) {
  RECT rect;
  const std::string anchor = IsAnchor(x, y, rect);
  if (!anchor.empty()) {
    if ((anchor != lastAnchor_ || !EqualRect(&rect, &lastHoverRect_) || hoverAnchor_ == -1) && hover_ &&
        rect.left != -1)
      RepaintHoverRect(lastHoverRect_);
    if (cursor_ == TLabelCursorShape::crDefault || anchor != lastAnchor_ ||
        lastHoverAnchor_ != hoverAnchor_) {
      SetCursorShape(TLabelCursorShape::crHandPoint);
      if (OnAnchorEnter) OnAnchorEnter(this, anchor);
      if (hover_) RepaintHoverRect(lastHoverRect_);
    }
    lastAnchor_ = anchor;
    lastHoverAnchor_ = hoverAnchor_;
    lastHoverRect_ = rect;
    if (hover_) RepaintHoverRect(lastHoverRect_);
  } else if (cursor_ == TLabelCursorShape::crHandPoint) {
    SetCursorShape(TLabelCursorShape::crDefault);
    if (OnAnchorExit) OnAnchorExit(this, std::string());
    if (hover_) RepaintHoverRect(lastHoverRect_);
    lastHoverRect_ = rect;
    if (hover_) RepaintHoverRect(lastHoverRect_);
  }
  TControl::MouseMove(shift, x, y);
}

void TMarkupLabel::MouseDown(MouseButton button, TShiftState shift, int x, int y) {
  TControl::MouseDown(button, shift, x, y);
  RECT rect;
  const std::string anchor = IsAnchor(x, y, rect);
  FollowAnchor(this, anchor, OnAnchorClick, ShellOpener);
}

void TMarkupLabel::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TMarkupLabel::MouseLeave() {
  if (hover_ && hoverAnchor_ != -1) RepaintHoverRect(lastHoverRect_);
  hoverAnchor_ = -1;
  // The parent's own pointer takes over: coming back onto an anchor is entering it again.
  cursor_ = TLabelCursorShape::crDefault;
  if (OnMouseLeave) OnMouseLeave(this);
}

TMarkupHint TMarkupLabel::HintAt(int x, int y) {
  TMarkupHint hint;
  if (anchorHint_) {
    RECT rect;
    std::string anchor = IsAnchor(x, y, rect);
    if (!anchor.empty()) {
      if (OnAnchorHint) OnAnchorHint(this, anchor);
      hint = {true, anchor, {x + kHintOffset, y - kHintOffset}};
    }
  }
  if (!hint.Show && hintShowFull_) hint = {true, markupHint_ ? GetDisplText() : GetText(), {x, y}};
  return hint;
}

void TMarkupLabel::MarkupPrint(HDC dc, const RECT& rect) {
  MarkupCanvas canvas(dc, LabelFont());
  MarkupOptions options;
  options.Images = images_;
  options.ShadowOffset = 1;
  options.Printing = true;
  options.BlinkShown = false;
  options.URLColor = clBlue;
  options.ShadowColor = clGray;
  MarkupResult result;
  MarkupPaint(canvas, GetDisplText(), rect, options, result);
}
