#pragma once
// A subclass of one window through the system's own subclass chain (comctl32's
// SetWindowSubclass): every subclass has the one shared procedure and the object's
// address as its identifier, so subclasses of any owner come off in any order
// without breaking each other, and no procedure code is made per object.
//
// While installed, every message of the window goes to the handler, which passes it
// on to the rest of the chain with PassOn. A subclass that comes off while someone
// else's procedure (one set with SetWindowLongPtr) sits above the chain stays in the
// chain, with nothing behind it, only passing messages on, until the window goes:
// that procedure keeps calling the chain, and must find it whole.
#include <windows.h>

#include <functional>

#include "framework/message_window.h"

class WindowSubclass {
 public:
  using Handler = std::function<void(Message&)>;

  explicit WindowSubclass(Handler handler);
  ~WindowSubclass();  // Remove
  WindowSubclass(const WindowSubclass&) = delete;
  WindowSubclass& operator=(const WindowSubclass&) = delete;

  // Puts the subclass on top of window's chain; false when the system refused (no
  // window, a window of another thread). Installed on another window, it moves.
  bool Install(HWND window);
  // Takes it out; safe at any time, also from inside the handler and after the window went.
  void Remove();
  bool Installed() const { return window_ != nullptr; }
  HWND Window() const { return window_; }

  // Passes the message the handler is given on to the rest of the chain; only from
  // inside the handler, on the window's thread.
  void PassOn(Message& message) const;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self);
  UINT_PTR Id() const { return reinterpret_cast<UINT_PTR>(this); }

  Handler handler_;
  HWND window_ = nullptr;
  // The window's procedure right after this subclass went in: the chain's own. Another
  // procedure there at removal is someone else's, set on top of the chain since.
  WNDPROC chainProcedure_ = nullptr;
};
