#include "components/system/global_hotkey.h"

#include <string>
#include <vector>

#include "framework/application.h"

// The message window of one thread's hotkey components, alive from the first of them
// to the last. A WM_HOTKEY carries the identifier its key was registered under and
// goes to that component alone; one still queued for a component that is gone finds
// no route and is dropped. Every other message gets the default answer.
class TGlobalHotKey::Router {
 public:
  static std::shared_ptr<Router> ForThisThread() {
    thread_local std::weak_ptr<Router> current;
    if (auto router = current.lock()) return router;
    auto router = std::make_shared<Router>();
    current = router;
    return router;
  }

  HWND Handle() const { return window_.Handle(); }
  void Add(TGlobalHotKey* component) { routes_.push_back(component); }
  void Remove(TGlobalHotKey* component) { std::erase(routes_, component); }

 private:
  void Dispatch(Message& message) {
    if (message.Msg != WM_HOTKEY) {
      message.Result = window_.Default(message);
      return;
    }
    for (TGlobalHotKey* component : routes_) {
      if (static_cast<WPARAM>(component->identifier_) == message.WParam) {
        // Returns at once: the handler may create or destroy components.
        component->NewWndProc(message);
        return;
      }
    }
  }

  std::vector<TGlobalHotKey*> routes_;
  MessageWindow window_{[this](Message& message) { Dispatch(message); }};
};

TGlobalHotKey::TGlobalHotKey(Component* owner) : Component(owner) {
  // The object's address as text gives every component its own string atom, and
  // string atoms (0xC000..0xFFFF) are exactly the range RegisterHotKey wants from a program.
  identifier_ = GlobalAddAtomA(std::to_string(reinterpret_cast<std::uintptr_t>(this)).c_str());
  router_ = Router::ForThisThread();
  router_->Add(this);
}

TGlobalHotKey::~TGlobalHotKey() {
  if (hotKey_ != 0) SetHotKey(0);
  // Off the routes before the identifier is released: a press still queued for this
  // component then reaches nobody.
  router_->Remove(this);
  GlobalDeleteAtom(identifier_);
  router_.reset();
}

HWND TGlobalHotKey::WindowHandle() const { return router_ ? router_->Handle() : nullptr; }

void TGlobalHotKey::SetEnabled(bool value) {
  if (value == active_) return;
  active_ = value;
  if (IsDesigning()) return;
  if (value) {
    // Also with HotKey 0: the system then holds key code 0 without modifiers, which no
    // key press produces, so the component stays armed in effect.
    Register(hotKey_);
  } else if (hotKey_ != 0) {
    UnregisterHotKey(router_->Handle(), identifier_);
  }
}

void TGlobalHotKey::SetHotKey(TShortCut value) {
  // An unchanged value is not registered again, even when the system refused it before.
  if (value == hotKey_) return;
  if (!IsDesigning() && active_) {
    // The old key is deliberately not withdrawn first: callers that change the key
    // of a listening component deactivate it around the change.
    if (value != 0) {
      Register(value);
    } else if (hotKey_ != 0) {
      UnregisterHotKey(router_->Handle(), identifier_);
    }
  }
  hotKey_ = value;
}

void TGlobalHotKey::Register(TShortCut value) {
  std::uint16_t key = 0;
  TShiftState shift;
  ShortCutToKey(value, key, shift);
  UINT modifiers = 0;
  if (shift.Contains(ShiftFlag::Ctrl)) modifiers |= MOD_CONTROL;
  if (shift.Contains(ShiftFlag::Alt)) modifiers |= MOD_ALT;
  if (shift.Contains(ShiftFlag::Shift)) modifiers |= MOD_SHIFT;
  // A key held by another program is not an error of ours: its presses just never come.
  RegisterHotKey(router_->Handle(), identifier_, modifiers, key);
}

void TGlobalHotKey::NewWndProc(Message& message) {
  if (message.Msg != WM_HOTKEY) {
    message.Result = DefWindowProcA(router_->Handle(), message.Msg, message.WParam, message.LParam);
    return;
  }
  if (!OnKeyDown) return;
  // Report the key this component stands for, not what the message says was pressed.
  std::uint16_t key = 0;
  TShiftState shift;
  ShortCutToKey(hotKey_, key, shift);
  try {
    OnKeyDown(this, key, shift);
  } catch (...) {
    // A failing handler must not end hotkey delivery: show the error and keep listening.
    Application::Instance().HandleCurrentException(this);
  }
}
