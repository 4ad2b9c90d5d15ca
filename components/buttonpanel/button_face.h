#pragma once
// The drawing routines of a flat button's face: the per-style tables, the themed
// push-button image and the classic 3-D frames. Functions of (canvas, rectangle),
// so a test can draw any face into a memory DC and read its pixels back.
#include <windows.h>

#include <cstdint>

#include "framework/canvas.h"
#include "framework/color.h"

// The looks a flat button can have; the program's buttons use ubsWin40Ext (main
// window) and ubsWin40 (quick-select popup), which are the ones drawn in full.
enum class TUserButtonStyle : std::uint8_t {
  ubsWin31,
  ubsWin40,
  ubsBrisko,
  ubsBriskoFlat,
  ubsFlat,
  ubsFlatUnColored,
  ubsNavigator,
  ubsExplorer,
  ubsExplorerColored,
  ubsIntegrated,
  ubsCombo,
  ubsOffice,
  ubsOfficeTransp,
  ubsWin40Ext,
};

enum class TButtonState : std::uint8_t {
  bsUp,
  bsDisabledUp,
  bsMouseOver,
  bsOptionSet,
  bsDown,
  bsDragOver,
  bsDropDownOpen,
  bsDisabledDown,
  bsDefaultEd,
};

// Face flags passed to DrawBtnFaceExt.
inline constexpr UINT kFaceBase = 0x5;
inline constexpr UINT kFaceDefaulted = 0x20;
inline constexpr UINT kFaceHot = 0x40;
inline constexpr UINT kFaceThemed = 0x200;

// How far the caption area keeps inside the button's edges.
int GetButtonBevel(TUserButtonStyle style);
// Whether a change between rest and hot shows: the styles that look alike under the
// pointer skip that repaint unless they draw themed.
bool RepaintsOnHot(TUserButtonStyle style, bool themed);
// The face shows the button held down (and the caption follows it 1 pixel down-right).
bool IsDownState(TButtonState state);
// The theme class whose images the style's themed face uses.
LPCWSTR ThemeClassOf(TUserButtonStyle style);
// The push-button theme state for a button state (hot also when hot is set).
int ThemedButtonState(TButtonState state, bool hot, UINT flags);

// The raised speed-button frame: a soft raised outer edge all round and a raised inner
// edge on the right and bottom inside it; rect shrinks by what was drawn.
void DrawRaisedSpeedFrame(Canvas& canvas, RECT& rect);
// The classic face of the style in the state: rect filled with color, then its frame.
void DrawBtnFace(Canvas& canvas, const RECT& rect, TColor color, TButtonState state, TUserButtonStyle style);
// The face, themed when flags hold kFaceThemed and the theme can draw it for window
// (which may be null), classic otherwise; true when it was drawn themed.
bool DrawBtnFaceExt(HWND window, Canvas& canvas, bool hot, TColor color, UINT flags, TButtonState state,
                    TUserButtonStyle style, const RECT& rect);
