#include "x_input.h"

#include <windows.h>

#include <cstdlib>

#include "unix_command.h"
#include "wait.h"

namespace {
// Where and when the last click ended.
POINT lastSpot{-1000, -1000};
DWORD lastTime = 0;

// Two presses at one spot within the double-click time make a double click, however
// many programs or windows came and went in between: separate clicks there are kept
// that far apart, as a user's would be.
void KeepApartFromLastClick(int x, int y) {
  const bool sameSpot = std::abs(x - lastSpot.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                        std::abs(y - lastSpot.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  const DWORD since = GetTickCount() - lastTime, needed = GetDoubleClickTime() + 100;
  if (sameSpot && since < needed) PumpFor(needed - since);
}
}  // namespace

bool XdoTool(const std::string& arguments) { return RunUnixCommand("xdotool " + arguments) == 0; }

bool XClick(int x, int y, int button, int count) {
  KeepApartFromLastClick(x, y);
  // 80 ms apart: well inside the double-click time, yet two separate presses.
  const bool done = XdoTool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click --repeat " +
                            std::to_string(count) + " --delay 80 " + std::to_string(button));
  lastSpot = {x, y};
  lastTime = GetTickCount();
  return done;
}
