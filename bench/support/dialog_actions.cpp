#include "bench/support/dialog_actions.h"

#include <stdexcept>
#include <string>

#include "bench/support/dialogs.h"
#include "bench/support/hotkeys.h"
#include "bench/support/target.h"

namespace {
constexpr RECT kNothing{0, 0, 0, 0};  // no pixels to wait for: painted is no update region left

// A message box the program shows instead of closing ends the measurement, since the
// cycle would no longer leave everything unchanged.
bool Close(const RunningProgram& program, HWND dialog, POINT button) {
  if (CloseByClick(dialog, button)) return true;
  if (ShownWindowOf(program.Id(), nullptr, "#32770"))
    throw std::runtime_error("closing a dialog with its button showed a message box");
  return false;
}
}  // namespace

HWND WaitPainted(const RunningProgram& program, const char* title, const char* what) {
  HWND window = nullptr;
  if (!PumpUntil(
          [&] {
            if (!window) window = ShownWindowOf(program.Id(), title);
            return window && Painted(window, kNothing, {});
          },
          5000))
    throw std::runtime_error(std::string(what) + " did not open, or was not painted within 5 s");
  return window;
}

bool EditorCycle(const RunningProgram& program, POINT slotButton) {
  ClickAt(slotButton);
  return Close(program, WaitPainted(program, "HotKey Preferences", "the slot editor"), {276, 188});
}

bool AboutCycle(const RunningProgram& program, POINT slotButton) {
  ClickAt(slotButton, true);  // on the button panel
  if (!PumpUntil([&] { return ShownWindowOf(program.Id(), nullptr, "#32768") != nullptr; }, 3000))
    throw std::runtime_error("the button panel's menu did not open on a right click");
  PumpFor(20);
  PressKey('A');  // About(&A)
  return Close(program, WaitPainted(program, "Info Velnor", "the About box"), {196, 76});
}

void QuickSelectCycle(const RunningProgram& program) {
  PressHotkey(kQuickSelectKey);
  if (!PumpUntil([&] { return ShownWindowOf(program.Id(), "FormQuickSel") != nullptr; }, 3000))
    throw std::runtime_error("the quick-select popup did not open on Ctrl+Shift+Z");
  PumpFor(20);
  PressKey(VK_ESCAPE);
  if (!PumpUntil([&] { return ShownWindowOf(program.Id(), "FormQuickSel") == nullptr; }, 3000))
    throw std::runtime_error("the quick-select popup did not close on Esc");
}
