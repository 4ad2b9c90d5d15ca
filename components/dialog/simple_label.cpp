#include "components/dialog/simple_label.h"

#include <shellapi.h>

TSimpleLabel::TSimpleLabel(Component* owner) : TBaseLabel(owner) {
  font3D_.OnChange = [this] { FontChange(); };
}

void TSimpleLabel::SetJumpMode(TJumpModes value) {
  if (value == jumpMode_) return;
  jumpMode_ = value;
  if (IsLink()) {
    ApplyLinkLook();
  } else if (!IsLoading()) {
    cursor_ = TLabelCursor::crDefault;
    font_.SetColor(clBlack);
    font_.SetUnderline(false);
  }
}

void TSimpleLabel::SetJumpUnderline(bool value) {
  if (value == jumpUnderline_) return;
  jumpUnderline_ = value;
  if (IsLink()) ApplyLinkLook();
}

void TSimpleLabel::SetInActiveColor(TColor value) {
  if (value == inActiveColor_) return;
  inActiveColor_ = value;
  if (IsLink()) ApplyLinkLook();
}

void TSimpleLabel::ApplyLinkLook() {
  cursor_ = TLabelCursor::crHandPoint;
  font_.SetColor(inActiveColor_);
  font_.SetUnderline(jumpUnderline_);
}

void TSimpleLabel::Loaded() {
  TBaseLabel::Loaded();
  if (useAsJump_) SetJumpMode(TJumpModes::jmInternet);
}

void TSimpleLabel::PaintCaption(Canvas& canvas, RECT rect) {
  UINT flags = MultiLine() ? 0 : DT_SINGLELINE;
  // DrawText centres vertically on single lines only: a text block is placed by hand.
  if (MultiLine() && VerticalPlace(Alignment()) != TVerticalPlace::Top)
    rect = AlignTextRect(font_, Caption(), flags | CaptionFlags(), Alignment(), rect, 0);
  DrawCaption(canvas, nullptr, EnabledStyles(), flags | CaptionFlags(), rect);
}

void TSimpleLabel::MouseDown(MouseButton button, TShiftState shift, int x, int y) {
  if (button == MouseButton::Left) {
    ++clicks_;
    if (IsLink()) font_.SetColor(activeColor_);
  }
  TBaseLabel::MouseDown(button, shift, x, y);
}

void TSimpleLabel::MouseMove(TShiftState shift, int x, int y) {
  // The parent window sets its class cursor first; the link's hand replaces it.
  if (cursor_ == TLabelCursor::crHandPoint) SetCursor(LoadCursorA(nullptr, IDC_HAND));
  TBaseLabel::MouseMove(shift, x, y);
}

void TSimpleLabel::Click() {
  TBaseLabel::Click();
  const std::string target = JumpTarget(jumpMode_, jump_, Caption());
  if (target.empty()) return;
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result > 32) return;
  // A link that cannot open is switched off rather than failing on every click.
  SetJumpMode(TJumpModes::jmNone);
  SetEnabled(false);
}
