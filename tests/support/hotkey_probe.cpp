#include "hotkey_probe.h"

#include <stdexcept>
#include <string>
#include <thread>

namespace {
// Thread hotkeys (no window) take identifiers below 0xC000; the probe's own thread
// never has a second registration, so one fixed identifier serves.
constexpr int kProbeId = 0xB000;

// Registers the key for the calling thread and withdraws it at once; 0 when that
// worked, else the system's error.
DWORD TryRegisterHotkey(UINT modifiers, UINT key) {
  if (!RegisterHotKey(nullptr, kProbeId, modifiers, key)) return GetLastError();
  UnregisterHotKey(nullptr, kProbeId);
  return 0;
}
}  // namespace

bool IsHotkeyTaken(UINT modifiers, UINT key) {
  DWORD error = 0;
  std::thread([&] { error = TryRegisterHotkey(modifiers, key); }).join();
  if (error == 0) return false;
  if (error == ERROR_HOTKEY_ALREADY_REGISTERED) return true;
  throw std::runtime_error("RegisterHotKey failed with error " + std::to_string(error));
}

bool HotkeyTakenOnThisDesktop(UINT modifiers, UINT key) {
  return TryRegisterHotkey(modifiers, key) == ERROR_HOTKEY_ALREADY_REGISTERED;
}

HotkeyHolder::HotkeyHolder(UINT modifiers, UINT key) {
  static int nextId = kProbeId + 1;
  id_ = nextId++;
  window_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (!window_) throw std::runtime_error("cannot create the hotkey holder's window");
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HotkeyHolder::Procedure));
  held_ = RegisterHotKey(window_, id_, modifiers, key) != FALSE;
}

HotkeyHolder::~HotkeyHolder() {
  if (held_) UnregisterHotKey(window_, id_);
  DestroyWindow(window_);
}

LRESULT CALLBACK HotkeyHolder::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_HOTKEY) {
    ++reinterpret_cast<HotkeyHolder*>(GetWindowLongPtrA(window, GWLP_USERDATA))->presses_;
    return 0;
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}
