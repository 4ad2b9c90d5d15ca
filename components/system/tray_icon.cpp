#include "components/system/tray_icon.h"

#include <cstddef>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/menu.h"

namespace {
// Registered once when the program starts; explorer broadcasts it when the taskbar
// is made anew, and every icon has to be added again then.
const UINT kTaskbarCreated = RegisterWindowMessageA("TaskbarCreated");
constexpr std::size_t kTipBytes = 63;
// The first-version record ends with a 64-byte tip on either architecture (88 bytes
// on 32-bit, 152 on 64-bit): the cut above always leaves room for the tip's NUL.
static_assert(NOTIFYICONDATAA_V1_SIZE == offsetof(NOTIFYICONDATAA, szTip) + kTipBytes + 1,
              "the shell's first-version record");
}  // namespace

NOTIFYICONDATAA TrayIconRecord(HWND window, HICON icon, const std::string& hint) {
  NOTIFYICONDATAA record{};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = window;
  record.uID = 0;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = kTrayIconCallbackMessage;
  record.hIcon = icon;
  // Byte-wise, so the tip field always keeps its NUL, even when the cut splits a
  // double-byte character.
  hint.copy(record.szTip, kTipBytes);
  return record;
}

TTrayIcon::TTrayIcon(Component* owner) : TWndProcComponent(owner) {
  icon_.OnChange = [this] { IconChanged(); };
  window_ = std::make_unique<MessageWindow>([this](Message& message) { NewWndProc(message); });
}

TTrayIcon::~TTrayIcon() {
  SetEnabled(false);
  hint_.clear();
  NotifyIcon(NIM_DELETE);
  window_.reset();
}

void TTrayIcon::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (IsDesigning()) return;
  if (value)
    Activate();
  else
    Deactivate();
}

void TTrayIcon::Activate() {
  SetEnabled(true);
  Application& app = Application::Instance();
  app.ShowMainForm = false;
  if (app.Handle()) ShowWindow(app.Handle(), SW_HIDE);
  app.ProcessMessages();
  NotifyIcon(NIM_ADD);
}

void TTrayIcon::Deactivate() {
  SilentRemove();
  Application& app = Application::Instance();
  app.ShowMainForm = true;
  // A layout that stores Active = False deactivates an icon that was never shown: the
  // application window was not hidden by it, and showing it here would flash a taskbar
  // button during start-up.
  if (app.Handle() && !IsLoading()) ShowWindow(app.Handle(), SW_SHOWNORMAL);
  NotifyIcon(NIM_DELETE);
}

void TTrayIcon::Loaded() {
  TWndProcComponent::Loaded();
  if (active_) {
    active_ = false;
    SetActive(true);
  }
}

void TTrayIcon::SetHint(std::string value) {
  if (value == hint_ && !IsLoading()) return;
  hint_ = std::move(value);
  if (active_) NotifyIcon(NIM_MODIFY);
}

void TTrayIcon::IconChanged() {
  if (!IsDesigning() && active_) NotifyIcon(NIM_MODIFY);
}

void TTrayIcon::NotifyIcon(DWORD message) {
  if (IsDesigning()) return;
  NOTIFYICONDATAA record = Record();
  Shell_NotifyIconA(message, &record);
}

void TTrayIcon::Notification(Component* component, ComponentOperation operation) {
  TWndProcComponent::Notification(component, operation);
  if (operation == ComponentOperation::Remove && component == popupMenu_) popupMenu_ = nullptr;
}

void TTrayIcon::NewWndProc(Message& message) {
  if (message.Msg != kTrayIconCallbackMessage) {
    message.Result = window_->Default(message);
    return;
  }
  GetCursorPos(&pointer_);
  try {
    // The wParam is the icon's id (0), so only a double click adds to the shift state.
    MouseNotification(static_cast<UINT>(message.LParam), KeysToShiftState(message.WParam));
  } catch (...) {
    Application::Instance().HandleCurrentException(this);
  }
}

