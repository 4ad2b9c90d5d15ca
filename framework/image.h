#pragma once
// A windowless picture: an icon drawn at the control's top-left corner, the control
// sized to it when AutoSize is on.
#include "framework/control.h"
#include "framework/icon.h"

class TImage : public TControl {
 public:
  explicit TImage(Component* owner);

  TIcon& Picture() { return picture_; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);

  void Paint(Canvas& canvas) override;

 private:
  void PictureChanged();

  TIcon picture_;
  bool autoSize_ = false;
};
