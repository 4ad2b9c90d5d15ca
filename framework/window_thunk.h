#pragma once
// A window procedure of its own for one object. Subclassing a window needs a
// distinct procedure address per object, yet the system hands a window procedure
// nothing but the window's four arguments; this is a few bytes of executable code
// that put the object's address in front of them and jump to one shared procedure.
// 32-bit x86 only (stdcall window procedures).
#include <windows.h>

class WindowThunk {
 public:
  // The shared procedure: the object, then the window procedure's own arguments.
  using Target = LRESULT(CALLBACK*)(void* context, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

  WindowThunk(Target target, void* context);  // throws Error when no executable memory is to be had
  ~WindowThunk();                             // the code is released: nothing may call Procedure() after
  WindowThunk(const WindowThunk&) = delete;
  WindowThunk& operator=(const WindowThunk&) = delete;

  WNDPROC Procedure() const { return reinterpret_cast<WNDPROC>(code_); }

 private:
  void* code_ = nullptr;
};
