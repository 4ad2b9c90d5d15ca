#pragma once
// A control's frame settings: a custom 3-D frame with a border between its two
// halves, a standard line, an edge, or the system's client edge; and the extent
// (pixels taken on each side) they give. Values only; OnChange tells the owner.
#include <windows.h>

#include <cstdint>

#include "framework/canvas.h"
#include "framework/color.h"
#include "framework/enum_set.h"
#include "framework/events.h"

enum class TBevelMode : std::uint8_t { bmCustom, bmStandard, bmEdge, bmWindows };
enum class TBevelStyle : std::uint8_t {
  bvNone,
  bvLowered,
  bvRaised,
  bvFrameLowered,
  bvFrameRaised,
  bvNormal,
  bvShadow
};
enum class TBorderSide : std::uint8_t { bsLeft, bsTop, bsRight, bsBottom };
using TBorderSides = EnumSet<TBorderSide>;
enum class TEdgeStyle : std::uint8_t {
  etRaisedInner,
  etRaisedOuter,
  etSunkenInner,
  etSunkenOuter,
  etBump,
  etEtched
};
enum class TLineStyle : std::uint8_t {
  lsNone,
  lsSingle,
  lsSingleRaised,
  lsSingleLowered,
  lsDouble,
  lsDoubleRaised,
  lsDoubleLowered,
};

struct TBevelSettings {
  TBevelMode Mode = TBevelMode::bmCustom;
  TBevelStyle StyleInner = TBevelStyle::bvNone;
  TBevelStyle StyleOuter = TBevelStyle::bvNone;
  int WidthInner = 1;
  int WidthOuter = 1;
  TColor BorderColor = clBtnFace;
  TBorderSides BorderSides{TBorderSide::bsLeft, TBorderSide::bsTop, TBorderSide::bsRight,
                           TBorderSide::bsBottom};
  int BorderWidth = 0;
  int BorderInnerWidth = 0;
  TEdgeStyle EdgeStyle = TEdgeStyle::etEtched;
  TColor LightColor = clBtnHighlight;
  TColor ShadowColor = clBtnShadow;
  TLineStyle StandardStyle = TLineStyle::lsSingleLowered;
  bool operator==(const TBevelSettings&) const = default;
};

// width rings of a two-coloured frame inside rect, top-left in one colour and
// bottom-right in the other; rect shrinks by one for each ring drawn.
void Frame3D(Canvas& canvas, RECT& rect, TColor topLeft, TColor bottomRight, int width);

// Pixels the frame takes on each side (a windows-mode frame is the system's, outside the client area).
int BevelExtent(const TBevelSettings& settings);

class TBevel {
 public:
  TBevel() = default;
  TBevel(const TBevel&) = delete;
  TBevel& operator=(const TBevel&) = delete;

  const TBevelSettings& Settings() const { return settings_; }
  // Stores all values at once; a change recomputes the extent and tells the owner.
  void SetSettings(const TBevelSettings& value);
  TBevelMode Mode() const { return settings_.Mode; }
  void SetMode(TBevelMode value);

  int GetBevelExtend() const { return extent_; }
  // Draws the frame inside rect and returns the rectangle inside it; with
  // transparentBorder the BorderWidth ring is left as it is.
  RECT PaintBevel(Canvas& canvas, const RECT& rect, bool transparentBorder) const;

  Event<> OnChange;

 private:
  TBevelSettings settings_;
  int extent_ = 0;
};
