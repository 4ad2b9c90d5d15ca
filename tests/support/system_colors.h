#pragma once
// A system colour set to another value system-wide, as a user's change of scheme does
// (every top-level window is told and repainted), and put back at the end.
#include <windows.h>

class SystemColorChanged {
 public:
  SystemColorChanged(int element, COLORREF color) : element_(element), old_(GetSysColor(element)) {
    Set(color);
  }
  ~SystemColorChanged() { Set(old_); }
  SystemColorChanged(const SystemColorChanged&) = delete;
  SystemColorChanged& operator=(const SystemColorChanged&) = delete;

 private:
  void Set(COLORREF color) const { SetSysColors(1, &element_, &color); }
  INT element_;
  COLORREF old_;
};
