#include "components/buttonpanel/flat_button.h"

#include "components/paint/accel_char.h"
#include "components/paint/text_fx.h"
#include "components/paint/visual_styles.h"
#include "framework/flag_scope.h"
#include "framework/gdi.h"

namespace {
constexpr unsigned kHotCheckMs = 100;

bool IsTransparentStyle(TUserButtonStyle style) {
  return style == TUserButtonStyle::ubsExplorer || style == TUserButtonStyle::ubsExplorerColored ||
         style == TUserButtonStyle::ubsOfficeTransp;
}

bool IsRestOrHot(TButtonState s) { return s == TButtonState::bsUp || s == TButtonState::bsMouseOver; }
}  // namespace

TFlatButton::TFlatButton(Component* owner) : TControl(owner) {
  bounds_ = {0, 0, 23, 22};
  font_.OnChange = [this] { LookChanged(); };
  fontFX_.OnChange = [this] { LookChanged(); };
}

TFlatButton::~TFlatButton() {
  *alive_ = false;
  hotTimer_.reset();
}

bool TFlatButton::UseXP() const { return ctlXP_ && ThemesUsable(); }

void TFlatButton::SetCaption(std::string value) {
  if (value == caption_) return;
  caption_ = std::move(value);
  LookChanged();
}

void TFlatButton::SetButtonStyle(TUserButtonStyle value) {
  if (value == style_) return;
  const TUserButtonStyle old = style_;
  style_ = value;
  // Decided now: a button styled while themes are on keeps the panel's background
  // under the corners of its themed face for good.
  if (IsTransparentStyle(value) || UseXP())
    transparent_ = true;
  else if (IsTransparentStyle(old))
    transparent_ = false;
  Invalidate();
}

void TFlatButton::SetCtlXP(bool value) {
  if (value == ctlXP_) return;
  ctlXP_ = value;
  Invalidate();
}

void TFlatButton::SetEnabled(bool value) {
  if (value == Enabled()) return;
  TControl::SetEnabled(value);
  if (!value) {
    dragging_ = false;
    SetMouseCapture(false);
  }
  StateChange(value ? TButtonState::bsUp : TButtonState::bsDisabledUp, true);
}

void TFlatButton::SetAlignment(TBoxAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  LookChanged();
}

void TFlatButton::SetCaptionOffset(int x, int y) {
  if (x == offsetX_ && y == offsetY_) return;
  offsetX_ = x, offsetY_ = y;
  LookChanged();
}

void TFlatButton::SetMultiLine(bool value) {
  if (value == multiLine_) return;
  multiLine_ = value;
  LookChanged();
}

void TFlatButton::SetEnterColor(TColor value, bool change) {
  enterColor_ = value;
  enterColorChange_ = change;
  if (state_ == TButtonState::bsMouseOver) LookChanged();
}

void TFlatButton::LookChanged() {
  if (transparent_)
    Repaint();
  else
    Invalidate();
}

void TFlatButton::StateChange(TButtonState state, bool force) {
  if (state == state_ && !force) return;
  const TButtonState left = state_;
  previousState_ =
      state == TButtonState::bsMouseOver && left != TButtonState::bsOptionSet ? TButtonState::bsUp : left;
  state_ = state;

  if (state == TButtonState::bsMouseOver) {
    if (!hotTimer_) {
      hotTimer_ = std::make_unique<Timer>();
      hotTimer_->SetInterval(kHotCheckMs);
      hotTimer_->OnTimer = [this] { HotCheck(); };
    }
    hotTimer_->SetEnabled(true);
  } else if (checkingHot_) {
    hotTimer_->SetEnabled(false);  // its own tick: freed at the next change instead
  } else {
    hotTimer_.reset();
  }

  if (!force && IsRestOrHot(left) && IsRestOrHot(state) && !RepaintsOnHot(style_, UseXP())) return;
  Repaint();
}

void TFlatButton::HotCheck() {
  if (state_ != TButtonState::bsMouseOver || !Enabled()) return;
  FlagScope checking(checkingHot_);
  bool inside = false;
  if (parent_ && parent_->HandleAllocated()) {
    POINT pointer{};
    GetCursorPos(&pointer);
    ScreenToClient(parent_->Handle(), &pointer);
    inside = PtInRect(&bounds_, pointer) != FALSE && IsWindowVisible(parent_->Handle());
  }
  if (!inside) StateChange(TButtonState::bsUp);
}

