// The real program when the desktop around it misbehaves: a slot's hotkey already
// taken by another program, and a notification area that is made anew. Each time the
// program must go on as the user knows it: the other hotkeys paste, Ctrl+Shift+Z
// opens the popup, the icon and its menu are there once.
#include <doctest.h>

#include <optional>
#include <string>
#include <vector>

#include "hotkey_probe.h"
#include "key_input.h"
#include "screenshot.h"
#include "tray_probe.h"
#include "velnor_session.h"
#include "wait.h"
#include "x_input.h"

namespace {
// Three slots with hotkeys, the first and the last slot among them; each pastes a
// text of its own, so a press that reaches the wrong slot shows.
const std::vector<SlotAt> kSlots = {
    {0, {"Greeting", "Hello, world", 1, 1, 0, 'K'}},
    {3, {"Sign", "-- sent by slot four", 0, 1, 1, '1'}},
    {9, {"Last", "the tenth slot", 1, 0, 1, 'J'}},
};
constexpr int kRowHeight = 20;  // of the quick-select popup, one row per named slot

void Press(const StoredSlot& slot) { PressHotkey(HotkeyModifiers(slot), static_cast<UINT>(slot.key)); }

// The right end of the taskbar, where the notification area draws its icons: a second
// icon of the program would show beside the first.
constexpr RECT kNotificationStrip{800, 745, 1024, 768};

std::vector<COLORREF> Strip() { return ScreenPixels(kNotificationStrip); }

// The program's private window that the shell reports the icon's mouse events to:
// its message-only window under which the shell holds an icon.
HWND IconWindowOf(const VelnorProcess& velnor) {
  for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, "VelnorMessageWindow", nullptr); window;
       window = FindWindowExA(HWND_MESSAGE, window, "VelnorMessageWindow", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == velnor.Id() && ShellKnowsIcon(window)) return window;
  }
  return nullptr;
}

// Starts the program while another program holds one of its keys: the refusal is
// reported nowhere, only the icon shows; then the target takes the focus.
void StartQuietly(VelnorSession& session) {
  REQUIRE(session.Start());
  CHECK(session.velnor.VisibleWindows() == "");
  REQUIRE(session.target.Activate());
}
}  // namespace

TEST_CASE(
    "a slot hotkey held by another program: the program starts, that key pastes nothing, the rest work") {
  for (const SlotAt& held : kSlots) {
    CAPTURE(held.index);
    std::optional<HotkeyHolder> other(std::in_place, HotkeyModifiers(held.slot),
                                      static_cast<UINT>(held.slot.key));
    REQUIRE(other->Held());
    VelnorSession session(kSlots);
    StartQuietly(session);

    for (const SlotAt& entry : kSlots) {
      CAPTURE(entry.index);
      session.target.SetText("");
      Press(entry.slot);
      if (entry.index != held.index) {
        CHECK(session.PasteArrives(entry.slot.paste));
        continue;
      }
      // The press went to the other program, and the paste that would follow 100 ms
      // after it has had ample time to come.
      CHECK(PumpUntil([&] { return other->Presses() == 1; }));
      PumpFor(500);
      CHECK(session.target.Text() == "");
    }

    // The held slot is still there for the quick-select popup: its row pastes it.
    REQUIRE(XMovePointer(600, 400));
    HWND popup = session.OpenQuickSelect();
    REQUIRE(popup != nullptr);
    if (held.index == kSlots.front().index) CHECK(SaveScreenshot("e2e-fault-held-hotkey"));
    RECT r{};
    GetWindowRect(popup, &r);
    const int row = static_cast<int>(&held - kSlots.data());
    session.target.SetText("");
    REQUIRE(XClick((r.left + r.right) / 2, r.top + kRowHeight * row + kRowHeight / 2));
    CHECK(session.QuickSelectGone());
    CHECK(session.PasteArrives(held.slot.paste));

    // Once the other program lets go, the program does not take the key behind the
    // user's back: the registration it tried at start is not retried.
    other.reset();
    CHECK_FALSE(IsHotkeyTaken(HotkeyModifiers(held.slot), static_cast<UINT>(held.slot.key)));
  }
}

TEST_CASE("Ctrl+Shift+Z held by another program: the program starts, the slots paste, no popup opens") {
  std::optional<HotkeyHolder> other(std::in_place, MOD_CONTROL | MOD_SHIFT, 'Z');
  REQUIRE(other->Held());
  VelnorSession session(kSlots);
  StartQuietly(session);
  for (const SlotAt& entry : kSlots) {
    CAPTURE(entry.index);
    session.target.SetText("");
    Press(entry.slot);
    CHECK(session.PasteArrives(entry.slot.paste));
  }

  PressHotkey(MOD_CONTROL | MOD_SHIFT, 'Z');
  CHECK(PumpUntil([&] { return other->Presses() == 1; }));
  // A popup would show within milliseconds of a press that reached the program.
  PumpFor(500);
  CHECK_FALSE(session.velnor.Shows("FormQuickSel"));
  CHECK(session.velnor.Running());

  other.reset();
  CHECK_FALSE(IsHotkeyTaken(MOD_CONTROL | MOD_SHIFT, 'Z'));
}

