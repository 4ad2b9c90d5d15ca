#pragma once
// The keyboard state shared by every window of the desktop: keys a test holds down
// the way a user still holding a hotkey would, and the clean-up that lets no key
// stay down into the next test.
#include <windows.h>

#include <vector>

// Presses the keys in order and releases, in reverse order, those still down at the end.
class KeysHeld {
 public:
  explicit KeysHeld(std::vector<BYTE> keys);
  ~KeysHeld();
  KeysHeld(const KeysHeld&) = delete;
  KeysHeld& operator=(const KeysHeld&) = delete;

  // Whether the system has every one of them down.
  bool AllDown() const;

 private:
  std::vector<BYTE> keys_;
};

bool IsKeyDown(BYTE key);
// Sends a key-up for Ctrl, Alt, Shift and V where the system still has them down.
void ReleaseHeldKeys();
