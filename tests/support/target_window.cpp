#include "target_window.h"

#include <stdexcept>

#include "wait.h"

namespace {
const char kClassName[] = "VelnorTestTarget";
constexpr int kEditId = 1;

void RegisterClassOnce(WNDPROC procedure) {
  static const ATOM atom = [procedure] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc);
  }();
  if (!atom) throw std::runtime_error("cannot register the target window class");
}
}  // namespace

TargetWindow::TargetWindow(const char* title) {
  RegisterClassOnce(&TargetWindow::Procedure);
  frame_ = CreateWindowExA(0, kClassName, title, WS_OVERLAPPEDWINDOW, 100, 100, 400, 200, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  if (!frame_) throw std::runtime_error("cannot create the target window");
  RECT client{};
  GetClientRect(frame_, &client);
  edit_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                          WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, 0, 0,
                          client.right, client.bottom, frame_, reinterpret_cast<HMENU>(kEditId),
                          GetModuleHandleA(nullptr), nullptr);
  if (!edit_) {
    DestroyWindow(frame_);
    throw std::runtime_error("cannot create the target edit control");
  }
}

TargetWindow::~TargetWindow() { DestroyWindow(frame_); }

LRESULT CALLBACK TargetWindow::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Activation hands the focus to the edit, whoever activates the frame.
  if (msg == WM_SETFOCUS) {
    SetFocus(GetDlgItem(window, kEditId));
    return 0;
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

bool TargetWindow::Activate() {
  ShowWindow(frame_, SW_SHOWNORMAL);
  SetForegroundWindow(frame_);
  SetFocus(edit_);
  if (!PumpUntil([this] { return GetForegroundWindow() == frame_ && GetFocus() == edit_; }, 2000))
    return false;
  // The X11 driver answers the focus change a little later by setting Ctrl, Alt and
  // Shift to the physical keyboard's state (all up); keys held before that are lost.
  PumpFor(200);
  return true;
}

std::string TargetWindow::Text() const {
  std::string text(GetWindowTextLengthA(edit_) + 1, '\0');
  text.resize(GetWindowTextA(edit_, text.data(), static_cast<int>(text.size())));
  return text;
}

void TargetWindow::SetText(const std::string& text) { SetWindowTextA(edit_, text.c_str()); }
