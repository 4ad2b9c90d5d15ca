#include "framework/panel.h"

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  // The window border is a creation setting: a window that exists is made again.
  if (HandleAllocated()) {
    DestroyHandle();
    Handle();
  }
}

int TCustomPanel::FrameExtent() const {
  int extent = borderWidth_;
  if (bevelOuter_ != TPanelBevel::bvNone) extent += bevelWidth_;
  if (bevelInner_ != TPanelBevel::bvNone) extent += bevelWidth_;
  return extent;
}

void TCustomPanel::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  if (borderStyle_ == TBorderStyle::bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}
