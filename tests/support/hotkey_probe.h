#pragma once
// Looks at system-wide hotkeys from outside the program's components, the way
// another program would: by trying to register the same key itself.
#include <windows.h>

// True when RegisterHotKey of the key fails with ERROR_HOTKEY_ALREADY_REGISTERED.
// The attempt runs on a thread of its own and is withdrawn at once when it succeeds;
// any other failure throws, since it would make the answer meaningless.
bool IsHotkeyTaken(UINT modifiers, UINT key);

// Holds a key for its lifetime, as another program holding it would.
class HotkeyHolder {
 public:
  HotkeyHolder(UINT modifiers, UINT key);
  ~HotkeyHolder();
  HotkeyHolder(const HotkeyHolder&) = delete;
  HotkeyHolder& operator=(const HotkeyHolder&) = delete;

  bool Held() const { return held_; }

 private:
  int id_;
  bool held_;
};
