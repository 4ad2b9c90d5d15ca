#include "key_input.h"

#include <vector>

KeySequence& KeySequence::Add(UINT key, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(key);
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = flags;
  inputs_.push_back(input);
  return *this;
}

KeySequence& KeySequence::Down(UINT key) { return Add(key, 0); }
KeySequence& KeySequence::Up(UINT key) { return Add(key, KEYEVENTF_KEYUP); }

void KeySequence::Send() const {
  SendInput(static_cast<UINT>(inputs_.size()), const_cast<INPUT*>(inputs_.data()), sizeof(INPUT));
}

void PressHotkey(UINT modifiers, UINT key) {
  std::vector<UINT> held;
  if (modifiers & MOD_CONTROL) held.push_back(VK_CONTROL);
  if (modifiers & MOD_ALT) held.push_back(VK_MENU);
  if (modifiers & MOD_SHIFT) held.push_back(VK_SHIFT);

  KeySequence keys;
  for (UINT vk : held) keys.Down(vk);
  keys.Down(key).Up(key);
  for (auto it = held.rbegin(); it != held.rend(); ++it) keys.Up(*it);
  keys.Send();
}

void PressKey(UINT key) { PressHotkey(0, key); }

void TypeText(const std::string& text) {
  for (char c : text) {
    const SHORT scan = VkKeyScanA(c);
    PressHotkey((HIBYTE(scan) & 1) ? MOD_SHIFT : 0, LOBYTE(scan));
  }
}

void TypeCharacter(wchar_t character) {
  INPUT inputs[2] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = static_cast<WORD>(character);
    input.ki.dwFlags = KEYEVENTF_UNICODE;
  }
  inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof(INPUT));
}
