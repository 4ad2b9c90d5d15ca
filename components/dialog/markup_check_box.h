#pragma once
// A focusable windowed check box that paints its own box in one of five looks and
// draws its caption as markup, so a caption may hold bold text, colours, pictures
// and anchors. The mouse toggles it on a release inside the control, Space on its
// key-up, the caption's accelerator at once; an anchor is followed only by a click
// on a box that already has the focus.
#include <windows.h>
// The system headers below build on windows.h.
#include <commctrl.h>

#include <string>

#include "components/dialog/anchor_action.h"
#include "components/dialog/check_box_face.h"
#include "components/dialog/markup.h"
#include "framework/control.h"

class TCustomMarkupCheckBox : public TWinControl {
 public:
  explicit TCustomMarkupCheckBox(Component* owner);

  TLeftRight Alignment() const { return alignment_; }
  void SetAlignment(TLeftRight value) { SetVisual(alignment_, value); }
  TButtonType ButtonType() const { return buttonType_; }
  void SetButtonType(TButtonType value) { SetVisual(buttonType_, value); }
  TTextLayout ButtonVertAlign() const { return buttonVertAlign_; }
  void SetButtonVertAlign(TTextLayout value) { SetVisual(buttonVertAlign_, value); }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value);
  TColor CheckColor() const { return checkColor_; }
  void SetCheckColor(TColor value);
  bool Down() const { return down_; }
  void SetDown(bool value) { down_ = value; }
  bool Ellipsis() const { return ellipsis_; }
  void SetEllipsis(bool value) { SetVisual(ellipsis_, value); }
  // Not owned; the image list and the container must outlive the control's use of them.
  HIMAGELIST Images() const { return images_; }
  void SetImages(HIMAGELIST value) { SetVisual(images_, value); }
  TMarkupPictureContainer* PictureContainer() const { return pictureContainer_; }
  void SetPictureContainer(TMarkupPictureContainer* value) { SetVisual(pictureContainer_, value); }
  bool ReturnIsTab() const { return returnIsTab_; }
  void SetReturnIsTab(bool value) { returnIsTab_ = value; }
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor value) { SetVisual(shadowColor_, value); }
  int ShadowOffset() const { return shadowOffset_; }
  void SetShadowOffset(int value) { SetVisual(shadowOffset_, value); }
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState value);
  TColor URLColor() const { return urlColor_; }
  void SetURLColor(TColor value) { SetVisual(urlColor_, value); }

  // Checked := not Checked; a grayed box becomes checked.
  void Toggle();
  // The target of the caption anchor under a client point, or an empty string.
  std::string IsAnchor(int x, int y);
  // A character typed in the dialog: true when it was this caption's accelerator and
  // the control could take the focus, which toggled it.
  bool DialogChar(char key, TShiftState shift) override;
  // Whether the pointer shows the hand of an anchor.
  bool HandCursor() const { return handCursor_; }
  // The look the box has now, as painting sees it.
  CheckBoxLook Look() const;

  TNotifyEvent OnClick;
  TKeyEvent OnKeyUp;
  TAnchorClick OnAnchorClick;
  TAnchorClick OnAnchorEnter;
  TAnchorClick OnAnchorExit;

 protected:
  bool IsChecked() const { return state_ == TCheckBoxState::cbChecked; }
  void SetChecked(bool value);
  virtual void Click();

  void CreateParams(TCreateParams& params) override;
  void WndProc(Message& message) override;
  void PaintWindow(Canvas& canvas) override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void MouseDown(MouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(MouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  template <class T>
  void SetVisual(T& field, T value) {
    if (field == value) return;
    field = value;
    Invalidate();
  }
  MarkupOptions CaptionOptions();
  void PaintCaption(HDC dc, const RECT& rect, MarkupResult& result);
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x <= Width() && y <= Height(); }
  bool CanFocus();
  void SetHandCursor(bool value);
  void RepaintThemedBox();
  void KeyUp(std::uint16_t key);
  void CancelPress();

  TLeftRight alignment_ = TLeftRight::taLeftJustify;
  TButtonType buttonType_ = TButtonType::btClassic;
  TTextLayout buttonVertAlign_ = TTextLayout::tlTop;
  std::string caption_ = "TMarkupCheckBox";
  TColor checkColor_ = clBlack;
  bool down_ = false;
  bool ellipsis_ = false;
  HIMAGELIST images_ = nullptr;
  TMarkupPictureContainer* pictureContainer_ = nullptr;
  bool returnIsTab_ = false;
  TColor shadowColor_ = clGray;
  int shadowOffset_ = 1;
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
  TColor urlColor_ = clBlue;

  bool focused_ = false;
  bool hot_ = false;
  bool mouseToggle_ = false;   // a mouse toggle reports its click itself, once
  bool mousePressed_ = false;  // a button went down on the control and is not yet up
  bool spacePressed_ = false;  // Space went down while the control had the focus
  bool handCursor_ = false;
  std::string lastAnchor_;
  bool version51_ = false;
  TMarkupPictureCache pictureCache_;
};

// The check box as dialogs use it: a plain Checked flag on top of the tri-state box.
class TMarkupCheckBox : public TCustomMarkupCheckBox {
 public:
  using TCustomMarkupCheckBox::TCustomMarkupCheckBox;
  bool Checked() const { return IsChecked(); }
  void SetChecked(bool value) { TCustomMarkupCheckBox::SetChecked(value); }
};
