#include "components/dialog/base_label.h"

TBaseLabel::TBaseLabel(Component* owner) : TControl(owner) {
  bounds_ = {0, 0, 30, 30};
  font_.OnChange = [this] { FontChange(); };
}

TBaseLabel::~TBaseLabel() {
  font_.OnChange = nullptr;
  SetFocusControl(nullptr);
}

void TBaseLabel::SetCaption(std::string value) { Set(caption_, std::move(value)); }
void TBaseLabel::SetTransparent(bool value) { Set(transparent_, value); }
void TBaseLabel::SetAlignment(TBoxAlignment value) { Set(alignment_, value); }
void TBaseLabel::SetAutoSize(bool value) { Set(autoSize_, value); }
void TBaseLabel::SetShowAccelChar(bool value) { Set(showAccelChar_, value); }
void TBaseLabel::SetMultiLine(bool value) { Set(multiLine_, value); }
void TBaseLabel::SetOptions(TLabelOptions value) { Set(options_, value); }
void TBaseLabel::SetTwinkleColor(TColor value) { Set(twinkleColor_, value); }

void TBaseLabel::SetFontSmoothing(bool value) {
  if (value == fontSmoothing_) return;
  fontSmoothing_ = value;
  FontChange();
}

void TBaseLabel::ApplyFontSmoothing() {
  const BYTE quality = font_.Quality();
  if (fontSmoothing_ && quality != ANTIALIASED_QUALITY) font_.SetQuality(ANTIALIASED_QUALITY);
  if (!fontSmoothing_ && quality == ANTIALIASED_QUALITY) font_.SetQuality(DEFAULT_QUALITY);
}

void TBaseLabel::FontChange() {
  if (IsLoading() || correcting_) return;
  const BYTE quality = font_.Quality();
  ApplyFontSmoothing();
  if (font_.Quality() != quality) return;  // the font's own change notice did the rest
  CorrectBounds();
  Repaint();
}

void TBaseLabel::Loaded() {
  TControl::Loaded();
  ApplyFontSmoothing();
  CorrectBounds();
}

void TBaseLabel::CorrectBounds() {
  if (!autoSize_ || IsLoading() || correcting_) return;
  FlagScope correcting(correcting_);
  UINT flags = LabelOptionFlags(options_);
  const TextFxExtent extent =
      CalcTextFx(font_, caption_, Effect(), flags, BevelExtent(), showAccelChar_, multiLine_, ClientRect());
  SetBounds(Left(), Top(), extent.rect.right - extent.rect.left, extent.rect.bottom - extent.rect.top);
  TextOriginMeasured(extent.origin);
}

void TBaseLabel::Repaint() {
  if (updateCount_ > 0) {
    repaintPending_ = true;
    return;
  }
  repaintPending_ = false;
  if (!IsRectEmpty(&heldArea_) && parent_ && parent_->HandleAllocated())
    InvalidateRect(parent_->Handle(), &heldArea_, FALSE);
  heldArea_ = {0, 0, 0, 0};
  Invalidate();
  // An opaque label paints at once; a transparent one waits for its parent beneath it.
  if (!transparent_ && parent_ && parent_->HandleAllocated()) UpdateWindow(parent_->Handle());
}

void TBaseLabel::SetBounds(int left, int top, int width, int height) {
  if (updateCount_ == 0) {
    TControl::SetBounds(left, top, width, height);
    return;
  }
  const RECT next{left, top, left + width, top + height};
  if (EqualRect(&next, &bounds_)) return;
  UnionRect(&heldArea_, &heldArea_, &bounds_);
  UnionRect(&heldArea_, &heldArea_, &next);
  bounds_ = next;
  repaintPending_ = true;
  BoundsChanged();
}

void TBaseLabel::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0 && repaintPending_) Repaint();
}

UINT TBaseLabel::CaptionFlags() const {
  return DT_WORDBREAK | DT_EXPANDTABS | AlignmentFlags(alignment_) | LabelOptionFlags(options_) |
         (showAccelChar_ ? 0 : DT_NOPREFIX);
}

void TBaseLabel::Paint(Canvas& canvas) {
  if (IsLoading() || painting_) return;
  FlagScope painting(painting_);
  const RECT rect = ClientRect();
  if (transparent_ && caption_.empty()) {
    if (IsDesigning()) canvas.FrameRect(rect, clGray);
    return;
  }
  if (!transparent_) canvas.FillRect(rect, color_);
  PaintCaption(canvas, rect);
}

