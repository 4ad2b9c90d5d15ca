#pragma once
// A windowless label whose caption has a 3D effect (Font3D) and that can act as a
// link: a hand cursor, link colours, and a click that opens the link.
#include <string>

#include "components/dialog/base_label.h"

enum class TLabelCursor { crDefault, crHandPoint };

class TSimpleLabel : public TBaseLabel {
 public:
  explicit TSimpleLabel(Component* owner);

  T3DCaption& Font3D() { return font3D_; }
  const T3DCaption& Effect() const override { return font3D_; }

  const std::string& Jump() const { return jump_; }
  void SetJump(std::string value) { jump_ = std::move(value); }
  TJumpModes JumpMode() const { return jumpMode_; }
  void SetJumpMode(TJumpModes value);
  bool JumpUnderline() const { return jumpUnderline_; }
  void SetJumpUnderline(bool value);
  TColor ActiveColor() const { return activeColor_; }
  void SetActiveColor(TColor value) { activeColor_ = value; }
  TColor InActiveColor() const { return inActiveColor_; }
  void SetInActiveColor(TColor value);
  // The legacy layout item: true makes the label an internet link once loaded.
  void SetUseAsJump(bool value) { useAsJump_ = value; }
  int Clicks() const { return clicks_; }
  TLabelCursor Cursor() const { return cursor_; }

  void MouseDown(MouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;

 protected:
  void PaintCaption(Canvas& canvas, RECT rect) override;
  void Loaded() override;
  void Click() override;

 private:
  bool IsLink() const { return jumpMode_ != TJumpModes::jmNone; }
  void ApplyLinkLook();

  T3DCaption font3D_;
  std::string jump_;
  TColor activeColor_ = 8388736;     // purple
  TColor inActiveColor_ = 16711680;  // blue
  bool jumpUnderline_ = true;
  TJumpModes jumpMode_ = TJumpModes::jmNone;
  bool useAsJump_ = false;
  int clicks_ = 0;
  TLabelCursor cursor_ = TLabelCursor::crDefault;
};
