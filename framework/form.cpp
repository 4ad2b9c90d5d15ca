#include "framework/form.h"

#include "framework/application.h"
#include "framework/tab_order.h"

TForm::TForm(Component* owner) : TWinControl(owner) {
  visible_ = false;
  Application::Instance().FormCreated(this);
}

TForm::~TForm() {
  Destroying();
  Application::Instance().FormDestroyed(this);
  DestroyHandle();
}

void TForm::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  if (HandleAllocated()) SetWindowTextA(Handle(), caption_.c_str());
}

void TForm::SetBorderIcons(bool systemMenu, bool minimize, bool maximize) {
  systemMenu_ = systemMenu;
  minimizeBox_ = minimize;
  maximizeBox_ = maximize;
}

void TForm::WindowStyles(DWORD& style, DWORD& exStyle) const {
  exStyle = 0;
  switch (borderStyle_) {
    case TFormBorderStyle::bsNone:
      style = WS_POPUP;
      break;
    case TFormBorderStyle::bsSingle:
      style = WS_CAPTION | WS_BORDER;
      break;
    case TFormBorderStyle::bsSizeable:
      style = WS_CAPTION | WS_THICKFRAME;
      break;
  }
  style |= WS_CLIPCHILDREN;
  if (borderStyle_ != TFormBorderStyle::bsNone && systemMenu_) {
    style |= WS_SYSMENU;
    if (minimizeBox_) style |= WS_MINIMIZEBOX;
    if (maximizeBox_) style |= WS_MAXIMIZEBOX;
  }
}

// The window rectangle around a client area of the given size, at the origin.
RECT TForm::FrameFor(int clientWidth, int clientHeight) const {
  DWORD style, exStyle;
  WindowStyles(style, exStyle);
  RECT rect{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  return rect;
}

void TForm::SetClientSize(int width, int height) {
  const RECT frame = FrameFor(width, height);
  SetBounds(Left(), Top(), frame.right - frame.left, frame.bottom - frame.top);
}

void TForm::SetBounds(int left, int top, int width, int height) {
  if (HandleAllocated()) {
    TWinControl::SetBounds(left, top, width, height);
    return;
  }
  const RECT frame = FrameFor(0, 0);
  bounds_ = {left, top, left + width, top + height};
  clientWidth_ = width - (frame.right - frame.left);
  clientHeight_ = height - (frame.bottom - frame.top);
}

void TForm::CreateParams(TCreateParams& params) {
  params.Caption = caption_;
  WindowStyles(params.Style, params.ExStyle);
  params.Width = Width();
  params.Height = Height();
  params.X = Left();
  params.Y = Top();
  if (position_ == TPosition::poScreenCenter) {
    params.X = (GetSystemMetrics(SM_CXSCREEN) - params.Width) / 2;
    params.Y = (GetSystemMetrics(SM_CYSCREEN) - params.Height) / 2;
  }
  if (auto* owner = dynamic_cast<TForm*>(Owner()); position_ == TPosition::poOwnerFormCenter && owner) {
    RECT around{};
    GetWindowRect(owner->Handle(), &around);
    params.X = (around.left + around.right - params.Width) / 2;
    params.Y = (around.top + around.bottom - params.Height) / 2;
  }
  // Owned by the application window: no taskbar button of its own.
  params.WndParent = Application::Instance().Handle();
}

void TForm::Resize() {
  if (!HandleAllocated()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  clientWidth_ = client.right;
  clientHeight_ = client.bottom;
}

void TForm::Show() {
  HWND window = Handle();
  if (!visible_ && OnShow) OnShow(this);
  visible_ = true;
  ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOWNORMAL);
  SetForegroundWindow(window);
}

void TForm::Hide() {
  visible_ = false;
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

void TForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  const bool isMain = Application::Instance().MainForm() == this;
  TCloseAction action = isMain ? TCloseAction::caFree : TCloseAction::caHide;
  if (OnClose) OnClose(this, action);
  switch (action) {
    case TCloseAction::caNone:
      return;
    case TCloseAction::caMinimize:
      ShowWindow(Handle(), SW_MINIMIZE);
      return;
    case TCloseAction::caHide:
      Hide();
      return;
    case TCloseAction::caFree:
      if (isMain)
        Application::Instance().Terminate();
      else
        Hide();
      return;
  }
}

int TForm::ShowModal() {
  HWND window = Handle();
  modalResult_ = mrNone;
  modal_ = true;
  int result = mrCancel;
  {
    TaskWindowsDisabled others(window);
    Show();
    while (true) {
      if (modalResult_ != mrNone) {
        TCloseAction action = TCloseAction::caHide;
        if (OnClose) OnClose(this, action);
        if (action != TCloseAction::caNone) break;
        modalResult_ = mrNone;
      }
      MSG msg{};
      const BOOL got = NextMessage(msg);
      if (got == 0) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // the program's own loop must end too
        modalResult_ = mrCancel;
        break;
      }
      if (got == -1) {
        // Nothing was retrieved, so there is no quit to pass on: the dialog ends
        // cancelled and the program's own loop meets the failure itself.
        modalResult_ = mrCancel;
        break;
      }
      if (DialogKey(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    result = modalResult_;
    // The owner is enabled and reactivated (by leaving this scope) before this window goes away.
  }
  modal_ = false;
  Hide();
  return result;
}

void TForm::WndProc(Message& message) {
  if (message.Msg == WM_CLOSE) {
    Close();
    return;
  }
  if (message.Msg == WM_ACTIVATE && LOWORD(message.WParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
  } else if (message.Msg == WM_ACTIVATE) {
    // Back from a message box, the control the user was in has the keyboard again;
    // otherwise the first one in the tab order takes it, as in a dialog.
    if (lastFocus_ && IsChild(Handle(), lastFocus_) && IsWindowVisible(lastFocus_) &&
        IsWindowEnabled(lastFocus_)) {
      ::SetFocus(lastFocus_);
      return;
    }
    if (TWinControl* first = FindNextTabStop(*this, nullptr, true)) {
      first->SetFocus();
      return;
    }
  }
  TWinControl::WndProc(message);
}

bool TForm::DialogKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
  if (!HandleAllocated() || (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd))) return false;
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  const TWinControl* current = nullptr;
  for (TWinControl* control : TabOrderList(*this))
    if (control->HandleAllocated() && control->Handle() == GetFocus()) current = control;
  TWinControl* next = FindNextTabStop(*this, current, GetKeyState(VK_SHIFT) >= 0);
  if (!next) return false;
  next->SetFocus();
  return true;
}
