#include "key_recorder.h"

#include <cstdio>
#include <stdexcept>

namespace {
KeyRecorder* active = nullptr;  // a low-level hook procedure has no context of its own
}  // namespace

KeyRecorder::KeyRecorder(Delivery delivery) : delivery_(delivery) {
  if (active) throw std::logic_error("one KeyRecorder at a time");
  active = this;
  hook_ = SetWindowsHookExA(WH_KEYBOARD_LL, &KeyRecorder::Hook, GetModuleHandleA(nullptr), 0);
  if (!hook_) {
    active = nullptr;
    throw std::runtime_error("cannot install the low-level keyboard hook");
  }
}

KeyRecorder::~KeyRecorder() {
  UnhookWindowsHookEx(hook_);
  active = nullptr;
}

LRESULT CALLBACK KeyRecorder::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && active) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    active->events_.push_back({key->vkCode, (key->flags & LLKHF_UP) != 0, (key->flags & LLKHF_INJECTED) != 0,
                               std::chrono::steady_clock::now()});
    if (active->delivery_ == Delivery::Swallow) return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

namespace {
std::string Join(const std::vector<KeyEvent>& events, bool injectedOnly) {
  std::string text;
  for (const KeyEvent& event : events) {
    if (injectedOnly && !event.injected) continue;
    if (!text.empty()) text += ", ";
    text += Describe(event);
  }
  return text;
}
}  // namespace

std::string KeyRecorder::Sequence() const { return Join(events_, false); }

std::string KeyRecorder::InjectedSequence() const { return Join(events_, true); }

std::string KeyName(DWORD vk) {
  if (vk == VK_CONTROL || vk == VK_LCONTROL || vk == VK_RCONTROL) return "Ctrl";
  if (vk == VK_SHIFT || vk == VK_LSHIFT || vk == VK_RSHIFT) return "Shift";
  if (vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU) return "Alt";
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::string(1, static_cast<char>(vk));
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%02lX", static_cast<unsigned long>(vk));
  return hex;
}

std::string Describe(const KeyEvent& event) { return KeyName(event.vk) + (event.up ? " up" : " down"); }
