// Starting the real program: what shows after start, the single-instance guard, and
// a start that a broken store ends with the standard error box.
#include <doctest.h>

#include <optional>

#include "hotkey_probe.h"
#include "key_input.h"
#include "message_box_watcher.h"
#include "screenshot.h"
#include "text.h"
#include "velnor_session.h"
#include "version_resource.h"
#include "wait.h"

namespace {
const StoredSlot kGreeting{"Greeting", "Hello, world", 1, 1, 0, 'K'};

// Whether a mutex of that name exists now; when it does, also whether another
// process can take it at once, as it can one that nobody owns.
struct MutexSeen {
  bool exists = false;
  bool free = false;
};
MutexSeen LookForMutex(const char* name) {
  HANDLE mutex = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name);
  if (!mutex) return {};
  const bool free = WaitForSingleObject(mutex, 0) == WAIT_OBJECT_0;
  if (free) ReleaseMutex(mutex);
  CloseHandle(mutex);
  return {true, free};
}
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

TEST_CASE("while the program runs, an unowned mutex named after its file in capitals exists") {
  struct Case {
    const char* what;
    const char* file;  // null: the built velnor.exe
    const char* name;
    const char* otherName;
  };
  const Case cases[] = {
      {"velnor.exe", nullptr, "VELNOR.EXE", "VELNOR-COPY.EXE"},
      {"a renamed copy", "velnor-copy.exe", "VELNOR-COPY.EXE", "VELNOR.EXE"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    REQUIRE_FALSE(LookForMutex(c.name).exists);
    std::optional<ProgramCopy> copy;
    VelnorSession session({{0, kGreeting}});
    if (c.file) {
      copy.emplace(c.file);
      REQUIRE(copy->Made());
      session.velnor.SetProgram(copy->Path());
    }
    REQUIRE(session.Start());
    const MutexSeen seen = LookForMutex(c.name);
    CHECK(seen.exists);
    CHECK(seen.free);
    CHECK_FALSE(LookForMutex(c.otherName).exists);

    session.velnor.Stop();
    REQUIRE(session.velnor.WaitExit() == 0);
    CHECK_FALSE(LookForMutex(c.name).exists);
  }
}
