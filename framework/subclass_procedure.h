#pragma once
// The window procedure of one subclass of a window: a procedure address of its own
// that hands the window's messages to the object that put the subclass in.
//
// It may be released only when nothing can call it any more. Three kinds of caller
// know it: the window, while it is the window's current procedure; a subclass of
// ours that sits on top and passes messages on to it (its owner relinks or removes
// that one itself); and a subclass that other code put on top, which kept the
// address to pass messages on to. Taking a subclass out takes the procedure away
// from the first two, never from the third: that one may go on calling it as long
// as the window lives. So a subclass coming off with such a caller left retires its
// procedure instead of releasing it: from then on the procedure passes messages on
// to where the subclass passed them, and releases itself after the window's last
// message, WM_NCDESTROY. (Should that caller swallow WM_NCDESTROY, a few bytes stay
// allocated: a leak rather than a call into released code.)
#include <windows.h>

#include <memory>

#include "framework/window_thunk.h"

class SubclassReceiver {
 public:
  // Every message of the subclassed window while the subclass is in. It may retire
  // the procedure that called it: nothing of the procedure is touched afterwards.
  virtual LRESULT SubclassMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;

 protected:
  ~SubclassReceiver() = default;
};

class SubclassProcedure {
 public:
  explicit SubclassProcedure(SubclassReceiver* receiver);  // throws Error when no code memory is to be had
  SubclassProcedure(const SubclassProcedure&) = delete;
  SubclassProcedure& operator=(const SubclassProcedure&) = delete;

  WNDPROC Procedure() const { return thunk_.Procedure(); }

  // Ends the subclass that used this procedure on window, which passed messages on
  // to next. With stillCalled (someone else's subclass keeps calling it) the
  // procedure lives on as described above; otherwise it is released now.
  static void Retire(std::unique_ptr<SubclassProcedure> procedure, HWND window, WNDPROC next, bool stillCalled);

  // Whether the procedure, just taken out of window, still has a caller of the
  // third kind: the window lives and runs another procedure than this one.
  static bool OthersMayCall(HWND window, WNDPROC procedure);

 private:
  static LRESULT CALLBACK Dispatch(void* context, UINT msg, WPARAM wParam, LPARAM lParam);

  SubclassReceiver* receiver_;
  HWND window_ = nullptr;
  WNDPROC next_ = nullptr;
  WindowThunk thunk_;
};

// The procedure a window runs right now.
inline WNDPROC CurrentWindowProcedure(HWND window) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
}
// Makes procedure the window's; returns the one it ran before.
inline WNDPROC ReplaceWindowProcedure(HWND window, WNDPROC procedure) {
  return reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}
