#include "framework/message_window.h"

#include "framework/error.h"

namespace {
const char kClassName[] = "VelnorMessageWindow";

void RegisterClassOnce() {
  // A local static is made once, however many threads get here first.
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;  // replaced per window at WM_NCCREATE by the binding below
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    return true;
  }();
  (void)registered;
}
}  // namespace

MessageWindow::MessageWindow(Handler handler) : handler_(std::move(handler)) {
  RegisterClassOnce();
  // Message-only: it needs no place among the top-level windows, and is made several
  // times faster than a hidden popup, which start-up pays for once per hotkey.
  handle_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                            nullptr);
  if (!handle_) throw Error("cannot create a message window");
  // Bound after creation: the creation messages are the default procedure's business.
  SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageWindow::Procedure));
}

MessageWindow::~MessageWindow() {
  if (!handle_) return;
  // Unbind first: DestroyWindow sends messages that must not reach a half-destroyed owner.
  SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
  SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
  DestroyWindow(handle_);
}

LRESULT MessageWindow::Default(const Message& message) const {
  return DefWindowProcA(handle_, message.Msg, message.WParam, message.LParam);
}

LRESULT CALLBACK MessageWindow::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self || !self->handler_) return DefWindowProcA(window, msg, wParam, lParam);
  Message message{msg, wParam, lParam, 0};
  self->handler_(message);
  return message.Result;
}
