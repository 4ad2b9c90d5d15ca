#include "x_input.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

#include "unix_command.h"
#include "wait.h"

namespace {
struct Click {
  POINT spot;
  DWORD time;  // when it ended
};
std::vector<Click> recentClicks;

// Two presses at one spot within the double-click time make a double click, whatever
// other clicks came in between (each program keeps its own last press): a separate
// click at a spot waits until no earlier one there can pair with it, as a user's would.
void KeepApartFromEarlierClicks(int x, int y) {
  const DWORD window = GetDoubleClickTime() + 100;
  for (const Click& click : recentClicks) {
    const DWORD since = GetTickCount() - click.time;
    if (since < window && std::abs(x - click.spot.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
        std::abs(y - click.spot.y) <= GetSystemMetrics(SM_CYDOUBLECLK))
      PumpFor(window - since);
  }
  std::erase_if(recentClicks, [&](const Click& click) { return GetTickCount() - click.time >= window; });
}
}  // namespace

bool XdoTool(const std::string& arguments) { return RunUnixCommand("xdotool " + arguments) == 0; }

bool XMovePointer(int x, int y) {
  if (!XdoTool("mousemove " + std::to_string(x) + " " + std::to_string(y))) return false;
  return PumpUntil([&] {
    POINT at{};
    return GetCursorPos(&at) && at.x == x && at.y == y;
  });
}

bool XClick(int x, int y, int button, int count) {
  KeepApartFromEarlierClicks(x, y);
  // 80 ms apart: well inside the double-click time, yet two separate presses.
  const bool done = XdoTool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click --repeat " +
                            std::to_string(count) + " --delay 80 " + std::to_string(button));
  recentClicks.push_back({{x, y}, GetTickCount()});
  return done;
}

bool XPressKeys(const std::string& keys) { return XdoTool("key " + keys); }
