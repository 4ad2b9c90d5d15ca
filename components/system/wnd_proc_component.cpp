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
    hook_ = std::make_unique<WindowThunk>(&TWndProcComponent::HookProcedure, this);
    window_ = window;
    previous_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook_->Procedure()));
  } catch (...) {
    // Not reported: the component simply stays unhooked.
    RestoreWndProc();
  }
}

void TWndProcComponent::RestoreWndProc() {
  if (previous_ && hook_ && IsWindow(window_) &&
      GetWindowLongPtrA(window_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(hook_->Procedure()))
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  previous_ = nullptr;
  window_ = nullptr;
  // Safe also from inside our own WndProc: the thunk jumps, so no frame returns into it.
  hook_.reset();
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

LRESULT CALLBACK TWndProcComponent::HookProcedure(void* self, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* component = static_cast<TWndProcComponent*>(self);
  Message message{msg, wParam, lParam, 0};
  try {
    component->WndProc(message);
  } catch (...) {
    // An error escaping an event handler is shown and the message loop goes on.
    Application::Instance().HandleCurrentException(component);
  }
  return message.Result;
}
