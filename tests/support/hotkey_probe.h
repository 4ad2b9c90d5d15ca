#pragma once
// Looks at system-wide hotkeys from outside the program's components, the way
// another program would: by trying to register the same key itself.
#include <windows.h>

// True when RegisterHotKey of the key fails with ERROR_HOTKEY_ALREADY_REGISTERED.
// The attempt runs on a thread of its own and is withdrawn at once when it succeeds;
// any other failure throws, since it would make the answer meaningless.
bool IsHotkeyTaken(UINT modifiers, UINT key);
// The same asked from the calling thread, for the desktop that thread is on (a
// thread of another desktop's: see no_shell_desktop.h); any other failure counts as
// not taken, since a throw there would end the process rather than the test.
bool HotkeyTakenOnThisDesktop(UINT modifiers, UINT key);

// Holds a key for its lifetime, as another program holding it would, on a window of
// its own that counts the presses delivered to it (the making thread must pump).
class HotkeyHolder {
 public:
  HotkeyHolder(UINT modifiers, UINT key);
  ~HotkeyHolder();
  HotkeyHolder(const HotkeyHolder&) = delete;
  HotkeyHolder& operator=(const HotkeyHolder&) = delete;

  bool Held() const { return held_; }
  int Presses() const { return presses_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  int id_;
  bool held_;
  int presses_ = 0;
};
