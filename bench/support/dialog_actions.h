#pragma once
// One opening and closing of each of Velnor's dialogs from outside, as a user does it:
// real clicks and keys, each opening waited for until the window is painted.
#include <windows.h>

#include "bench/support/program.h"

// Waits until the program shows a window of this title with nothing left to paint;
// throws std::runtime_error naming what did not open within 5 s.
HWND WaitPainted(const RunningProgram& program, const char* title, const char* what);

// The slot editor opened from the slot button at slotButton (screen) of the shown main
// window and closed with OK on the slot's unchanged data. The About box opened from
// the button panel's right-click menu at the same point and closed with its OK
// button. Each returns false when its button did not close the window and WM_CLOSE
// had to; each throws when a message box shows instead.
bool EditorCycle(const RunningProgram& program, POINT slotButton);
bool AboutCycle(const RunningProgram& program, POINT slotButton);
// The quick-select popup opened with Ctrl+Shift+Z and closed with Esc; throws when it
// does not open or close within 3 s.
void QuickSelectCycle(const RunningProgram& program);
