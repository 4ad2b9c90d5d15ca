#include "mouse_input.h"

namespace {
// Absolute mouse input counts in 65536ths of the primary screen; rounded up, the
// system's conversion back lands on the very pixel.
LONG Normalised(LONG pixel, int screen) { return static_cast<LONG>((pixel * 65536LL + screen - 1) / screen); }
}  // namespace

void ClickAt(POINT screen) {
  INPUT inputs[3]{};
  for (INPUT& input : inputs) input.type = INPUT_MOUSE;
  // The move travels with the buttons: a separate SetCursorPos may not have reached
  // the input queue when the press is placed.
  inputs[0].mi.dx = Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
  inputs[0].mi.dy = Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(3, inputs, sizeof(INPUT));
}

POINT ClientToScreenPoint(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  return point;
}
