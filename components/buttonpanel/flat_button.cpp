#include "components/buttonpanel/flat_button.h"

namespace {
// How far the caption keeps off the button's edges.
int GetButtonBevel(TUserButtonStyle style) {
  switch (style) {
    case TUserButtonStyle::ubsWin31:
      return 3;
    case TUserButtonStyle::ubsFlat:
    case TUserButtonStyle::ubsFlatUnColored:
    case TUserButtonStyle::ubsExplorer:
    case TUserButtonStyle::ubsExplorerColored:
    case TUserButtonStyle::ubsCombo:
    case TUserButtonStyle::ubsOffice:
    case TUserButtonStyle::ubsOfficeTransp:
      return 1;
    default:
      return 2;
  }
}

bool IsHotPair(TButtonState a, TButtonState b) {
  auto restOrHot = [](TButtonState s) { return s == TButtonState::bsUp || s == TButtonState::bsMouseOver; };
  return restOrHot(a) && restOrHot(b);
}
}  // namespace

TFlatButton::TFlatButton(Component* owner) : TControl(owner) {
  bounds_ = {0, 0, 23, 22};
  font_.OnChange = [this] { Invalidate(); };
}

void TFlatButton::SetCaption(std::string value) {
  if (value == caption_) return;
  caption_ = std::move(value);
  Invalidate();
}

void TFlatButton::SetButtonStyle(TUserButtonStyle value) {
  if (value == style_) return;
  style_ = value;
  Invalidate();
}

void TFlatButton::SetCtlXP(bool value) {
  if (value == ctlXP_) return;
  ctlXP_ = value;
  Invalidate();
}

void TFlatButton::StateChange(TButtonState state) {
  if (state == state_) return;
  const TButtonState previous = state_;
  state_ = state;
  // The plain face looks the same at rest and under the pointer.
  if (!IsHotPair(previous, state)) Repaint();
}

// Paints now rather than at the next WM_PAINT, so a click's handler (which may
// open a modal window) starts with the released face already on screen.
void TFlatButton::Repaint() {
  Invalidate();
  if (parent_ && parent_->HandleAllocated()) UpdateWindow(parent_->Handle());
}

bool TFlatButton::Inside(int x, int y) const {
  RECT client = ClientRect();
  return PtInRect(&client, POINT{x, y}) != FALSE;
}

void TFlatButton::Click() {
  if (OnClick) OnClick(this);
}

void TFlatButton::MouseDown(MouseButton button, TShiftState shift, int x, int y) {
  TControl::MouseDown(button, shift, x, y);
  // A double click arrives as a second press: each press and release is a click.
  if (button != MouseButton::Left || !Enabled()) return;
  dragging_ = true;
  SetMouseCapture(true);
  StateChange(TButtonState::bsDown);
}

void TFlatButton::MouseMove(TShiftState, int x, int y) {
  if (dragging_) {
    StateChange(Inside(x, y) ? TButtonState::bsDown : TButtonState::bsUp);
  } else if (Enabled() && state_ == TButtonState::bsUp && Inside(x, y)) {
    StateChange(TButtonState::bsMouseOver);
  }
}

void TFlatButton::MouseUp(MouseButton button, TShiftState shift, int x, int y) {
  TControl::MouseUp(button, shift, x, y);
  if (button != MouseButton::Left || !dragging_) return;
  dragging_ = false;
  SetMouseCapture(false);
  if (!Inside(x, y)) {
    StateChange(TButtonState::bsUp);
    return;
  }
  StateChange(TButtonState::bsMouseOver);
  Click();  // last: the handler may destroy this button
}

void TFlatButton::MouseEnter() {
  if (!dragging_ && Enabled() && state_ == TButtonState::bsUp) StateChange(TButtonState::bsMouseOver);
}

void TFlatButton::MouseLeave() {
  if (dragging_) {
    if (MouseCapture()) return;  // dragged off: MouseMove follows the pointer
    dragging_ = false;           // the capture was taken away mid-press
    StateChange(TButtonState::bsUp);
    return;
  }
  if (state_ == TButtonState::bsMouseOver) StateChange(TButtonState::bsUp);
}

void TFlatButton::Paint(Canvas& canvas) {
  RECT face = ClientRect();
  canvas.FillRect(face, color_);
  const bool down = state_ == TButtonState::bsDown;
  canvas.DrawEdge(face, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  RECT area = face;
  const int bevel = GetButtonBevel(style_);
  InflateRect(&area, -bevel, -bevel);
  if (down) OffsetRect(&area, 1, 1);  // the caption follows the pressed face
  DrawCaption(canvas, area);
}

void TFlatButton::DrawCaption(Canvas& canvas, RECT area) const {
  if (caption_.empty()) return;
  const TFont* font = &font_;
  TFont gray;
  if (!Enabled()) {
    gray = font_;
    gray.SetColor(clGrayText);
    font = &gray;
  }
  UINT format = DT_CENTER | DT_EXPANDTABS;
  if (caption_.find('\n') == std::string::npos) {
    format |= DT_VCENTER | DT_SINGLELINE;
  } else {
    // DT_VCENTER works for single lines only: centre the measured block instead.
    RECT block{area.left, 0, area.right, 0};
    canvas.TextRect(caption_, block, format | DT_CALCRECT, *font);
    const int top = area.top + ((area.bottom - area.top) - (block.bottom - block.top)) / 2;
    area.top = top;
    area.bottom = top + (block.bottom - block.top);
  }
  canvas.TextRect(caption_, area, format, *font);
}
