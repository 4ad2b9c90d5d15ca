#pragma once
// The background panel's bottom layer (fill, border, bevels and picture), kept
// between paints. Composing it renders the picture through the picture object,
// which costs many times more than copying the finished layer, and the layer only
// changes with what it is made from: the key names all of it, so a layer made from
// other settings, another size, other system colours or for another kind of
// surface is never shown.
#include <windows.h>

#include <memory>
#include <optional>

#include "components/dialog/back_panel_geometry.h"
#include "framework/gdi.h"
#include "framework/panel.h"

struct PanelLayerKey {
  SIZE size{};
  int surfaceBits = 0;  // of the surface the layer is copied to
  COLORREF color = 0;
  std::optional<COLORREF> colorTo, border;
  bool borderShadow = false;
  TPanelBevel bevelOuter = TPanelBevel::bvNone, bevelInner = TPanelBevel::bvNone;
  int bevelWidth = 0;
  RECT contentArea{};
  unsigned pictureRevision = 0;
  TBackGroundPosition position = TBackGroundPosition::bpTopLeft;
  COLORREF face = 0, highlight = 0, shadow = 0;  // the system colours the frame uses

  bool operator==(const PanelLayerKey& other) const;
};

// The bits per pixel of what is drawn on dc: its selected bitmap's for a memory DC.
int SurfaceBits(HDC dc);

class PanelLayer {
 public:
  // The layer made for key, or null when there is none.
  HDC Find(const PanelLayerKey& key) const { return surface_ && key_ == key ? surface_->Get() : nullptr; }
  // A new, undrawn layer for key, of a kind that copies unchanged onto like.
  HDC Make(HDC like, const PanelLayerKey& key);

 private:
  std::optional<PanelLayerKey> key_;
  std::unique_ptr<MemoryDC> surface_;
};
