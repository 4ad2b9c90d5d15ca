#include "app/caption_label.h"

std::unique_ptr<TSimpleLabel> MakeCaptionLabel(Component* owner, TWinControl& parent, const char* name,
                                               const char* caption, int left, int top, int width) {
  auto label = std::make_unique<TSimpleLabel>(owner);
  label->SetName(name);
  label->SetParent(&parent);
  label->SetBounds(left, top, width, kCaptionLabelHeight);
  label->SetCaption(caption);
  label->SetAlignment(TBoxAlignment::agCenterLeft);
  label->SetAutoSize(false);
  label->Font().SetBold(true);
  label->Font3D().SetStyle(TThreeDStyle::tdShadow);
  label->Font3D().SetLightDepth(4);
  label->Font3D().SetShadowColor(kCaptionShadowColor);
  return label;
}
