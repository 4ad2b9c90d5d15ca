#pragma once
// Tells from outside whether a subclass's window procedure still exists: its code
// lives in pages of its own, decommitted when the procedure is released.
#include <windows.h>

bool ProcedureReleased(WNDPROC procedure);
