#pragma once
// A windowless label whose caption can turn (FontFX) inside an optional bevel frame.
#include "components/dialog/base_label.h"
#include "components/paint/bevel.h"

class TFxLabel : public TBaseLabel {
 public:
  explicit TFxLabel(Component* owner);

  TFxCaption& FontFX() { return fontFX_; }
  const T3DCaption& Effect() const override { return fontFX_; }
  TBevel& Bevel() { return bevel_; }

 protected:
  void PaintCaption(Canvas& canvas, RECT rect) override;
  void TextOriginMeasured(POINT origin) override;
  int BevelExtent() const override { return bevel_.GetBevelExtend(); }

 private:
  TFxCaption fontFX_;
  TBevel bevel_;
  bool storingOrigin_ = false;
};
