#pragma once
// The mouse and the keyboard from outside Wine, delivered by the X server as a real
// user's would be (xdotool): Wine takes them for the hardware's, not a program's.
// The X display is exactly Wine's 1024 x 768 desktop, so X coordinates are desktop
// coordinates.
#include <string>

// Runs xdotool with the arguments; true when it succeeded.
bool XdoTool(const std::string& arguments);
// Moves the pointer to (x, y) and waits until the system reports it there; false when
// it did not get there. (SetCursorPos may lose to the X server's own, older report of
// the pointer after earlier X input.)
bool XMovePointer(int x, int y);
// Moves the pointer to (x, y) and clicks the button (1 left, 3 right) count times;
// a click waits until no earlier click at its spot can pair with it.
bool XClick(int x, int y, int button = 1, int count = 1);
// Presses keys as xdotool names them, "ctrl+k": the modifiers go down in order, the
// last key goes down and up, and the modifiers come up; true when xdotool succeeded.
bool XPressKeys(const std::string& keys);
