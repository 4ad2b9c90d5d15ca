#pragma once
// The base of components that subclass their owner form's window: while Enabled
// (and the owner has a window), every message of that window goes through the
// component's WndProc first, which passes it on to the procedure the window had
// before. Only plain forms are owners here: MDI frames and children are not handled,
// and the application window is never hooked.
#include <windows.h>

#include <memory>

#include "framework/component.h"
#include "framework/message_window.h"
#include "framework/subclass_procedure.h"

class TWinControl;

class TWndProcComponent : public Component, private SubclassReceiver {
 public:
  explicit TWndProcComponent(Component* owner);
  ~TWndProcComponent() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool DesignEnabled() const { return designEnabled_; }
  void SetDesignEnabled(bool value);
  // The owner window's procedure is ours right now (or was, until someone replaced it).
  bool Hooked() const { return previous_ != nullptr; }

 protected:
  void Loaded() override;
  // Hooks the owner window when enabled and not hooked yet; a failure leaves nothing installed.
  virtual void Init();
  // Unhooks. The saved procedure is put back only while the window exists and ours
  // is still its current procedure: subclasses come off last in, first out, and a
  // procedure that someone else has replaced ours with must not be overwritten.
  // That someone else still calls ours then, so ours is retired, not released.
  virtual void RestoreWndProc();
  // Unhooks and clears Enabled without announcing it through EnabledChanged.
  void SilentRemove();
  // The owner window's messages. The base remembers WM_DESTROY and passes every
  // message on, except those that come after WM_DESTROY.
  virtual void WndProc(Message& message);
  virtual void EnabledChanged() {}
  virtual void DesignEnabledChanged() {}

  // Passes a message on to the procedure the window had before the hook.
  void CallPrevious(Message& message);
  bool Silent() const { return silent_; }
  bool OwnerDestroying() const { return ownerDestroying_; }
  TWinControl* OwnerControl() const;
  HWND HookedWindow() const { return window_; }

 private:
  LRESULT SubclassMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool MayHook() const;

  std::unique_ptr<SubclassProcedure> hook_;
  WNDPROC previous_ = nullptr;
  HWND window_ = nullptr;
  bool enabled_ = true;
  bool designEnabled_ = false;
  bool silent_ = false;
  bool ownerDestroying_ = false;
};
