#include "components/buttonpanel/button_face.h"

#include "components/paint/visual_styles.h"

namespace {
constexpr int kPushButtonPart = 1;  // BP_PUSHBUTTON, TP_BUTTON and CP_DROPDOWNBUTTON alike
enum ThemeState { kNormal = 1, kHot = 2, kPressed = 3, kDisabled = 4, kDefaulted = 5 };

bool IsToolbarStyle(TUserButtonStyle style) {
  switch (style) {
    case TUserButtonStyle::ubsBriskoFlat:
    case TUserButtonStyle::ubsFlat:
    case TUserButtonStyle::ubsFlatUnColored:
    case TUserButtonStyle::ubsNavigator:
    case TUserButtonStyle::ubsExplorer:
    case TUserButtonStyle::ubsExplorerColored:
    case TUserButtonStyle::ubsOffice:
    case TUserButtonStyle::ubsOfficeTransp:
      return true;
    default:
      return false;
  }
}

void Edge(Canvas& canvas, RECT& rect, UINT edge, UINT flags) {
  ::DrawEdge(canvas.Handle(), &rect, edge, flags);
}
}  // namespace

int GetButtonBevel(TUserButtonStyle style) {
  switch (style) {
    case TUserButtonStyle::ubsWin31:
      return 3;
    case TUserButtonStyle::ubsFlat:
    case TUserButtonStyle::ubsFlatUnColored:
    case TUserButtonStyle::ubsExplorer:
    case TUserButtonStyle::ubsExplorerColored:
    case TUserButtonStyle::ubsCombo:
    case TUserButtonStyle::ubsOffice:
    case TUserButtonStyle::ubsOfficeTransp:
      return 1;
    default:
      return 2;
  }
}

bool RepaintsOnHot(TUserButtonStyle style, bool themed) {
  return themed || IsToolbarStyle(style) || style == TUserButtonStyle::ubsWin40Ext;
}

bool IsDownState(TButtonState state) {
  return state == TButtonState::bsOptionSet || state == TButtonState::bsDown ||
         state == TButtonState::bsDropDownOpen;
}

LPCWSTR ThemeClassOf(TUserButtonStyle style) {
  if (style == TUserButtonStyle::ubsCombo) return L"COMBOBOX";
  return IsToolbarStyle(style) ? L"TOOLBAR" : L"BUTTON";
}

int ThemedButtonState(TButtonState state, bool hot, UINT flags) {
  int result = (flags & kFaceDefaulted) ? kDefaulted : kNormal;
  if (state == TButtonState::bsMouseOver || hot) result = kHot;
  if (IsDownState(state) || state == TButtonState::bsDisabledDown) result = kPressed;
  if (state == TButtonState::bsDisabledUp || state == TButtonState::bsDisabledDown) result = kDisabled;
  return result;
}

void DrawRaisedSpeedFrame(Canvas& canvas, RECT& rect) {
  Edge(canvas, rect, BDR_RAISEDOUTER, BF_RECT | BF_SOFT | BF_ADJUST);
  Edge(canvas, rect, BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM | BF_ADJUST);
}

void DrawBtnFace(Canvas& canvas, const RECT& rect, TColor color, TButtonState state, TUserButtonStyle style) {
  canvas.FillRect(rect, color);
  RECT frame = rect;
  const bool down = IsDownState(state) || state == TButtonState::bsDisabledDown;
  if (style == TUserButtonStyle::ubsWin40Ext) {
    // Flat-looking at rest, fully raised under the pointer, sunken while held.
    if (down)
      Edge(canvas, frame, EDGE_SUNKEN, BF_RECT);
    else if (state == TButtonState::bsMouseOver)
      DrawRaisedSpeedFrame(canvas, frame);
    else
      Edge(canvas, frame, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    return;
  }
  // ubsWin40, and the look every other style keeps here: always raised, sunken while held.
  if (down)
    Edge(canvas, frame, EDGE_SUNKEN, BF_RECT | BF_SOFT | BF_ADJUST);
  else
    DrawRaisedSpeedFrame(canvas, frame);
}

bool DrawBtnFaceExt(HWND window, Canvas& canvas, bool hot, TColor color, UINT flags, TButtonState state,
                    TUserButtonStyle style, const RECT& rect) {
  if (flags & kFaceThemed) {
    // The image reaches one pixel beyond each side; the canvas's clip cuts it at the
    // button's edges, so neighbouring buttons meet without a gap between their images.
    RECT grown = rect;
    InflateRect(&grown, 1, 1);
    if (ThemeDrawPart(window, ThemeClassOf(style), canvas.Handle(), kPushButtonPart,
                      ThemedButtonState(state, hot, flags), grown))
      return true;
  }
  DrawBtnFace(canvas, rect, color, state, style);
  return false;
}
