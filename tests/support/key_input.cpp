#include "key_input.h"

#include <vector>

void PressHotkey(UINT modifiers, UINT key) {
  std::vector<WORD> held;
  if (modifiers & MOD_CONTROL) held.push_back(VK_CONTROL);
  if (modifiers & MOD_ALT) held.push_back(VK_MENU);
  if (modifiers & MOD_SHIFT) held.push_back(VK_SHIFT);

  std::vector<INPUT> inputs;
  auto add = [&inputs](WORD vk, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (WORD vk : held) add(vk, 0);
  add(static_cast<WORD>(key), 0);
  add(static_cast<WORD>(key), KEYEVENTF_KEYUP);
  for (auto it = held.rbegin(); it != held.rend(); ++it) add(*it, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
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
