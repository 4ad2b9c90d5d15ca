// The real program started where no notification area exists, as on a system whose
// taskbar has not started yet: the shell refuses the icon, and the program must run
// on without it, quietly, its keys taken, and quit cleanly. A test executable of its
// own: under Wine, a thread attached to another desktop changes the desktop that the
// process's later threads start on, which the other tests' probes would meet.
#include <doctest.h>

#include <string>
#include <vector>

#include "hotkey_probe.h"
#include "no_shell_desktop.h"
#include "tray_probe.h"
#include "velnor_session.h"
#include "wait.h"

namespace {
const std::vector<SlotAt> kSlots = {
    {0, {"Greeting", "Hello, world", 1, 1, 0, 'K'}},
    {9, {"Last", "the tenth slot", 1, 0, 1, 'J'}},
};
}  // namespace

TEST_CASE("no notification area at start: the program runs on without its icon, keys taken, nothing shown") {
  VelnorSession session(kSlots);
  NoShellDesktop desktop;
  REQUIRE(desktop.Made());
  bool iconAdded = true;
  REQUIRE(desktop.Run([&] { iconAdded = ShellAcceptsIcons(); }));
  REQUIRE_MESSAGE(!iconAdded, "the shell added an icon on the desktop that should have none");

  session.velnor.SetDesktop(desktop.Path());
  REQUIRE(session.velnor.Start());
  struct {
    bool ready = false, settled = false, runningAfterStart = false;
    std::vector<int> slotKeysFree;
    std::string shownAfterStart = "?", shownAfterBroadcast = "?";
    bool broadcast = false, settledAfterBroadcast = false;
  } seen;
  REQUIRE(desktop.Run([&] {
    // Ready as on any desktop: the main window made, Ctrl+Shift+Z taken, and the
    // window thread back in its loop, so the slots' keys are registered too.
    seen.ready = PumpUntil(
        [&] {
          return !session.velnor.Running() || (session.velnor.FindWindowOf("Velnor Preferences") &&
                                               HotkeyTakenOnThisDesktop(MOD_CONTROL | MOD_SHIFT, 'Z'));
        },
        15000);
    seen.settled = session.velnor.WaitSettled();
    for (const SlotAt& entry : kSlots)
      if (!HotkeyTakenOnThisDesktop(HotkeyModifiers(entry.slot), static_cast<UINT>(entry.slot.key)))
        seen.slotKeysFree.push_back(entry.index + 1);
    // The failed add is reported nowhere: an error box would be up by now.
    PumpFor(1000);
    seen.runningAfterStart = session.velnor.Running();
    seen.shownAfterStart = session.velnor.VisibleWindows();
    // "TaskbarCreated" where still no shell runs: the add fails again, nothing changes.
    seen.broadcast = BroadcastTaskbarCreated();
    seen.settledAfterBroadcast = session.velnor.WaitSettled();
    seen.shownAfterBroadcast = session.velnor.VisibleWindows();
  }));
  CHECK_MESSAGE(seen.ready,
                "no main window or no Ctrl+Shift+Z within 15 s; running: " << session.velnor.Running());
  CHECK(seen.settled);
  CHECK(seen.slotKeysFree == std::vector<int>{});
  CHECK(seen.runningAfterStart);
  CHECK(seen.shownAfterStart == "");
  CHECK(seen.broadcast);
  CHECK(seen.settledAfterBroadcast);
  CHECK(seen.shownAfterBroadcast == "");
  // The keys belong to the other desktop: this one's Ctrl+Shift+Z is still free.
  CHECK_FALSE(HotkeyTakenOnThisDesktop(MOD_CONTROL | MOD_SHIFT, 'Z'));

  DWORD exitCode = STILL_ACTIVE;
  REQUIRE(desktop.Run([&] {
    session.velnor.Stop();  // closes its main window, as Quit does
    exitCode = session.velnor.WaitExit(5000);
  }));
  CHECK(exitCode == 0);
}
