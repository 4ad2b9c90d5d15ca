#pragma once
// Synthetic mouse clicks that reach whatever window is under the pointer, as the
// mouse would.
#include <windows.h>

// Moves the pointer to the screen point and clicks the left button there: one
// SendInput of an absolute move, button down and button up.
void ClickAt(POINT screen);
// The screen point at client coordinates (x, y) of window.
POINT ClientToScreenPoint(HWND window, int x, int y);
// Moves the pointer to the screen point, pumping this thread's messages, and places
// it again while late motion that X reports under Wine takes it elsewhere; true once
// it stays there.
bool MovePointerTo(POINT screen);
// Presses or releases mouse buttons where the pointer is (MOUSEEVENTF_LEFTDOWN, ...).
void SendMouseButtons(DWORD flags);
