#pragma once
// The box of the HTML check box in each of its five looks, and where the caption
// goes beside it. Drawing needs only a DC and the control's window (for its theme).
#include <windows.h>

#include "framework/color.h"

enum class TButtonType { btClassic, btDrawn, btFlat, btBitmap, btWinXP };
enum class TLeftRight { taLeftJustify, taRightJustify };
enum class TTextLayout { tlTop, tlCenter, tlBottom };
enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

struct CheckBoxLook {
  TButtonType ButtonType = TButtonType::btClassic;
  TLeftRight Alignment = TLeftRight::taLeftJustify;
  TTextLayout VertAlign = TTextLayout::tlTop;
  TCheckBoxState State = TCheckBoxState::cbUnchecked;
  bool Enabled = true;
  bool Down = false;  // being pressed
  bool Hot = false;   // the pointer is over the control
  bool Themed = false;
  TColor CheckColor = clBlack;
};

// The themed check-box state (1-8) of the button class's check-box part.
int ThemedCheckBoxState(const CheckBoxLook& look);

// The bitmap resource a picture look shows, or null for the looks that draw the box.
const char* CheckBoxBitmapName(const CheckBoxLook& look);

// The caption rectangle beside the box, inside the control's client rectangle.
RECT CheckBoxCaptionRect(const RECT& client, const CheckBoxLook& look);

// Draws the box into client on dc; window supplies the theme of the themed look.
void DrawCheckBoxFace(HDC dc, HWND window, const RECT& client, const CheckBoxLook& look);
