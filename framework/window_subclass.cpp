#include "framework/window_subclass.h"

#include <commctrl.h>

namespace {
WNDPROC ProcedureOf(HWND window) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
}

// GetWindowSubclass, which the import libraries leave out: comctl32 exports it by
// ordinal only.
using GetWindowSubclassProc = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);
GetWindowSubclassProc FindGetWindowSubclass() {
  HMODULE comctl32 = GetModuleHandleA("comctl32.dll");
  return comctl32 ? reinterpret_cast<GetWindowSubclassProc>(
                        reinterpret_cast<void*>(GetProcAddress(comctl32, MAKEINTRESOURCEA(411))))
                  : nullptr;
}

// Whether the subclass (procedure, id) is on the window with this reference data.
bool BoundTo(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR self) {
  static const GetWindowSubclassProc getWindowSubclass = FindGetWindowSubclass();
  DWORD_PTR bound = 0;
  return getWindowSubclass && getWindowSubclass(window, procedure, id, &bound) && bound == self;
}
}  // namespace

WindowSubclass::WindowSubclass(Handler handler) : handler_(std::move(handler)) {}

WindowSubclass::~WindowSubclass() { Remove(); }

bool WindowSubclass::Install(HWND window) {
  if (window == window_) return true;
  Remove();
  if (!window ||
      !SetWindowSubclass(window, &WindowSubclass::Procedure, Id(), reinterpret_cast<DWORD_PTR>(this)))
    return false;
  window_ = window;
  chainProcedure_ = ProcedureOf(window);
  return true;
}

void WindowSubclass::Remove() {
  if (!window_) return;
  HWND window = window_;
  window_ = nullptr;
  if (!IsWindow(window)) return;
  if (ProcedureOf(window) == chainProcedure_) {
    RemoveWindowSubclass(window, &WindowSubclass::Procedure, Id());
    return;
  }
  // Someone else's procedure sits on top and calls the chain: this entry stays in it,
  // bound to nothing, so the chain stays whole for that caller.
  SetWindowSubclass(window, &WindowSubclass::Procedure, Id(), 0);
}

void WindowSubclass::PassOn(Message& message) const {
  if (window_) message.Result = DefSubclassProc(window_, message.Msg, message.WParam, message.LParam);
}

LRESULT CALLBACK WindowSubclass::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR self) {
  auto* subclass = reinterpret_cast<WindowSubclass*>(self);
  if (!subclass || subclass->window_ != window) {
    // An entry left behind for someone else's procedure: it goes with the window.
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(window, &WindowSubclass::Procedure, id);
    return DefSubclassProc(window, msg, wParam, lParam);
  }
  Message message{msg, wParam, lParam, 0};
  subclass->handler_(message);
  // The window's last message: the chain goes with it. The handler may have taken the
  // subclass out, or ended its owner: only a subclass still bound here is touched.
  if (msg == WM_NCDESTROY && BoundTo(window, &WindowSubclass::Procedure, id, self)) {
    RemoveWindowSubclass(window, &WindowSubclass::Procedure, id);
    subclass->window_ = nullptr;
  }
  return message.Result;
}
