#include "clipboard_listener.h"

namespace {
const char kListenerClass[] = "VelnorTestClipboardListener";
}  // namespace

ClipboardListener::ClipboardListener(std::function<void()> changed) : changed_(std::move(changed)) {
  static const ATOM registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &ClipboardListener::Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kListenerClass;
    return RegisterClassA(&wc);
  }();
  if (!registered) return;
  window_ = CreateWindowExA(0, kListenerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), this);
  listening_ = window_ && AddClipboardFormatListener(window_);
}

ClipboardListener::~ClipboardListener() {
  if (listening_) RemoveClipboardFormatListener(window_);
  if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK ClipboardListener::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  } else if (msg == WM_CLIPBOARDUPDATE) {
    if (auto* self = reinterpret_cast<ClipboardListener*>(GetWindowLongPtrA(window, GWLP_USERDATA)))
      self->changed_();
    return 0;
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}
