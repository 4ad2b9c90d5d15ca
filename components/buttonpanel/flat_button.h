#pragma once
// The windowless button of a button panel. Its look follows the pointer through a
// small state machine (rest, hot under the pointer, held down), drawn as the
// desktop's themed push button when visual styles are on and as the style's
// classic 3-D face otherwise, with its caption centred as one block.
#include <cstdint>
#include <memory>
#include <string>

#include "components/buttonpanel/button_face.h"
#include "components/paint/box_alignment.h"
#include "components/paint/caption_3d.h"
#include "framework/control.h"
#include "framework/timer.h"

class TFlatButton : public TControl {
 public:
  explicit TFlatButton(Component* owner);
  ~TFlatButton() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value);
  TUserButtonStyle ButtonStyle() const { return style_; }
  // Also decides whether the button paints a background of its own (Transparent).
  void SetButtonStyle(TUserButtonStyle value);
  bool CtlXP() const { return ctlXP_; }
  void SetCtlXP(bool value);
  // Hides the control's own: a change of Enabled also moves the state (rest or disabled).
  void SetEnabled(bool value);
  bool HideHint() const { return hideHint_; }
  void SetHideHint(bool value) { hideHint_ = value; }
  TButtonState State() const { return state_; }
  // A transparent button leaves its panel's background under its face.
  bool Transparent() const { return transparent_; }
  // Whether the button draws the desktop's themed face now.
  bool UseXP() const;

  // Where the caption block sits inside the caption area, and how far it is moved.
  TBoxAlignment Alignment() const { return alignment_; }
  void SetAlignment(TBoxAlignment value);
  void SetCaptionOffset(int x, int y);
  // Word wrapping of the caption, each line aligned by Alignment.
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool value);
  // The caption's colour while hot, when EnterColorChange is on.
  void SetEnterColor(TColor value, bool change);
  TFxCaption& FontFX() { return fontFX_; }

  void Paint(Canvas& canvas) override;
  void MouseDown(MouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(MouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  // The caption's accelerator clicks the button while it and its panel can be used.
  bool DialogChar(char key, TShiftState shift) override;

  // Sender is the button.
  TNotifyEvent OnClick;

 private:
  // The only way the state changes; force repaints an unchanged state too.
  void StateChange(TButtonState state, bool force = false);
  void Repaint();
  void Click();
  bool Inside(int x, int y) const;
  void HotCheck();
  void StopHotTimer();
  void DrawCaption(Canvas& canvas, RECT area) const;
  void LookChanged();

  std::string caption_;
  TUserButtonStyle style_ = TUserButtonStyle::ubsWin40;
  TButtonState state_ = TButtonState::bsUp;
  TButtonState previousState_ = TButtonState::bsUp;
  bool dragging_ = false;
  bool transparent_ = false;
  bool ctlXP_ = true;
  bool hideHint_ = true;
  bool multiLine_ = false;
  TBoxAlignment alignment_ = TBoxAlignment::agCenter;
  int offsetX_ = 0, offsetY_ = 0;
  TColor enterColor_ = 0x80000009;  // clCaptionText
  bool enterColorChange_ = false;
  TFxCaption fontFX_;
  // Tells a click that its handler destroyed the button.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  // Runs while the button is hot: it catches pointer exits that bring no leave notice.
  std::unique_ptr<Timer> hotTimer_;
  bool checkingHot_ = false;  // inside the timer's tick, which must not free the timer
};
