#pragma once
// The base of components that subclass their owner form's window: while Enabled
// (and the owner has a window), every message of that window goes through the
// component's WndProc first, which passes it on to the rest of the window's chain.
// The subclass is one of the system's chain, so it comes off in any order with the
// window's other subclasses. Only plain forms are owners here: MDI frames and
// children are not handled, and the application window is never hooked.
#include <windows.h>

#include "framework/component.h"
#include "framework/message_window.h"
#include "framework/window_subclass.h"

class TWinControl;

class TWndProcComponent : public Component {
 public:
  explicit TWndProcComponent(Component* owner);
  ~TWndProcComponent() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool DesignEnabled() const { return designEnabled_; }
  void SetDesignEnabled(bool value);
  // The owner window's messages come here.
  bool Hooked() const { return subclass_.Installed(); }

 protected:
  void Loaded() override;
  // Hooks the owner window when enabled and not hooked yet; a failure leaves nothing installed.
  virtual void Init();
  // Unhooks, whenever it is called, also from inside WndProc.
  virtual void RestoreWndProc();
  // Unhooks and clears Enabled without announcing it through EnabledChanged.
  void SilentRemove();
  // The owner window's messages. The base remembers WM_DESTROY and passes every
  // message on, except those that come after WM_DESTROY.
  virtual void WndProc(Message& message);
  virtual void EnabledChanged() {}
  virtual void DesignEnabledChanged() {}

  // Passes a message on to the rest of the window's chain; nothing once unhooked.
  void CallPrevious(Message& message);
  bool Silent() const { return silent_; }
  bool OwnerDestroying() const { return ownerDestroying_; }
  TWinControl* OwnerControl() const;
  HWND HookedWindow() const { return subclass_.Window(); }

 private:
  void SubclassMessage(Message& message);
  bool MayHook() const;

  WindowSubclass subclass_{[this](Message& message) { SubclassMessage(message); }};
  bool enabled_ = true;
  bool designEnabled_ = false;
  bool silent_ = false;
  bool ownerDestroying_ = false;
};