TEST_CASE("a notification area made anew: the icon is there once, its menu works, the hotkeys paste") {
  VelnorSession session(kSlots);
  REQUIRE(session.Start());
  REQUIRE(XMovePointer(5, 5));  // no tooltip over the strip
  const std::vector<COLORREF> oneIcon = Strip();
  HWND iconWindow = IconWindowOf(session.velnor);
  REQUIRE(iconWindow != nullptr);

  SUBCASE("the shell still holds the icon: adding it again makes no second one") {}
  SUBCASE("the new shell knows no icon: the program adds it again") {
    REQUIRE(ShellDropIcon(iconWindow));
    REQUIRE(session.tray.WaitIconShown(false));
    // Until then the program runs without its icon, as after an add the shell
    // refused: the hotkeys and the popup still serve.
    REQUIRE(session.target.Activate());
    Press(kSlots[1].slot);
    CHECK(session.PasteArrives(kSlots[1].slot.paste));
    REQUIRE(XMovePointer(600, 400));
    CHECK(session.OpenQuickSelect() != nullptr);
    PressKey(VK_ESCAPE);
    CHECK(session.QuickSelectGone());
    REQUIRE(XMovePointer(5, 5));
    session.target.SetText("");
  }
  REQUIRE(BroadcastTaskbarCreated());
  CHECK(ShellKnowsIcon(iconWindow));
  CHECK(PumpUntil([&] { return Strip() == oneIcon; }));
  // A second icon would have been added while the broadcast was handled; give the
  // shell time to draw it.
  PumpFor(500);
  CHECK(Strip() == oneIcon);
  CHECK(SaveScreenshot("e2e-fault-taskbar-created"));
  CHECK(session.velnor.VisibleWindows() == "");

  REQUIRE(session.target.Activate());
  Press(kSlots[0].slot);
  CHECK(session.PasteArrives(kSlots[0].slot.paste));

  // The menu from the icon: Down from no selection is its first item, Preferences.
  REQUIRE(session.tray.RightClickIcon());
  REQUIRE(session.velnor.WaitShownWindow(nullptr, "#32768") != nullptr);
  PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  HWND main = session.velnor.WaitShownWindow("Velnor Preferences");
  REQUIRE(main != nullptr);
  // The one icon goes with the window shown; none is left behind.
  CHECK(session.tray.WaitIconShown(false));
  CHECK_FALSE(ShellKnowsIcon(iconWindow));
  REQUIRE(XMovePointer(5, 5));
  CHECK(PumpUntil([&] { return Strip() != oneIcon; }));

  // A shell made anew while the window shows gets no icon: the program has none then.
  REQUIRE(BroadcastTaskbarCreated());
  CHECK_FALSE(ShellKnowsIcon(iconWindow));
  PumpFor(500);
  CHECK_FALSE(session.tray.IconShown());

  // Minimising puts the one icon back.
  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  CHECK(PumpUntil([&] { return !IsWindowVisible(main); }));
  CHECK(session.tray.WaitIconShown(true));
  CHECK(PumpUntil([&] { return Strip() == oneIcon; }));
}

TEST_CASE("a notification area made anew while the icon's menu or the popup is open: each still works") {
  VelnorSession session(kSlots);
  REQUIRE(session.Start());
  REQUIRE(XMovePointer(5, 5));
  const std::vector<COLORREF> oneIcon = Strip();
  REQUIRE(session.target.Activate());

  SUBCASE("the icon's menu: About, its third item, still opens the About box") {
    REQUIRE(session.tray.RightClickIcon());
    REQUIRE(session.velnor.WaitShownWindow(nullptr, "#32768") != nullptr);
    REQUIRE(BroadcastTaskbarCreated());
    CHECK(session.velnor.Shows(nullptr, "#32768"));
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    HWND about = session.velnor.WaitShownWindow("Info Velnor");
    REQUIRE(about != nullptr);
    PostMessageA(about, WM_CLOSE, 0, 0);
    CHECK(PumpUntil([&] { return !session.velnor.Shows("Info Velnor"); }));
  }
  SUBCASE("the quick-select popup: a click on its second row pastes that slot") {
    REQUIRE(XMovePointer(600, 400));
    HWND popup = session.OpenQuickSelect();
    REQUIRE(popup != nullptr);
    REQUIRE(BroadcastTaskbarCreated());
    RECT r{};
    GetWindowRect(popup, &r);
    REQUIRE(XClick((r.left + r.right) / 2, r.top + kRowHeight + kRowHeight / 2));
    CHECK(session.QuickSelectGone());
    CHECK(session.PasteArrives(kSlots[1].slot.paste));
  }
  REQUIRE(XMovePointer(5, 5));
  CHECK(PumpUntil([&] { return Strip() == oneIcon; }));
  PumpFor(500);
  CHECK(Strip() == oneIcon);
  CHECK(session.velnor.VisibleWindows() == "");
}
