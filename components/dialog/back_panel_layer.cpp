#include "components/dialog/back_panel_layer.h"

bool PanelLayerKey::operator==(const PanelLayerKey& other) const {
  return size.cx == other.size.cx && size.cy == other.size.cy && surfaceBits == other.surfaceBits &&
         color == other.color && colorTo == other.colorTo && border == other.border &&
         borderShadow == other.borderShadow && bevelOuter == other.bevelOuter &&
         bevelInner == other.bevelInner && bevelWidth == other.bevelWidth &&
         EqualRect(&contentArea, &other.contentArea) && pictureRevision == other.pictureRevision &&
         position == other.position && face == other.face && highlight == other.highlight &&
         shadow == other.shadow;
}

int SurfaceBits(HDC dc) {
  if (GetObjectType(dc) == OBJ_MEMDC) {
    BITMAP bitmap{};
    if (GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof bitmap, &bitmap)) return bitmap.bmBitsPixel;
  }
  return GetDeviceCaps(dc, BITSPIXEL);
}

HDC PanelLayer::Make(HDC like, const PanelLayerKey& key) {
  surface_.reset();  // the old one goes before the new one is made
  surface_ = std::make_unique<MemoryDC>(like, key.size.cx, key.size.cy);
  key_ = key;
  return surface_->Get();
}
