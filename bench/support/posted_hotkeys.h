#pragma once
// Presses delivered as the system delivers them: the WM_HOTKEY message it posts to
// the window that registered the key, carrying the key's identifier.
//
// Why not real keys at 10 ms: Wine injects the events of one SendInput one at a time,
// so a press from this process and Velnor's Ctrl+V that overlap interleave (a press
// then meets Velnor's Ctrl instead of its own, or the Ctrl+V meets the press's Alt).
// Windows injects a SendInput whole, and the program's pastes rely on that; here the
// system's part of a press, finding the hotkey, is done by posting its report.
#include <windows.h>

#include <functional>

#include "bench/support/program.h"

class PostedHotkeys {
 public:
  // Finds the program's hotkey windows and the identifier of each slot key: every
  // candidate is posted once and recognised by what it does. pasted(ms) returns the
  // slot index (0..9) whose text arrived within ms, -1 for none; a candidate that
  // opens the quick-select popup is closed again. Throws std::runtime_error when a
  // wanted slot's identifier is not found.
  PostedHotkeys(const RunningProgram& program, const std::function<int(double)>& pasted, int slotsWanted);

  // Posts the press of slot index (0..slotsWanted-1).
  void Press(int index) const;

 private:
  std::vector<HWND> windows_;
  std::vector<ATOM> identifiers_;  // by slot index
};
