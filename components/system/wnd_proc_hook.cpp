#include "components/system/wnd_proc_hook.h"

#include "framework/application.h"
#include "framework/subclass_procedure.h"

namespace {
std::unique_ptr<TWndProcHookList> hookList;

bool IsTarget(HWND window) { return window && window != TCustomWndProcHook::NoWindow(); }
}  // namespace

// ---------------------------------------------------------------- TWndProcHookList

TWndProcHookList* TWndProcHookList::Instance() { return hookList.get(); }

void TWndProcHookList::Add(TCustomWndProcHook* hook) {
  if (!hookList) hookList = std::make_unique<TWndProcHookList>();
  hookList->hooks_.push_back(hook);
}

void TWndProcHookList::Remove(TCustomWndProcHook* hook) {
  if (!hookList) return;
  std::erase(hookList->hooks_, hook);
  if (hookList->hooks_.empty()) hookList.reset();
}

WNDPROC TWndProcHookList::GetBaseWndProc(HWND window) const {
  // The earliest hook in the chain saved it when it went in.
  for (TCustomWndProcHook* hook : hooks_)
    if (hook->active_ && hook->previous_ && hook->GetHandle() == window) return hook->previous_;
  return CurrentWindowProcedure(window);
}

void TWndProcHookList::GetWindowHooks(std::vector<TCustomWndProcHook*>* hooks, HWND window) const {
  if (!hooks) return;
  hooks->clear();
  // A hook switched on at design time has no procedure and is in no chain.
  for (TCustomWndProcHook* hook : hooks_)
    if (hook->active_ && hook->procedure_ && hook->GetHandle() == window) hooks->push_back(hook);
}

WNDPROC TWndProcHookList::Link(const std::vector<TCustomWndProcHook*>& hooks, WNDPROC base) {
  WNDPROC next = base;
  for (TCustomWndProcHook* hook : hooks) {
    hook->previous_ = next;
    next = hook->procedure_->Procedure();
  }
  return next;
}

void TWndProcHookList::HookWindow(TCustomWndProcHook* hook) {
  HWND window = hook->GetHandle();
  if (!IsTarget(window)) return;
  const WNDPROC base = GetBaseWndProc(window);
  hook->active_ = true;
  std::vector<TCustomWndProcHook*> hooks;
  GetWindowHooks(&hooks, window);
  // Rebuilt from the base: a procedure others installed on top of the chain is dropped.
  const WNDPROC top = Link(hooks, base);
  if (IsWindow(window)) ReplaceWindowProcedure(window, top);
}

void TWndProcHookList::UnHookWindow(TCustomWndProcHook* hook) {
  HWND window = hook->GetHandle();
  if (!IsTarget(window)) return;
  const WNDPROC base = GetBaseWndProc(window);
  std::vector<TCustomWndProcHook*> hooks;
  GetWindowHooks(&hooks, window);
  const WNDPROC own = hook->HookProcedure();
  const WNDPROC newest = hooks.empty() ? nullptr : hooks.back()->HookProcedure();
  hook->active_ = false;
  GetWindowHooks(&hooks, window);
  const WNDPROC top = Link(hooks, base);
  // Subclasses come off last in, first out, and a procedure is put back only while
  // the window exists and its current procedure is the one this change replaces:
  // this hook's own, or the newest hook's of the chain. A dead window gets nothing
  // (its handle may already name another window), and a subclass that other code
  // installed on top of the chain stays in place rather than being overwritten, so
  // that neither it nor shutdown ever installs or calls a procedure already released.
  if (!IsWindow(window)) return;
  const WNDPROC current = CurrentWindowProcedure(window);
  if (current == own || current == newest) ReplaceWindowProcedure(window, top);
}

// ---------------------------------------------------------------- TCustomWndProcHook

TCustomWndProcHook::TCustomWndProcHook(Component* owner) : Component(owner) { TWndProcHookList::Add(this); }

TCustomWndProcHook::~TCustomWndProcHook() {
  try {
    SetActive(false);
  } catch (...) {
    // Only making the target's window can fail here, and then nothing was hooked.
  }
  TWndProcHookList::Remove(this);
}

WNDPROC TCustomWndProcHook::HookProcedure() const { return procedure_ ? procedure_->Procedure() : nullptr; }

void TCustomWndProcHook::SetActive(bool value) {
  if (value == active_) return;
  if (value)
    Hook();
  else
    UnHook();
}

