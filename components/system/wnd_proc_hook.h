#pragma once
// A window message hook: subclasses the window of a windowed control (or any window
// given by handle) and reports every message of that window to OnMessageBefore and
// OnMessageAfter, around passing it on to the rest of the window's chain. Several
// hooks may sit on one window; all hooks of the process form one list, and each
// window's hooks run in its order, the newest first, from one subclass of the
// window's own chain, so hooks can be switched on and off in any order without
// breaking each other or anyone else's subclass. Everything runs on the window's
// thread.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "framework/component.h"
#include "framework/control.h"
#include "framework/events.h"
#include "framework/message_window.h"
#include "framework/window_subclass.h"

using TMessageEvent = Event<Component*, Message&, bool&>;

class TCustomWndProcHook;

// Every live hook of the process in order of construction. The first hook creates
// it and the last one destroys it.
class TWndProcHookList {
 public:
  // None while no hook exists.
  static TWndProcHookList* Instance();

  const std::vector<TCustomWndProcHook*>& Hooks() const { return hooks_; }
  // The hooks in the window's chain, in list order; nothing happens without a list.
  void GetWindowHooks(std::vector<TCustomWndProcHook*>* hooks, HWND window) const;
  void HookWindow(TCustomWndProcHook* hook);
  void UnHookWindow(TCustomWndProcHook* hook);

 private:
  friend class TCustomWndProcHook;
  static void Add(TCustomWndProcHook* hook);
  static void Remove(TCustomWndProcHook* hook);
  static bool Lives(const TCustomWndProcHook* hook);
  // The window's subclass got a message: its hooks run, newest first.
  static void Dispatch(HWND window, Message& message);
  // Hands the message to the newest of chain's first count hooks still in the
  // window's chain, which passes it on to the ones before it; after the oldest, the
  // rest of the window's chain has it.
  static void Pass(HWND window, const std::vector<TCustomWndProcHook*>& chain, size_t count,
                   Message& message);

  std::vector<TCustomWndProcHook*> hooks_;
  std::map<HWND, std::unique_ptr<WindowSubclass>> windows_;
};

class TCustomWndProcHook : public Component {
 public:
  explicit TCustomWndProcHook(Component* owner);
  ~TCustomWndProcHook() override;

  // The value GetHandle gives when there is no window to hook.
  static HWND NoWindow() { return reinterpret_cast<HWND>(-1); }

  bool Active() const { return active_; }
  virtual void SetActive(bool value);
  // In its window's chain: active, at run time, with a window to hook.
  bool Hooked() const { return window_ != nullptr; }
  // A left-button press anywhere in the window starts moving the window.
  bool AutoDrag() const { return autoDrag_; }
  void SetAutoDrag(bool value) { autoDrag_ = value; }
  // The window hooked: the explicit handle, else the target control's window, made
  // on demand unless the control is loading or being destroyed; NoWindow() for none.
  virtual HWND GetHandle();
  // An explicit window; 0 and NoWindow() both mean none. Takes precedence over WinControl.
  virtual void SetHandle(HWND handle);
  // The stored target control, else the owner when that is a windowed control.
  virtual TWinControl* GetWinControl() const;
  virtual void SetWinControl(TWinControl* control);

  TNotifyEvent OnChangeHandle;
  TNotifyEvent OnChangeWinControl;
  TMessageEvent OnMessageAfter;
  TMessageEvent OnMessageBefore;

 protected:
  virtual void Hook();
  virtual void UnHook();
  // Every message of the hooked window: OnMessageBefore, the rest of the chain
  // (unless handled, or a press that AutoDrag turns into a move), OnMessageAfter.
  virtual void WndProc(Message& message);
  // Passes the message WndProc has on to the hooks before this one and the window's
  // chain; nothing once this hook left the chain.
  void PassOn(Message& message);
  void Loaded() override;
  void Notification(Component* component, ComponentOperation operation) override;

 private:
  friend class TWndProcHookList;
  using Next = std::function<void(Message&)>;

  // Switches the hook off, changes the target, and switches it back on, also when
  // the change throws.
  void ChangeTarget(const std::function<void()>& store);
  // A message of the hooked window, and where it goes on from here.
  void Receive(Message& message, const Next& next);

  bool active_ = false;
  bool autoDrag_ = false;
  HWND handle_ = nullptr;
  TWinControl* winControl_ = nullptr;
  HWND window_ = nullptr;       // the window whose chain the hook is in
  const Next* next_ = nullptr;  // while a message is in WndProc
};

// The hook a form layout sets up: everything above, settable from the layout.
class TWndProcHook : public TCustomWndProcHook {
 public:
  using TCustomWndProcHook::TCustomWndProcHook;
};
