#pragma once
// Whether the shell of the virtual desktop holds an icon, seen from outside the
// component: the shell refuses to add an icon under a window and id it already has.
#include <windows.h>

// Tries to add an icon under window and id 0, and takes it out again when that worked.
bool ShellHasIcon(HWND window);
