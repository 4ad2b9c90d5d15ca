// The snippet core end to end: slots in the registry, the real program started,
// a slot hotkey pressed from outside, the text arriving in the focused edit control.
#include <doctest.h>

#include "key_input.h"
#include "slot_store.h"
#include "target_window.h"
#include "velnor_process.h"
#include "wait.h"

namespace {
struct RunningVelnor {
  VelnorProcess velnor;
  TargetWindow target;

  explicit RunningVelnor(void (*prepareStore)()) {
    ClearStore();
    prepareStore();
    REQUIRE(velnor.Start());
    REQUIRE(velnor.WaitReady());
    REQUIRE(target.Activate());
  }
  ~RunningVelnor() {
    velnor.Stop();
    ClearStore();
  }
  bool TextArrives(const std::string& text) {
    return PumpUntil([&] { return target.Text() == text; }, 5000);
  }
};

void TwoSlots() {
  WriteStoredSlot(1, {"Greeting", "Hello, world", 1, 1, 0, 'K'});
  WriteStoredSlot(4, {"Sign", "-- sent by slot four", 0, 1, 1, '1'});
}
}  // namespace

TEST_CASE("a slot hotkey pastes its text into the focused edit control") {
  RunningVelnor run(TwoSlots);
  PressHotkey(MOD_CONTROL | MOD_ALT, 'K');
  CHECK(run.TextArrives("Hello, world"));

  SUBCASE("a hotkey with Alt and Shift pastes too, the modifiers released first") {
    run.target.SetText("");
    PressHotkey(MOD_ALT | MOD_SHIFT, '1');
    CHECK(run.TextArrives("-- sent by slot four"));
  }
}

TEST_CASE("two presses 10 ms apart both paste") {
  RunningVelnor run(TwoSlots);
  PressHotkey(MOD_CONTROL | MOD_ALT, 'K');
  Sleep(10);
  PressHotkey(MOD_CONTROL | MOD_ALT, 'K');
  CHECK(run.TextArrives("Hello, worldHello, world"));
}

TEST_CASE("a slot without a hotkey and an unknown key paste nothing") {
  RunningVelnor run([] {
    WriteStoredSlot(2, {"No key", "never", 1, 0, 0, 0});
    WriteStoredSlot(3, {"Elsewhere", "pasted", 1, 1, 0, 'J'});
  });
  PressHotkey(MOD_CONTROL, 'Q');
  PressHotkey(MOD_CONTROL | MOD_ALT, 'J');
  CHECK(run.TextArrives("pasted"));
  PumpFor(300);
  CHECK(run.target.Text() == "pasted");
}
