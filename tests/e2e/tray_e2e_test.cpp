// The real program in the notification area, used through the X server as a user
// would: a double click on the icon shows the preferences window, minimising puts the
// program back, and Quit in the icon's menu ends it.
#include <doctest.h>

#include <functional>

#include "hotkey_probe.h"
#include "key_input.h"
#include "screenshot.h"
#include "velnor_session.h"
#include "wait.h"
#include "x_input.h"

namespace {
const std::vector<SlotAt> kSlots = {
    {0, {"Greeting", "Hello, world", 1, 1, 0, 'K'}},
    {3, {"Sign", "-- sent by slot four", 0, 1, 1, '1'}},
};

// The middle of the title bar's minimise button, found by asking the window itself
// what lies under each point of its title bar; (-1, -1) when there is none.
POINT MinimiseButton(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  const int y = r.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  int first = -1, last = -1;
  for (int x = r.left; x < r.right; ++x) {
    const LRESULT part = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
    if (part != HTMINBUTTON) continue;
    if (first < 0) first = x;
    last = x;
  }
  return first < 0 ? POINT{-1, -1} : POINT{(first + last) / 2, y};
}

bool Hidden(HWND window) {
  return PumpUntil([&] { return !IsWindowVisible(window); });
}
}  // namespace

TEST_CASE("a double click on the icon shows the window, and minimising hides it again") {
  VelnorSession session(kSlots);
  REQUIRE(session.Start());
  HWND application = session.velnor.FindWindowOf("Velnor", "VelnorApplication");
  REQUIRE(application != nullptr);

  std::function<void(HWND)> minimise;
  SUBCASE("by the title bar's minimise button") {
    minimise = [](HWND main) {
      const POINT button = MinimiseButton(main);
      REQUIRE(button.x >= 0);
      REQUIRE(XClick(button.x, button.y));
    };
  }
  SUBCASE("by the system command SC_MINIMIZE") {
    minimise = [](HWND main) { PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0); };
  }

  // Twice: each minimise must leave the program as the start did.
  for (int round = 1; round <= 2; ++round) {
    CAPTURE(round);
    REQUIRE(session.tray.DoubleClickIcon());
    HWND main = session.velnor.WaitShownWindow("Velnor Preferences");
    REQUIRE(main != nullptr);
    CHECK(IsWindowVisible(application));  // the taskbar button
    CHECK(session.tray.WaitIconShown(false));
    if (round == 1) CHECK(SaveScreenshot("e2e-preferences"));

    minimise(main);
    CHECK(Hidden(main));
    CHECK(Hidden(application));
    CHECK(session.tray.WaitIconShown(true));
  }
}

TEST_CASE("Quit in the icon's menu ends the program and frees every hotkey") {
  VelnorSession session(kSlots);
  REQUIRE(session.Start());

  std::string screenshot = "e2e-tray-menu";
  SUBCASE("from the notification area") {}
  SUBCASE("while the quick-select popup is open") {
    REQUIRE(XMovePointer(600, 400));  // clear of where the menu opens
    PressHotkey(MOD_CONTROL | MOD_SHIFT, 'Z');
    REQUIRE(session.velnor.WaitShownWindow("FormQuickSel") != nullptr);
    screenshot = "e2e-tray-menu-over-popup";
  }

  REQUIRE(session.tray.RightClickIcon());
  REQUIRE(session.velnor.WaitShownWindow(nullptr, "#32768") != nullptr);
  CHECK(SaveScreenshot(screenshot));
  // Quit(&Q) is the menu's last item: Up from no selection reaches it. The keys go in
  // through the system, not X: the X keyboard focus stays with the window that had it,
  // since the program's foreground window (the application window) is not on screen.
  PressKey(VK_UP);
  PressKey(VK_RETURN);

  CHECK(session.velnor.WaitExit() == 0);
  CHECK_FALSE(IsHotkeyTaken(MOD_CONTROL | MOD_SHIFT, 'Z'));
  for (const SlotAt& entry : kSlots) CHECK_FALSE(IsHotkeyTaken(HotkeyModifiers(entry.slot), entry.slot.key));
  CHECK(session.tray.WaitIconShown(false));
}
