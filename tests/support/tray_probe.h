#pragma once
// Whether the shell of the virtual desktop holds an icon, seen from outside the
// component: the shell refuses to add an icon under a window and id it already has.
// And what the shell is told when it starts anew.
#include <windows.h>

// Tries to add an icon under window and id 0, and takes it out again when that worked.
bool ShellHasIcon(HWND window);
// The same asked without changing anything: a modification that changes nothing
// succeeds only for an icon the shell has.
bool ShellKnowsIcon(HWND window);
// Takes the icon under window and id 0 out of the shell, behind its owner's back, as
// a shell that starts anew knows no icons; true when there was one.
bool ShellDropIcon(HWND window);
// Whether the shell of the calling thread's desktop takes a new icon at all (under a
// window of its own, taken out again at once).
bool ShellAcceptsIcons();
// What a shell that starts anew does: the registered "TaskbarCreated" message to
// every top-level window. Sent rather than posted, so every window has handled it
// on return; false when that failed.
bool BroadcastTaskbarCreated();
