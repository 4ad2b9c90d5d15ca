#include "framework/message_window.h"

#include "framework/error.h"
#include "framework/window_class_name.h"

namespace {
const std::string& ClassName() {
  static const std::string name = WindowClassName("MessageWindow");
  return name;
}
}  // namespace

MessageWindow::MessageWindow(Handler handler) : handler_(std::move(handler)) {
  // A local static is made once, however many threads get here first.
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &MessageWindow::Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = ClassName().c_str();
    RegisterClassA(&wc);
    return true;
  }();
  (void)registered;
  // Message-only: it needs no place among the top-level windows, and is made several
  // times faster than a hidden popup, which start-up pays for once per hotkey.
  handle_ = CreateWindowExA(0, ClassName().c_str(), "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), this);
  if (!handle_) throw Error("cannot create a message window");
}

MessageWindow::~MessageWindow() {
  if (!handle_) return;
  // Unbound first: DestroyWindow sends messages that must not reach a half-destroyed owner.
  SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
  // Only the thread that made it may destroy it; from any other (the last user of the
  // object may be a worker), it is asked to close, which the default answer does.
  if (GetWindowThreadProcessId(handle_, nullptr) == GetCurrentThreadId())
    DestroyWindow(handle_);
  else
    PostMessageA(handle_, WM_CLOSE, 0, 0);
}

LRESULT MessageWindow::Default(const Message& message) const {
  return DefWindowProcA(handle_, message.Msg, message.WParam, message.LParam);
}

LRESULT CALLBACK MessageWindow::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Bound at WM_NCCREATE to the object given to CreateWindowEx; anything earlier
  // (a top-level window's WM_GETMINMAXINFO) finds none and is answered by default.
  if (msg == WM_NCCREATE)
    SetWindowLongPtrA(
        window, GWLP_USERDATA,
        reinterpret_cast<LONG_PTR>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  // The creation messages are answered by default: the handler hears from a window
  // that exists.
  if (!self || !self->handle_ || !self->handler_) return DefWindowProcA(window, msg, wParam, lParam);
  Message message{msg, wParam, lParam, 0};
  self->handler_(message);
  return message.Result;
}
