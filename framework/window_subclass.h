#pragma once
// A subclass of one window through a chain of the framework's own: one shared
// procedure sits in the window and calls the subclasses from the top down, so
// subclasses of any owner come off in any order without breaking each other, and no
// procedure code is made per object. (The system's chain, SetWindowSubclass, lives
// in the common controls library, which costs a tray program megabytes to load at
// start-up under Wine for nothing else it needs there.)
//
// While installed, every message of the window goes to the handler, which passes it
// on to the rest of the chain with PassOn. When the last subclass comes off while
// someone else's procedure (one set with SetWindowLongPtr) sits above the chain, the
// chain's procedure stays, only passing messages on, until the window goes: that
// procedure keeps calling it, and must find it whole.
#include <windows.h>

#include <cstddef>
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
  struct Chain;
  static LRESULT CALLBACK ChainProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  // Calls the highest subclass below position, or the window's own procedure.
  static LRESULT CallBelow(HWND window, Chain& chain, std::size_t position, UINT msg, WPARAM wParam,
                           LPARAM lParam);
  static void Tidy(HWND window, Chain* chain, bool windowGoes);

  Handler handler_;
  HWND window_ = nullptr;
};
