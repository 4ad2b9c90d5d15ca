#pragma once
// One icon with a tooltip in the notification area. The shell's mouse notifications
// for it become events, a right-button press shows the popup menu, and while the
// icon is active the owner form's window is subclassed so that minimising hides the
// form and a re-created taskbar gets the icon back. The application window (the
// taskbar button) is hidden while the icon is active.
//
// Animation is not part of this program: its settings are kept as plain values and
// no timer is ever made, so an idle icon never wakes the program up.
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <string>

#include "components/system/wnd_proc_component.h"
#include "framework/control.h"
#include "framework/icon.h"
#include "framework/message_window.h"

class TPopupMenu;

enum class TTimerMode : std::uint8_t { tmNormal, tmGlobalTimer, tmHiTimer, tmThreaded };
enum class TThreadPriority : std::uint8_t {
  tpIdle,
  tpLowest,
  tpLower,
  tpNormal,
  tpHigher,
  tpHighest,
  tpTimeCritical
};
using TMouseMoveEvent = Event<Component*, TShiftState, int, int>;

// The message the shell sends to the private window for the icon's mouse events.
inline constexpr UINT kTrayIconCallbackMessage = WM_USER + 101;

// The shell's first-version record: the first 88 bytes of the result (cbSize says
// so), every byte after them zero. The hint is cut to 63 bytes plus the NUL.
NOTIFYICONDATAA TrayIconRecord(HWND window, HICON icon, const std::string& hint);

class TTrayIcon : public TWndProcComponent {
 public:
  explicit TTrayIcon(Component* owner);  // owner: the form whose window is subclassed
  ~TTrayIcon() override;

  bool Active() const { return active_; }
  void SetActive(bool value);
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string value);
  // Changing the icon (Assign, LoadFromResource) updates the shown icon.
  TIcon& Icon() { return icon_; }
  bool NoClose() const { return noClose_; }
  void SetNoClose(bool value) { noClose_ = value; }
  bool ShowMinimizedIcon() const { return showMinimizedIcon_; }
  void SetShowMinimizedIcon(bool value) { showMinimizedIcon_ = value; }
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

  // Animation settings: stored only.
  bool Animated() const { return animated_; }
  void SetAnimated(bool value) { animated_ = value; }
  TTimerMode TimerMode() const { return timerMode_; }
  void SetTimerMode(TTimerMode value) { timerMode_ = value; }
  std::uint16_t Interval() const { return interval_; }
  void SetInterval(std::uint16_t value) { interval_ = value; }
  TThreadPriority ThreadPriority() const { return threadPriority_; }
  void SetThreadPriority(TThreadPriority value) { threadPriority_ = value; }
  int ListIndex() const { return listIndex_; }
  void SetListIndex(int value) { listIndex_ = value; }

  // Fills the record and hands it to the shell (NIM_ADD, NIM_MODIFY, NIM_DELETE);
  // the shell's answer does not matter to the component.
  void NotifyIcon(DWORD message);
  NOTIFYICONDATAA Record() const { return TrayIconRecord(WindowHandle(), icon_.Handle(), hint_); }
  // The private window the shell reports to.
  HWND WindowHandle() const { return window_->Handle(); }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnPopUp;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnNoClose;  // Sender: the owner form

 protected:
  void Loaded() override;
  void Notification(Component* component, ComponentOperation operation) override;
  void WndProc(Message& message) override;

 private:
  void Activate();
  void Deactivate();
  void IconChanged();
  void NewWndProc(Message& message);
  void MouseNotification(UINT mouseMessage, TShiftState shift);
  void Popup();
  void HideOwner();

  bool animated_ = false;
  bool active_ = true;
  bool noClose_ = false;
  std::string hint_;
  TIcon icon_;
  POINT pointer_{0, 0};
  TPopupMenu* popupMenu_ = nullptr;
  std::unique_ptr<MessageWindow> window_;
  TThreadPriority threadPriority_ = TThreadPriority::tpNormal;
  int listIndex_ = 0;
  TTimerMode timerMode_ = TTimerMode::tmNormal;
  std::uint16_t interval_ = 200;
  bool showMinimizedIcon_ = false;
};
