#pragma once
// A window procedure of its own for one object. Subclassing a window needs a
// distinct procedure address per object, yet the system hands a window procedure
// nothing but the window's four arguments; this is a few bytes of executable code
// that put the object's address in place of the window handle and jump to one
// shared procedure. The object remembers its window itself. Both architectures:
// on 32-bit x86 the handle is the first stack argument (stdcall), on x86-64 it is
// the first register argument (rcx); neither form touches anything else.
#include <windows.h>

class WindowThunk {
 public:
  // The shared procedure: the object in place of the window, then the other arguments.
  using Target = LRESULT(CALLBACK*)(void* context, UINT msg, WPARAM wParam, LPARAM lParam);

  WindowThunk(Target target, void* context);  // throws Error when no executable memory is to be had
  ~WindowThunk();                             // the code is released: nothing may call Procedure() after
  WindowThunk(const WindowThunk&) = delete;
  WindowThunk& operator=(const WindowThunk&) = delete;

  WNDPROC Procedure() const { return reinterpret_cast<WNDPROC>(code_); }

 private:
  void* code_ = nullptr;
};
