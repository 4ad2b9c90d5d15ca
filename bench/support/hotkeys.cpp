#include "bench/support/hotkeys.h"

#include <stdexcept>
#include <vector>

namespace {

constexpr int kProbeId = 0xB00;

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void SetValue(HKEY key, const std::string& name, DWORD type, const void* data, DWORD size) {
  if (RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
    throw std::runtime_error("cannot write the slot value " + name);
}

}  // namespace

HotkeyChord SlotKey(int index) { return {MOD_CONTROL | MOD_ALT, static_cast<UINT>('0' + (index + 1) % 10)}; }

std::string SlotText(int index) { return "velnor bench " + std::to_string(index + 1); }

void StoreBenchSlots() {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Dastrel\\Velnor", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot create HKCU\\Software\\Dastrel\\Velnor");
  try {
    for (int i = 0; i < kBenchSlots; ++i) {
      char n[3] = {static_cast<char>('0' + (i + 1) / 10), static_cast<char>('0' + (i + 1) % 10), 0};
      const std::string display = "Slot " + std::to_string(i + 1), paste = SlotText(i);
      const char keyCode[2] = {static_cast<char>(SlotKey(i).key), 0};
      const DWORD on = 1, off = 0;
      SetValue(key, std::string("DisplayText") + n, REG_SZ, display.c_str(), DWORD(display.size() + 1));
      SetValue(key, std::string("PasteText") + n, REG_SZ, paste.c_str(), DWORD(paste.size() + 1));
      SetValue(key, std::string("IsCTRL") + n, REG_DWORD, &on, sizeof on);
      SetValue(key, std::string("IsALT") + n, REG_DWORD, &on, sizeof on);
      SetValue(key, std::string("IsSHIFT") + n, REG_DWORD, &off, sizeof off);
      SetValue(key, std::string("KeyCode") + n, REG_SZ, keyCode, sizeof keyCode);
    }
  } catch (...) {
    RegCloseKey(key);
    throw;
  }
  RegCloseKey(key);
}

bool HotkeyTaken(HotkeyChord key) {
  if (RegisterHotKey(nullptr, kProbeId, key.modifiers, key.key)) {
    UnregisterHotKey(nullptr, kProbeId);
    return false;
  }
  return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
}

void PressHotkey(HotkeyChord key) {
  std::vector<WORD> modifiers;
  if (key.modifiers & MOD_CONTROL) modifiers.push_back(VK_CONTROL);
  if (key.modifiers & MOD_ALT) modifiers.push_back(VK_MENU);
  if (key.modifiers & MOD_SHIFT) modifiers.push_back(VK_SHIFT);
  std::vector<INPUT> inputs;
  for (WORD m : modifiers) inputs.push_back(KeyInput(m, false));
  inputs.push_back(KeyInput(static_cast<WORD>(key.key), false));
  inputs.push_back(KeyInput(static_cast<WORD>(key.key), true));
  for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) inputs.push_back(KeyInput(*m, true));
  Send(std::move(inputs));
}

void PressKey(WORD key) { Send({KeyInput(key, false), KeyInput(key, true)}); }

void DoubleClickAt(POINT screen) {
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  move.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  INPUT down = move, up = move;
  down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  Send({move, down, up, down, up});
}
