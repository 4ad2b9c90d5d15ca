#include "mouse_input.h"

#include <chrono>
#include <thread>

#include "wait.h"

namespace {
// Absolute mouse input counts in 65536ths of the primary screen; rounded up, the
// system's conversion back lands on the very pixel.
LONG Normalised(LONG pixel, int screen) { return static_cast<LONG>((pixel * 65536LL + screen - 1) / screen); }

INPUT MouseAt(POINT screen, DWORD buttonFlags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlags;
  return input;
}

bool PointerAt(POINT screen) {
  POINT now{};
  return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
}
}  // namespace

void ClickAt(POINT screen) {
  // The pointer is there before the button goes down, and every event carries the
  // point itself: under Wine a late motion report of an earlier position could
  // otherwise still be on its way and take the press with it.
  INPUT move = MouseAt(screen, 0);
  SendInput(1, &move, sizeof(INPUT));
  for (int i = 0; i < 100 && !PointerAt(screen); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  INPUT press[2] = {MouseAt(screen, MOUSEEVENTF_LEFTDOWN), MouseAt(screen, MOUSEEVENTF_LEFTUP)};
  SendInput(2, press, sizeof(INPUT));
}

POINT ClientToScreenPoint(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  return point;
}

bool MovePointerTo(POINT screen) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    INPUT move = MouseAt(screen, 0);
    SendInput(1, &move, sizeof(INPUT));
    PumpFor(40);
    if (PointerAt(screen)) return true;
  }
  return false;
}

void SendMouseButtons(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(INPUT));
}
