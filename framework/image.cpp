#include "framework/image.h"

TImage::TImage(Component* owner) : TControl(owner) {
  bounds_ = {0, 0, 105, 105};
  picture_.OnChange = [this] { PictureChanged(); };
}

void TImage::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  PictureChanged();
}

void TImage::PictureChanged() {
  if (autoSize_ && !picture_.Empty()) {
    ICONINFO info{};
    if (GetIconInfo(picture_.Handle(), &info)) {
      BITMAP bitmap{};
      GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
      const int height = info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2;  // a mask holds both halves
      if (info.hbmColor) DeleteObject(info.hbmColor);
      if (info.hbmMask) DeleteObject(info.hbmMask);
      SetBounds(Left(), Top(), bitmap.bmWidth, height);
    }
  }
  Invalidate();
}

void TImage::Paint(Canvas& canvas) {
  if (picture_.Empty()) return;
  DrawIconEx(canvas.Handle(), 0, 0, picture_.Handle(), 0, 0, 0, nullptr, DI_NORMAL);
}