// Paints now rather than at the next WM_PAINT, so a click's handler (which may open
// a modal window) starts with the new face already on screen.
void TFlatButton::Repaint() {
  if (!Visible() || !parent_ || !parent_->HandleAllocated()) return;
  HWND panel = parent_->Handle();
  if (transparent_) {
    // The panel's background goes under the face first.
    InvalidateRect(panel, &bounds_, FALSE);
    UpdateWindow(panel);
    return;
  }
  // Only this button: drawn off-screen and copied, so the face does not flicker.
  WindowDC dc(panel);
  MemoryDC buffer(dc.Get(), Width(), Height());
  Canvas canvas(buffer.Get());
  Paint(canvas);
  BitBlt(dc.Get(), Left(), Top(), Width(), Height(), buffer.Get(), 0, 0, SRCCOPY);
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
  const std::shared_ptr<bool> alive = alive_;
  Click();
  // The handler may have destroyed the button; a themed face is redrawn hot once more,
  // and if the pointer left meanwhile (a modal dialog, say) the hot check ends it.
  if (*alive && UseXP()) StateChange(TButtonState::bsMouseOver, true);
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
  if (state_ == TButtonState::bsMouseOver) StateChange(previousState_);
}

bool TFlatButton::DialogChar(char key, TShiftState) {
  if (!MatchesAccelChar(key, caption_) || !Enabled() || !Visible()) return false;
  if (!parent_ || !parent_->Enabled() || !parent_->Showing()) return false;
  Click();
  return true;
}

void TFlatButton::Paint(Canvas& canvas) {
  // The panel's loading state, not the button's own: a button made while its panel
  // loads keeps the flag it was born with, since the end of loading clears only the
  // components the form owns directly.
  if ((parent_ && parent_->IsLoading()) || !Visible()) return;
  const RECT face = ClientRect();
  if (!transparent_) canvas.FillRect(face, color_);
  const bool hot = state_ == TButtonState::bsMouseOver;
  const UINT flags = kFaceBase | (hot ? kFaceHot : 0) | (UseXP() ? kFaceThemed : 0);
  HWND panel = parent_ && parent_->HandleAllocated() ? parent_->Handle() : nullptr;
  DrawBtnFaceExt(panel, canvas, hot, color_, flags, state_, style_, face);

  RECT area = face;
  const int bevel = GetButtonBevel(style_);
  InflateRect(&area, -bevel, -bevel);
  if (IsDownState(state_)) OffsetRect(&area, 1, 1);  // the caption follows the pressed face
  DrawCaption(canvas, area);
}

void TFlatButton::DrawCaption(Canvas& canvas, RECT area) const {
  if (caption_.empty()) return;
  const bool entered =
      enterColorChange_ && state_ >= TButtonState::bsMouseOver && state_ <= TButtonState::bsDropDownOpen;
  TFont entering;
  if (entered) {
    entering = font_;
    entering.SetColor(enterColor_);
  }
  const TFont& font = entered ? entering : font_;

  // The caption is one block as wide as its widest line: the block is centred and
  // every line starts at its left edge; each line is not centred on its own.
  const RECT from{0, 0, area.right - area.left, 0};
  const RECT measured = CalcTextFx(font, caption_, fontFX_, 0, 0, true, multiLine_, from).rect;
  RECT block = PlaceBox(area, measured.right - measured.left, measured.bottom - measured.top, alignment_);
  OffsetRect(&block, 1 + offsetX_, 1 + offsetY_);

  UINT flags = DT_EXPANDTABS;
  if (multiLine_) flags |= DT_WORDBREAK | (AlignmentFlags(alignment_) & (DT_CENTER | DT_RIGHT));
  const TDrawTextStyles styles{Enabled() ? TDrawTextStyle::dtEnabled : TDrawTextStyle::dt3DDisabled};
  DrawTextFx(canvas, font, color_, caption_, fontFX_, nullptr, styles, flags, block);
}
