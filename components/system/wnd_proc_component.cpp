#include "components/system/wnd_proc_component.h"

#include "framework/application.h"
#include "framework/control.h"

TWndProcComponent::TWndProcComponent(Component* owner) : Component(owner) {}

TWndProcComponent::~TWndProcComponent() { RestoreWndProc(); }

TWinControl* TWndProcComponent::OwnerControl() const { return dynamic_cast<TWinControl*>(Owner()); }

bool TWndProcComponent::MayHook() const { return !IsDesigning() || designEnabled_; }

void TWndProcComponent::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  if (!IsDesigning()) {
    if (value)
      Init();
    else
      RestoreWndProc();
  }
  EnabledChanged();
}

void TWndProcComponent::SetDesignEnabled(bool value) {
  if (value == designEnabled_) return;
  designEnabled_ = value;
  DesignEnabledChanged();
}

void TWndProcComponent::Loaded() {
  Component::Loaded();
  Init();
}

void TWndProcComponent::Init() {
  if (!enabled_ || Hooked() || !MayHook()) return;
  TWinControl* owner = OwnerControl();
  if (!owner) return;
  try {
    HWND window = owner->Handle();
    ownerDestroying_ = false;
    // Not reported when the system refuses: the component simply stays unhooked.
    subclass_.Install(window);
  } catch (...) {
    // Making the owner's window failed: nothing was hooked.
    RestoreWndProc();
  }
}

void TWndProcComponent::RestoreWndProc() {
  subclass_.Remove();
  silent_ = false;
  ownerDestroying_ = false;
}

void TWndProcComponent::SilentRemove() {
  silent_ = true;
  RestoreWndProc();
  enabled_ = false;
}

void TWndProcComponent::CallPrevious(Message& message) { subclass_.PassOn(message); }

void TWndProcComponent::WndProc(Message& message) {
  if (ownerDestroying_) return;
  if (message.Msg == WM_DESTROY) ownerDestroying_ = true;
  CallPrevious(message);
}

void TWndProcComponent::SubclassMessage(Message& message) {
  try {
    WndProc(message);
  } catch (...) {
    // An error escaping an event handler is shown and the message loop goes on.
    Application::Instance().HandleCurrentException(this);
  }
}
