#include "bench/support/target.h"

#include <stdexcept>

#include "bench/support/clock.h"

namespace {

constexpr char kClassName[] = "VelnorBenchTarget";

bool PumpOnce() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if ((msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSKEYUP) && msg.wParam == VK_MENU) return true;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

void WaitForMessages(double ms) {
  if (ms <= 0) return;
  MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(ms) + 1, QS_ALLINPUT);
}

}  // namespace

void PumpFor(double ms) {
  const double end = NowMs() + ms;
  for (double now = NowMs(); now < end; now = NowMs()) {
    while (PumpOnce()) {
    }
    WaitForMessages(end - NowMs());
  }
}

void PumpUntilCtrlUp(double timeoutMs) {
  const double end = NowMs() + timeoutMs;
  while (NowMs() < end && (GetAsyncKeyState(VK_CONTROL) & 0x8000)) PumpFor(1);
}

TargetWindow::TargetWindow() {
  WNDCLASSA cls{};
  cls.lpfnWndProc = Procedure;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.lpszClassName = kClassName;
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&cls);
  frame_ = CreateWindowExA(0, kClassName, "Velnor bench target", WS_POPUP | WS_BORDER | WS_VISIBLE, 100, 100,
                           420, 60, nullptr, nullptr, cls.hInstance, this);
  if (!frame_) throw std::runtime_error("cannot create the target window");
  edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 4, 4, 400, 24, frame_,
                          nullptr, cls.hInstance, nullptr);
  if (!edit_) throw std::runtime_error("cannot create the target edit control");
  SendMessageA(edit_, EM_SETLIMITTEXT, 0, 0);  // the soak's bursts paste tens of KB
  Focus();
}

TargetWindow::~TargetWindow() {
  if (frame_) DestroyWindow(frame_);
}

void TargetWindow::Focus() {
  SetForegroundWindow(frame_);
  SetFocus(edit_);
  PumpFor(20);
}

void TargetWindow::Clear() {
  SetWindowTextA(edit_, "");
  changedAt_ = -1;
}

std::string TargetWindow::Text() const {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(edit_)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(edit_, text.data(), static_cast<int>(text.size()))));
  return text;
}

double TargetWindow::WaitForText(const std::string& text, double timeoutMs) {
  const double end = NowMs() + timeoutMs;
  for (;;) {
    if (changedAt_ >= 0 && Text() == text) return changedAt_;
    if (NowMs() > end) return -1;
    PumpFor(1);
  }
}

LRESULT CALLBACK TargetWindow::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<TargetWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  // The counter is read the moment the edit reports new contents; the text is
  // compared afterwards, outside the timed path.
  if (self && msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) self->changedAt_ = NowMs();
  return DefWindowProcA(window, msg, wParam, lParam);
}
