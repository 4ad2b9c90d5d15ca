#include "components/system/wnd_proc_hook.h"

#include <algorithm>

#include "framework/application.h"

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

bool TWndProcHookList::Lives(const TCustomWndProcHook* hook) {
  return hookList &&
         std::find(hookList->hooks_.begin(), hookList->hooks_.end(), hook) != hookList->hooks_.end();
}

void TWndProcHookList::GetWindowHooks(std::vector<TCustomWndProcHook*>* hooks, HWND window) const {
  if (!hooks) return;
  hooks->clear();
  for (TCustomWndProcHook* hook : hooks_)
    if (hook->window_ == window) hooks->push_back(hook);
}

void TWndProcHookList::HookWindow(TCustomWndProcHook* hook) {
  HWND window = hook->GetHandle();
  if (!IsTarget(window) || hook->window_ == window) return;
  auto& subclass = windows_[window];
  if (!subclass)
    subclass = std::make_unique<WindowSubclass>([window](Message& message) { Dispatch(window, message); });
  // A window of that handle that went and came anew gets the subclass again.
  if (!subclass->Installed() && !subclass->Install(window)) return;
  hook->window_ = window;
}

void TWndProcHookList::UnHookWindow(TCustomWndProcHook* hook) {
  HWND window = hook->window_;
  if (!window) return;
  hook->window_ = nullptr;
  std::vector<TCustomWndProcHook*> left;
  GetWindowHooks(&left, window);
  // The window's subclass goes with its last hook; safe also inside its own message.
  if (left.empty()) windows_.erase(window);
}

void TWndProcHookList::Dispatch(HWND window, Message& message) {
  if (!hookList) return;
  std::vector<TCustomWndProcHook*> chain;
  hookList->GetWindowHooks(&chain, window);
  Pass(window, chain, chain.size(), message);
}

void TWndProcHookList::Pass(HWND window, const std::vector<TCustomWndProcHook*>& chain, size_t count,
                            Message& message) {
  // A hook that an event switched off or destroyed meanwhile is skipped.
  for (; count > 0; --count) {
    TCustomWndProcHook* hook = chain[count - 1];
    if (!Lives(hook) || hook->window_ != window) continue;
    const TCustomWndProcHook::Next next = [window, &chain, count](Message& passed) {
      Pass(window, chain, count - 1, passed);
    };
    hook->Receive(message, next);
    return;
  }
  if (!hookList) return;
  if (auto found = hookList->windows_.find(window); found != hookList->windows_.end())
    found->second->PassOn(message);
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

void TCustomWndProcHook::SetActive(bool value) {
  if (value == active_) return;
  if (value)
    Hook();
  else
    UnHook();
}

void TCustomWndProcHook::Hook() {
  active_ = true;
  if (IsDesigning()) return;
  // Also without a window: a later Hook (Loaded, a new target) puts it in.
  if (TWndProcHookList* list = TWndProcHookList::Instance()) list->HookWindow(this);
}

void TCustomWndProcHook::UnHook() {
  if (TWndProcHookList* list = TWndProcHookList::Instance()) list->UnHookWindow(this);
  active_ = false;
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

void TCustomWndProcHook::Receive(Message& message, const Next& next) {
  const Next* outer = next_;
  next_ = &next;
  try {
    WndProc(message);
  } catch (...) {
    // An error escaping an event handler is shown and the message loop goes on.
    Application::Instance().HandleCurrentException(this);
  }
  // An event may have destroyed the hook: only a live one is touched.
  if (TWndProcHookList::Lives(this)) next_ = outer;
}

void TCustomWndProcHook::PassOn(Message& message) {
  if (window_ && next_) (*next_)(message);
}

void TCustomWndProcHook::WndProc(Message& message) {
  HWND window = window_;
  if (!window) return;
  bool handled = false;
  if (OnMessageBefore) OnMessageBefore(this, message, handled);
  if (!handled) {
    if (message.Msg == WM_LBUTTONDOWN && autoDrag_ && IsWindow(window)) {
      // The press becomes a move of the window with the mouse; the window never sees it.
      ReleaseCapture();
      SendMessageA(window, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    } else {
      // Nothing passes on once OnMessageBefore switched this hook off: the message
      // then goes no further.
      PassOn(message);
    }
  }
  // Handled still says what OnMessageBefore decided; only a new Result counts here.
  if (OnMessageAfter) OnMessageAfter(this, message, handled);
}