void TCustomWndProcHook::Hook() {
  if (IsDesigning()) {
    active_ = true;
    return;
  }
  if (!procedure_) procedure_ = std::make_unique<SubclassProcedure>(static_cast<SubclassReceiver*>(this));
  if (TWndProcHookList* list = TWndProcHookList::Instance()) list->HookWindow(this);
  // Also without a window: a later Hook (Loaded, a new target) puts it in.
  active_ = true;
}

void TCustomWndProcHook::UnHook() {
  if (IsDesigning()) {
    active_ = false;
    return;
  }
  const HWND keptBy = WindowKeepingProcedure();  // asked while the chain still holds this hook
  const WNDPROC next = previous_;
  if (TWndProcHookList* list = TWndProcHookList::Instance()) list->UnHookWindow(this);
  SubclassProcedure::Retire(std::move(procedure_), keptBy, next, keptBy != nullptr);
  previous_ = nullptr;
  active_ = false;
}

HWND TCustomWndProcHook::WindowKeepingProcedure() {
  if (!procedure_ || !previous_) return nullptr;  // in no chain
  HWND window = GetHandle();
  const WNDPROC own = procedure_->Procedure();
  // UnHookWindow takes it out of the window when it is the window's procedure.
  if (!IsTarget(window) || !SubclassProcedure::OthersMayCall(window, own)) return nullptr;
  for (TCustomWndProcHook* hook : TWndProcHookList::Instance()->Hooks())
    if (hook != this && hook->active_ && hook->previous_ == own) return nullptr;  // relinked by UnHookWindow
  return window;
}

HWND TCustomWndProcHook::GetHandle() {
  if (IsTarget(handle_)) return handle_;
  TWinControl* control = GetWinControl();
  if (!control) return NoWindow();
  if (control->HandleAllocated()) return control->Handle();
  if (control->IsLoading() || control->IsDestroying()) return NoWindow();
  return control->Handle();
}

void TCustomWndProcHook::SetHandle(HWND handle) {
  if (handle == handle_) return;
  ChangeTarget([&] { handle_ = handle; });
  if (OnChangeHandle) OnChangeHandle(this);
}

TWinControl* TCustomWndProcHook::GetWinControl() const {
  return winControl_ ? winControl_ : dynamic_cast<TWinControl*>(Owner());
}

void TCustomWndProcHook::SetWinControl(TWinControl* control) {
  if (control == winControl_) return;
  ChangeTarget([&] {
    winControl_ = control;
    TWinControl* target = GetWinControl();
    if (target && target != Owner()) target->FreeNotification(this);
  });
  if (OnChangeWinControl) OnChangeWinControl(this);
}

void TCustomWndProcHook::ChangeTarget(const std::function<void()>& store) {
  const bool wasActive = active_;
  SetActive(false);
  try {
    store();
  } catch (...) {
    SetActive(wasActive);
    throw;
  }
  SetActive(wasActive);
}

void TCustomWndProcHook::Loaded() {
  Component::Loaded();
  // Switched on while the layout was read, when the owner had no window yet.
  if (active_) Hook();
}

void TCustomWndProcHook::Notification(Component* component, ComponentOperation operation) {
  Component::Notification(component, operation);
  if (operation != ComponentOperation::Remove) return;
  if (component == GetWinControl())
    SetWinControl(nullptr);  // follow the owner from now on
  else if (component == this)
    SetActive(false);
}

LRESULT TCustomWndProcHook::SubclassMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  Message message{msg, wParam, lParam, 0};
  try {
    WndProc(message);
  } catch (...) {
    // An error escaping an event handler is shown and the message loop goes on.
    Application::Instance().HandleCurrentException(this);
  }
  return message.Result;
}

void TCustomWndProcHook::WndProc(Message& message) {
  HWND window = GetHandle();
  if (!IsTarget(window)) return;
  bool handled = false;
  if (OnMessageBefore) OnMessageBefore(this, message, handled);
  if (!handled) {
    if (message.Msg == WM_LBUTTONDOWN && autoDrag_ && IsWindow(window)) {
      // The press becomes a move of the window with the mouse; the window never sees it.
      ReleaseCapture();
      SendMessageA(window, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    } else if (previous_) {
      // previous_ is gone only when OnMessageBefore switched this hook off: the
      // message then goes no further.
      message.Result = CallWindowProcA(previous_, window, message.Msg, message.WParam, message.LParam);
    }
  }
  // Handled still says what OnMessageBefore decided; only a new Result counts here.
  if (OnMessageAfter) OnMessageAfter(this, message, handled);
}
