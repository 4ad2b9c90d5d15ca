#include "components/system/global_hotkey.h"

#include <string>

#include "framework/application.h"

TGlobalHotKey::TGlobalHotKey(Component* owner) : Component(owner) {
  // The object's address as text gives every component its own string atom, and
  // string atoms (0xC000..0xFFFF) are exactly the range RegisterHotKey wants from a program.
  identifier_ = GlobalAddAtomA(std::to_string(reinterpret_cast<std::uintptr_t>(this)).c_str());
  window_ = std::make_unique<MessageWindow>([this](Message& message) { NewWndProc(message); });
}

TGlobalHotKey::~TGlobalHotKey() {
  if (hotKey_ != 0) SetHotKey(0);
  GlobalDeleteAtom(identifier_);
  window_.reset();
}

void TGlobalHotKey::SetEnabled(bool value) {
  if (value == active_) return;
  active_ = value;
  if (IsDesigning()) return;
  if (value) {
    // Also with HotKey 0: the system then holds key code 0 without modifiers, which no
    // key press produces, so the component stays armed in effect.
    Register(hotKey_);
  } else if (hotKey_ != 0) {
    UnregisterHotKey(window_->Handle(), identifier_);
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
      UnregisterHotKey(window_->Handle(), identifier_);
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
  RegisterHotKey(window_->Handle(), identifier_, modifiers, key);
}

void TGlobalHotKey::NewWndProc(Message& message) {
  if (message.Msg != WM_HOTKEY) {
    message.Result = window_->Default(message);
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