namespace {
enum class Press { Down, Up, Double };
struct ButtonNotification {
  UINT message;
  MouseButton button;
  Press press;
};
constexpr ButtonNotification kButtonNotifications[] = {
    {WM_LBUTTONDOWN, MouseButton::Left, Press::Down},
    {WM_LBUTTONUP, MouseButton::Left, Press::Up},
    {WM_LBUTTONDBLCLK, MouseButton::Left, Press::Double},
    {WM_RBUTTONDOWN, MouseButton::Right, Press::Down},
    {WM_RBUTTONUP, MouseButton::Right, Press::Up},
    {WM_RBUTTONDBLCLK, MouseButton::Right, Press::Double},
    {WM_MBUTTONDOWN, MouseButton::Middle, Press::Down},
    {WM_MBUTTONUP, MouseButton::Middle, Press::Up},
    {WM_MBUTTONDBLCLK, MouseButton::Middle, Press::Double},
};
}  // namespace

void TTrayIcon::MouseNotification(UINT mouseMessage, TShiftState shift) {
  const int x = pointer_.x, y = pointer_.y;
  if (mouseMessage == WM_MOUSEMOVE) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
    return;
  }
  for (const ButtonNotification& n : kButtonNotifications) {
    if (n.message != mouseMessage) continue;
    switch (n.press) {
      case Press::Down:
        if (OnMouseDown) OnMouseDown(this, n.button, shift, x, y);
        // The menu comes on the press, not on the release.
        if (n.button == MouseButton::Right) Popup();
        break;
      case Press::Up:
        // Every release is a click, whichever the button.
        if (OnClick) OnClick(this);
        if (OnMouseUp) OnMouseUp(this, n.button, shift, x, y);
        break;
      case Press::Double:
        if (OnDblClick) OnDblClick(this);
        shift.Include(ShiftFlag::Double);
        if (OnMouseDown) OnMouseDown(this, n.button, shift, x, y);
        break;
    }
    return;
  }
}

void TTrayIcon::Popup() {
  if (!popupMenu_) return;
  if (OnPopUp) OnPopUp(this);
  Application& app = Application::Instance();
  // A menu owned by a background window would not close when the user clicks elsewhere.
  SetForegroundWindow(app.Handle());
  app.ProcessMessages();
  if (!popupMenu_) return;  // released while the messages ran
  popupMenu_->SetPopupComponent(this);
  popupMenu_->Popup(pointer_.x, pointer_.y);
}

void TTrayIcon::HideOwner() {
  ShowWindow(Application::Instance().Handle(), SW_HIDE);
  if (auto* form = dynamic_cast<TForm*>(Owner()))
    form->Hide();
  else
    ShowWindow(HookedWindow(), SW_HIDE);
}

void TTrayIcon::WndProc(Message& message) {
  if (!Hooked() || OwnerDestroying()) {
    TWndProcComponent::WndProc(message);
    return;
  }
  if (kTaskbarCreated != 0 && message.Msg == kTaskbarCreated && active_) {
    // Hooked and added anew, as a fresh activation does; the owner has no use for it.
    SilentRemove();
    active_ = false;
    SetActive(true);
    return;
  }
  switch (message.Msg) {
    case WM_SHOWWINDOW:
      if (message.WParam != 0 && active_)
        ShowWindow(Application::Instance().Handle(), showMinimizedIcon_ ? SW_SHOW : SW_HIDE);
      break;
    case WM_SYSCOMMAND:
      if ((message.WParam & 0xFFF0) == SC_MINIMIZE) {
        TWndProcComponent::WndProc(message);
        if (!showMinimizedIcon_) HideOwner();
        return;
      }
      if ((message.WParam & 0xFFF0) == SC_CLOSE && noClose_ && active_) {
        HideOwner();
        if (OnNoClose) OnNoClose(Owner());
        return;
      }
      break;
  }
  TWndProcComponent::WndProc(message);
}
