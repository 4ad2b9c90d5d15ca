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
    hook_ = std::make_unique<SubclassProcedure>(static_cast<SubclassReceiver*>(this));
    window_ = window;
    previous_ = ReplaceWindowProcedure(window, hook_->Procedure());
  } catch (...) {
    // Not reported: the component simply stays unhooked.
    RestoreWndProc();
  }
}

void TWndProcComponent::RestoreWndProc() {
  if (hook_) {
    const WNDPROC own = hook_->Procedure();
    const bool othersCall = previous_ && SubclassProcedure::OthersMayCall(window_, own);
    if (previous_ && IsWindow(window_) && CurrentWindowProcedure(window_) == own)
      ReplaceWindowProcedure(window_, previous_);
    // Safe also from inside our own WndProc: the thunk jumps, so no frame returns into it.
    SubclassProcedure::Retire(std::move(hook_), window_, previous_, othersCall);
  }
  previous_ = nullptr;
  window_ = nullptr;
  silent_ = false;
  ownerDestroying_ = false;
}

void TWndProcComponent::SilentRemove() {
  silent_ = true;
  RestoreWndProc();
  enabled_ = false;
}

void TWndProcComponent::CallPrevious(Message& message) {
  if (previous_)
    message.Result = CallWindowProcA(previous_, window_, message.Msg, message.WParam, message.LParam);
}

void TWndProcComponent::WndProc(Message& message) {
  if (ownerDestroying_) return;
  if (message.Msg == WM_DESTROY) ownerDestroying_ = true;
  CallPrevious(message);
}

LRESULT TWndProcComponent::SubclassMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  Message message{msg, wParam, lParam, 0};
  try {
    WndProc(message);
  } catch (...) {
    // An error escaping an event handler is shown and the message loop goes on.
    Application::Instance().HandleCurrentException(this);
  }
  return message.Result;
}
