#include "held_keys.h"

namespace {
void Send(const std::vector<BYTE>& keys, DWORD flags) {
  for (BYTE key : keys) keybd_event(key, 0, flags, 0);
}

void ReleaseThoseDown(const std::vector<BYTE>& keys) {
  std::vector<BYTE> down;
  for (BYTE key : keys) {
    if (IsKeyDown(key)) down.push_back(key);
  }
  Send(down, KEYEVENTF_KEYUP);
}
}  // namespace

KeysHeld::KeysHeld(std::vector<BYTE> keys) : keys_(std::move(keys)) { Send(keys_, 0); }

bool KeysHeld::AllDown() const {
  for (BYTE key : keys_) {
    if (!IsKeyDown(key)) return false;
  }
  return true;
}

KeysHeld::~KeysHeld() { ReleaseThoseDown({keys_.rbegin(), keys_.rend()}); }

bool IsKeyDown(BYTE key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

void ReleaseHeldKeys() { ReleaseThoseDown({VK_CONTROL, VK_MENU, VK_SHIFT, 'V'}); }
