#include "framework/icon.h"

void TIcon::Reset(HICON icon) {
  if (handle_) DestroyIcon(handle_);
  handle_ = icon;
}

void TIcon::Assign(HICON icon) {
  Reset(icon ? CopyIcon(icon) : nullptr);
  if (OnChange) OnChange();
}

void TIcon::LoadFromResource(int id, int width, int height) {
  Reset(static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, width, height, 0)));
  if (OnChange) OnChange();
}
