#pragma once
// The windowless button of a button panel: a caption on a raised face that sinks
// while the left button holds it down, and one click per press and release inside.
#include <cstdint>
#include <string>

#include "framework/control.h"

// The looks a flat button can have; the face painted for each arrives with the
// themed drawing, until then every style keeps the plain raised face.
enum class TUserButtonStyle : std::uint8_t {
  ubsWin31,
  ubsWin40,
  ubsBrisko,
  ubsBriskoFlat,
  ubsFlat,
  ubsFlatUnColored,
  ubsNavigator,
  ubsExplorer,
  ubsExplorerColored,
  ubsIntegrated,
  ubsCombo,
  ubsOffice,
  ubsOfficeTransp,
  ubsWin40Ext,
};

enum class TButtonState : std::uint8_t {
  bsUp,
  bsDisabledUp,
  bsMouseOver,
  bsOptionSet,
  bsDown,
  bsDragOver,
  bsDropDownOpen,
  bsDisabledDown,
  bsDefaultEd,
};

class TFlatButton : public TControl {
 public:
  explicit TFlatButton(Component* owner);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value);
  TUserButtonStyle ButtonStyle() const { return style_; }
  void SetButtonStyle(TUserButtonStyle value);
  bool CtlXP() const { return ctlXP_; }
  void SetCtlXP(bool value);
  bool HideHint() const { return hideHint_; }
  void SetHideHint(bool value) { hideHint_ = value; }
  TButtonState State() const { return state_; }

  void Paint(Canvas& canvas) override;
  void MouseDown(MouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(MouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;

  // Sender is the button.
  TNotifyEvent OnClick;

 private:
  void StateChange(TButtonState state);
  void Repaint();
  void Click();
  bool Inside(int x, int y) const;
  void DrawCaption(Canvas& canvas, RECT area) const;

  std::string caption_;
  TUserButtonStyle style_ = TUserButtonStyle::ubsWin40;
  TButtonState state_ = TButtonState::bsUp;
  bool dragging_ = false;
  bool ctlXP_ = true;
  bool hideHint_ = true;
};
