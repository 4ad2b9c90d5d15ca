// The real program in the notification area, used through the X server as a user
// would: a double click on the icon shows the preferences window, minimising puts the
// program back, and Quit, from either menu, or the title bar's close button ends it.
#include <doctest.h>

#include <functional>

#include "hotkey_probe.h"
#include "key_input.h"
#include "mouse_input.h"
#include "registry_snapshot.h"
#include "screenshot.h"
#include "velnor_session.h"
#include "wait.h"
#include "x_input.h"

namespace {
const std::vector<SlotAt> kSlots = {
    {0, {"Greeting", "Hello, world", 1, 1, 0, 'K'}},
    {3, {"Sign", "-- sent by slot four", 0, 1, 1, '1'}},
};

// The middle of a title bar button (HTMINBUTTON, HTCLOSE), found by asking the window
// itself what lies under each point of its title bar; (-1, -1) when there is none.
POINT TitleBarButton(HWND window, LRESULT button) {
  RECT r{};
  GetWindowRect(window, &r);
  const int y = r.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  int first = -1, last = -1;
  for (int x = r.left; x < r.right; ++x) {
    const LRESULT part = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
    if (part != button) continue;
    if (first < 0) first = x;
    last = x;
  }
  return first < 0 ? POINT{-1, -1} : POINT{(first + last) / 2, y};
}

// The program's store, value by value.
RegistrySnapshot StoreNow() {
  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Dastrel\\Velnor", 0, KEY_READ, &key);
  RegistrySnapshot snapshot(key, "store");
  if (key) RegCloseKey(key);
  return snapshot;
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
      const POINT button = TitleBarButton(main, HTMINBUTTON);
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

TEST_CASE(
    "Quit from either menu, or the close button, ends the program: exit code 0, no hotkey held, the store as "
    "it was") {
  VelnorSession session(kSlots);
  const RegistrySnapshot before = StoreNow();
  REQUIRE(before.KeyCount() == 1);
  REQUIRE(session.Start());

  // Each way ends with what a user does last; the keys go in through the system, not
  // X: the X keyboard focus stays with the window that had it, since the program's
  // foreground window for the icon's menu (the application window) is not on screen.
  auto quitFromIconMenu = [&](const char* screenshot) {
    REQUIRE(session.tray.RightClickIcon());
    REQUIRE(session.velnor.WaitShownWindow(nullptr, "#32768") != nullptr);
    CHECK(SaveScreenshot(screenshot));
    // Quit(&Q) is the menu's last item: Up from no selection reaches it.
    PressKey(VK_UP);
    PressKey(VK_RETURN);
  };
  auto showMainWindow = [&] {
    REQUIRE(session.tray.DoubleClickIcon());
    HWND main = session.velnor.WaitShownWindow("Velnor Preferences");
    REQUIRE(main != nullptr);
    return main;
  };
  SUBCASE("Quit(&Q) in the icon's menu") { quitFromIconMenu("e2e-tray-menu"); }
  SUBCASE("Quit(&Q) in the icon's menu while the quick-select popup is open") {
    REQUIRE(XMovePointer(600, 400));  // clear of where the menu opens
    PressHotkey(MOD_CONTROL | MOD_SHIFT, 'Z');
    REQUIRE(session.velnor.WaitShownWindow("FormQuickSel") != nullptr);
    quitFromIconMenu("e2e-tray-menu-over-popup");
  }
  SUBCASE("Quit(&Q) in the button panel's menu, by its accelerator") {
    const POINT onPanel = ClientToScreenPoint(showMainWindow(), 210, 75);
    REQUIRE(XClick(onPanel.x, onPanel.y, 3));
    REQUIRE(session.velnor.WaitShownWindow(nullptr, "#32768") != nullptr);
    PressKey('Q');
  }
  SUBCASE("a click on the title bar's close button") {
    const POINT button = TitleBarButton(showMainWindow(), HTCLOSE);
    REQUIRE(button.x >= 0);
    REQUIRE(XClick(button.x, button.y));
  }

  CHECK(session.velnor.WaitExit() == 0);
  CHECK_FALSE(IsHotkeyTaken(MOD_CONTROL | MOD_SHIFT, 'Z'));
  for (const SlotAt& entry : kSlots) CHECK_FALSE(IsHotkeyTaken(HotkeyModifiers(entry.slot), entry.slot.key));
  CHECK(session.tray.WaitIconShown(false));
  CHECK(before.ChangesTo(StoreNow()) == std::vector<std::string>{});
}
