#include "components/dialog/panel_caption.h"

TPanelCaption::TPanelCaption() {
  font_.SetColor(clHighlightText);
  font_.OnChange = [this] {
    if (OnChange) OnChange();
  };
}

void TPanelCaption::SetGlyph(BitmapHandle& glyph, HBITMAP value) {
  if (glyph.Get() == value) return;
  glyph.Reset(value);
  if (OnChange) OnChange();
}
