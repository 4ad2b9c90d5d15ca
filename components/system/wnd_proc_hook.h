#pragma once
// A window message hook: subclasses the window of a windowed control (or any window
// given by handle) and reports every message of that window to OnMessageBefore and
// OnMessageAfter, around passing it on to the procedure the window had before.
// Several hooks may sit on one window; all hooks of the process form one list, and
// each window's chain is rebuilt from it, so hooks can be switched on and off in any
// order without breaking each other. Everything runs on the window's thread.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "framework/component.h"
#include "framework/control.h"
#include "framework/events.h"
#include "framework/message_window.h"
#include "framework/subclass_procedure.h"

using TMessageEvent = Event<Component*, Message&, bool&>;

class TCustomWndProcHook;

// Every live hook of the process in order of construction. The first hook creates
// it and the last one destroys it.
class TWndProcHookList {
 public:
  // None while no hook exists.
  static TWndProcHookList* Instance();

  const std::vector<TCustomWndProcHook*>& Hooks() const { return hooks_; }
  // The procedure the window had before its first hook went in; its current
  // procedure when no hook is in.
  WNDPROC GetBaseWndProc(HWND window) const;
  // The active hooks of the window, in list order; nothing happens without a list.
  void GetWindowHooks(std::vector<TCustomWndProcHook*>* hooks, HWND window) const;
  void HookWindow(TCustomWndProcHook* hook);
  void UnHookWindow(TCustomWndProcHook* hook);

 private:
  friend class TCustomWndProcHook;
  static void Add(TCustomWndProcHook* hook);
  static void Remove(TCustomWndProcHook* hook);
  // Chains the hooks, in list order, onto base; returns the procedure the window is to run.
  static WNDPROC Link(const std::vector<TCustomWndProcHook*>& hooks, WNDPROC base);

  std::vector<TCustomWndProcHook*> hooks_;
};

class TCustomWndProcHook : public Component, private SubclassReceiver {
 public:
  explicit TCustomWndProcHook(Component* owner);
  ~TCustomWndProcHook() override;

  // The value GetHandle gives when there is no window to hook.
  static HWND NoWindow() { return reinterpret_cast<HWND>(-1); }

  bool Active() const { return active_; }
  virtual void SetActive(bool value);
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

  // This hook's own window procedure while it is switched on (none otherwise), and
  // where it passes messages on while it is in its window's chain.
  WNDPROC HookProcedure() const;
  WNDPROC PreviousProcedure() const { return previous_; }

  TNotifyEvent OnChangeHandle;
  TNotifyEvent OnChangeWinControl;
  TMessageEvent OnMessageAfter;
  TMessageEvent OnMessageBefore;

 protected:
  virtual void Hook();
  virtual void UnHook();
  // Every message of the hooked window: OnMessageBefore, the previous procedure
  // (unless handled, or a press that AutoDrag turns into a move), OnMessageAfter.
  virtual void WndProc(Message& message);
  void Loaded() override;
  void Notification(Component* component, ComponentOperation operation) override;

 private:
  friend class TWndProcHookList;

  // Switches the hook off, changes the target, and switches it back on, also when
  // the change throws.
  void ChangeTarget(const std::function<void()>& store);
  // The window in which someone else's subclass, not this hook's chain, still calls
  // this hook's procedure; none when nobody does.
  HWND WindowKeepingProcedure();
  LRESULT SubclassMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  bool active_ = false;
  bool autoDrag_ = false;
  HWND handle_ = nullptr;
  TWinControl* winControl_ = nullptr;
  WNDPROC previous_ = nullptr;
  std::unique_ptr<SubclassProcedure> procedure_;
};

// The hook a form layout sets up: everything above, settable from the layout.
class TWndProcHook : public TCustomWndProcHook {
 public:
  using TCustomWndProcHook::TCustomWndProcHook;
};
