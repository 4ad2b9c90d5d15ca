#include "components/dialog/fx_label.h"

TFxLabel::TFxLabel(Component* owner) : TBaseLabel(owner) {
  fontFX_.OnChange = [this] {
    if (!storingOrigin_) FontChange();
  };
  bevel_.OnChange = [this] { FontChange(); };
}

void TFxLabel::TextOriginMeasured(POINT origin) {
  if (fontFX_.Angle() == 0) return;
  // Stored quietly: the origin follows from the size just measured, not the other way round.
  FlagScope storing(storingOrigin_);
  fontFX_.SetPosX(static_cast<std::int16_t>(origin.x));
  fontFX_.SetPosY(static_cast<std::int16_t>(origin.y));
}

void TFxLabel::PaintCaption(Canvas& canvas, RECT rect) {
  TDrawTextStyles styles = EnabledStyles();
  RECT clip{};
  const bool framed = bevel_.GetBevelExtend() > 0;
  if (framed) {
    rect = clip = bevel_.PaintBevel(canvas, rect, false);
    styles.Include(TDrawTextStyle::dtClip);
  }
  UINT flags = CaptionFlags();
  if (!AutoSize()) {
    const bool turned = fontFX_.Angle() != 0;
    if (!(MultiLine() && !turned)) flags |= DT_SINGLELINE;
    const bool placeTurned = turned && Alignment() != TBoxAlignment::agTopLeft;
    const bool placeBlock = MultiLine() && VerticalPlace(Alignment()) != TVerticalPlace::Top;
    if (placeTurned || placeBlock)
      rect = AlignTextRect(font_, Caption(), flags, Alignment(), rect, fontFX_.Angle());
  }
  DrawCaption(canvas, framed ? &clip : nullptr, styles, flags, rect);
}
