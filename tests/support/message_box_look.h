#pragma once
// What a shown message box of any process offers, read from the box itself as the
// system made it: the buttons it shows, by their control identifiers, which another
// process can read, and which of the system's icons it shows, told by comparing the
// icon's pixels on the screen with the system's own pictures drawn here.
#include <windows.h>

#include <string>
#include <vector>

struct MessageBoxButton {
  int id;       // IDOK, IDCANCEL, ...
  RECT screen;  // where it is drawn
};

// The box's visible buttons, left to right.
std::vector<MessageBoxButton> MessageBoxButtons(HWND box);
// The buttons and the icon in words: "OK, Cancel; no icon", "OK; error icon". An icon
// none of the system's pictures matches reads "an icon of its own".
std::string MessageBoxLook(HWND box);
// Clicks the box's button with this identifier where it is drawn; false when the box
// shows none.
bool ClickMessageBoxButton(HWND box, int id);
