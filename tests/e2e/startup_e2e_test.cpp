// Starting the real program: what shows after start, the single-instance guard, and
// a start that a broken store ends with the standard error box.
#include <doctest.h>

#include "hotkey_probe.h"
#include "key_input.h"
#include "message_box_watcher.h"
#include "screenshot.h"
#include "text.h"
#include "velnor_session.h"
#include "wait.h"

namespace {
const StoredSlot kGreeting{"Greeting", "Hello, world", 1, 1, 0, 'K'};
}  // namespace

TEST_CASE("after start only the notification-area icon shows") {
  VelnorSession session({{0, kGreeting}});
  REQUIRE(session.Start());
  CHECK(SaveScreenshot("e2e-tray"));

  HWND application = session.velnor.FindWindowOf("Velnor", "VelnorApplication");
  REQUIRE(application != nullptr);
  CHECK_FALSE(IsWindowVisible(application));  // hence no taskbar button
  CHECK_FALSE(session.velnor.Shows("Velnor Preferences"));
  CHECK(session.velnor.VisibleWindows() == "");
  CHECK(session.tray.IconShown());
}

TEST_CASE("a second copy is refused with a message and exit code 1; the first goes on") {
  VelnorSession session({{0, kGreeting}});
  REQUIRE(session.Start());

  MessageBoxWatcher boxes("Velnor");
  VelnorProcess second;
  REQUIRE(second.Start());
  CHECK(second.WaitExit() == 1);
  CHECK(boxes.Texts() == std::vector<std::string>{Cp932FromUtf8("Velnorは多重起動できません")});

  CHECK(session.velnor.Running());
  CHECK(session.tray.IconShown());
  REQUIRE(session.target.Activate());
  PressHotkey(MOD_CONTROL | MOD_ALT, 'K');
  CHECK(session.TextArrives("Hello, world"));
}

TEST_CASE("once the first copy has ended, the next one starts normally") {
  VelnorSession session({{0, kGreeting}});
  REQUIRE(session.Start());
  session.velnor.Stop();
  CHECK(session.velnor.WaitExit() == 0);

  CHECK(session.Start());
}

TEST_CASE("a slot value of the wrong type ends the start with the standard error box") {
  VelnorSession session({{0, kGreeting}});
  WriteStoreValue("IsCTRL01", REG_SZ, std::string("1\0", 2));
  REQUIRE(session.velnor.Start());

  HWND box = nullptr;
  REQUIRE(PumpUntil([&] { return (box = FindMessageBox("Velnor")) != nullptr; }, 15000));
  CHECK(Utf8FromCp932(MessageBoxText(box)) == "'IsCTRL01' のデータ型が不正です.");
  CHECK(SaveScreenshot("e2e-error-box"));
  CHECK_FALSE(session.velnor.Shows("Velnor Preferences"));
  // The data module is made before the main window: its key is already taken.
  CHECK(IsHotkeyTaken(MOD_CONTROL | MOD_SHIFT, 'Z'));

  // Ctrl+Shift+Z while the box is up opens nothing. Nothing marks the moment nothing
  // happened, so a popup or a crash is given ample time to show.
  PressHotkey(MOD_CONTROL | MOD_SHIFT, 'Z');
  CHECK_FALSE(PumpUntil(
      [&] { return session.velnor.FindWindowOf("FormQuickSel") != nullptr || !session.velnor.Running(); },
      1500));
  CHECK(IsWindowVisible(box));

  AnswerMessageBox(box);
  CHECK(session.velnor.WaitExit() == 0);
  CHECK(session.tray.WaitIconShown(false));
}