TDrawTextStyles TBaseLabel::EnabledStyles() const {
  return Enabled() ? TDrawTextStyles{TDrawTextStyle::dtEnabled} : TDrawTextStyles{TDrawTextStyle::dtDisabled};
}

void TBaseLabel::DrawCaption(Canvas& canvas, const RECT* clip, TDrawTextStyles styles, UINT flags,
                             const RECT& rect) {
  if (twinklePhaseVisible_) {
    DrawTextFx(canvas, font_, color_, caption_, Effect(), clip, styles, flags, rect);
  } else if (twinkleColor_ != clNone) {
    TFont twinkleFont(font_);
    twinkleFont.SetColor(twinkleColor_);
    DrawTextFx(canvas, twinkleFont, color_, caption_, Effect(), clip, styles, flags, rect);
  }
}

// ---------------------------------------------------------------- twinkle

void TBaseLabel::SetTwinkle(bool value) {
  if (value == twinkle_) return;
  twinkle_ = value;
  twinklePhaseVisible_ = true;
  if (twinkle_) {
    twinkleTimer_ = std::make_unique<Timer>();
    twinkleTimer_->OnTimer = [this] { TwinkleTick(); };
    twinkleTimer_->SetInterval(twinkleVisible_);
    twinkleTimer_->SetEnabled(true);
  } else {
    twinkleTimer_.reset();
  }
  Repaint();
}

void TBaseLabel::SetTwinkleVisible(unsigned value) {
  if (value == twinkleVisible_) return;
  twinkleVisible_ = value;
  if (twinkleTimer_ && twinklePhaseVisible_) twinkleTimer_->SetInterval(value);
}

void TBaseLabel::SetTwinkleInVisible(unsigned value) {
  if (value == twinkleInVisible_) return;
  twinkleInVisible_ = value;
  if (twinkleTimer_ && !twinklePhaseVisible_) twinkleTimer_->SetInterval(value);
}

void TBaseLabel::TwinkleTick() {
  twinklePhaseVisible_ = !twinklePhaseVisible_;
  twinkleTimer_->SetInterval(twinklePhaseVisible_ ? twinkleVisible_ : twinkleInVisible_);
  Repaint();
}

// ---------------------------------------------------------------- focus and mouse

void TBaseLabel::SetFocusControl(TWinControl* value) {
  if (value == focusControl_) return;
  if (focusControl_) RemoveFreeNotification(focusControl_);
  focusControl_ = value;
  if (focusControl_) FreeNotification(focusControl_);
}

void TBaseLabel::Notification(Component* component, ComponentOperation operation) {
  TControl::Notification(component, operation);
  if (operation == ComponentOperation::Remove && component == focusControl_) focusControl_ = nullptr;
}

bool TBaseLabel::DialogChar(char key, TShiftState shift) {
  if (!showAccelChar_ || !Enabled() || !focusControl_ || !shift.Contains(ShiftFlag::Alt)) return false;
  if (!IsAccelerator(key, caption_)) return false;
  if (!focusControl_->HandleAllocated()) return false;
  HWND target = focusControl_->Handle();
  if (!IsWindowVisible(target) || !IsWindowEnabled(target)) return false;
  focusControl_->SetFocus();
  return true;
}

void TBaseLabel::MouseDown(MouseButton button, TShiftState shift, int x, int y) {
  pressed_ = button == MouseButton::Left;
  if (pressed_) SetMouseCapture(true);  // the release must come back here to make a click
  TControl::MouseDown(button, shift, x, y);
}

void TBaseLabel::MouseUp(MouseButton button, TShiftState shift, int x, int y) {
  const bool click =
      pressed_ && button == MouseButton::Left && x >= 0 && y >= 0 && x < Width() && y < Height();
  pressed_ = false;
  SetMouseCapture(false);
  TControl::MouseUp(button, shift, x, y);
  if (click) Click();
}

void TBaseLabel::Click() {
  if (OnClick) OnClick(this);
}

void TBaseLabel::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TBaseLabel::MouseLeave() {
  if (OnMouseExit) OnMouseExit(this);
}
