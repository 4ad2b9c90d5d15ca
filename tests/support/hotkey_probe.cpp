#include "hotkey_probe.h"

#include <stdexcept>
#include <string>
#include <thread>

namespace {
// Thread hotkeys (no window) take identifiers below 0xC000; the probe's own thread
// never has a second registration, so one fixed identifier serves.
constexpr int kProbeId = 0xB000;
}  // namespace

bool IsHotkeyTaken(UINT modifiers, UINT key) {
  DWORD error = 0;
  std::thread([&] {
    if (RegisterHotKey(nullptr, kProbeId, modifiers, key)) {
      UnregisterHotKey(nullptr, kProbeId);
    } else {
      error = GetLastError();
    }
  }).join();
  if (error == 0) return false;
  if (error == ERROR_HOTKEY_ALREADY_REGISTERED) return true;
  throw std::runtime_error("RegisterHotKey failed with error " + std::to_string(error));
}

HotkeyHolder::HotkeyHolder(UINT modifiers, UINT key) {
  static int nextId = kProbeId + 1;
  id_ = nextId++;
  held_ = RegisterHotKey(nullptr, id_, modifiers, key) != FALSE;
}

HotkeyHolder::~HotkeyHolder() {
  if (held_) UnregisterHotKey(nullptr, id_);
}
