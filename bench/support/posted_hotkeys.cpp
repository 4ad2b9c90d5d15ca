#include "bench/support/posted_hotkeys.h"

#include <stdexcept>
#include <string>

#include "bench/support/dialogs.h"
#include "bench/support/hotkeys.h"
#include "bench/support/target.h"

namespace {
// The program's message-only windows: one of them routes its hotkeys, the others
// ignore a WM_HOTKEY.
std::vector<HWND> MessageWindowsOf(DWORD processId) {
  std::vector<HWND> windows;
  for (HWND window = nullptr; (window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) != nullptr;) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId) windows.push_back(window);
  }
  return windows;
}

// The program names each hotkey by a global string atom of its own; which is which
// is learnt by trying. Atoms of other programs do nothing when posted.
std::vector<ATOM> StringAtoms() {
  std::vector<ATOM> atoms;
  char name[64];
  for (unsigned atom = 0xC000; atom <= 0xFFFF; ++atom) {
    if (GlobalGetAtomNameA(static_cast<ATOM>(atom), name, sizeof name) == 0) continue;
    bool digits = name[0] != 0;
    for (const char* c = name; *c; ++c) digits = digits && *c >= '0' && *c <= '9';
    if (digits) atoms.push_back(static_cast<ATOM>(atom));
  }
  return atoms;
}
}  // namespace

PostedHotkeys::PostedHotkeys(const RunningProgram& program, const std::function<int(double)>& pasted,
                             int slotsWanted)
    : windows_(MessageWindowsOf(program.Id())), identifiers_(static_cast<size_t>(slotsWanted), 0) {
  const std::vector<ATOM> atoms = StringAtoms();
  for (ATOM atom : atoms) {
    for (HWND window : windows_) PostMessageA(window, WM_HOTKEY, atom, 0);
    const int slot = pasted(400);
    if (slot >= 0 && slot < slotsWanted) identifiers_[static_cast<size_t>(slot)] = atom;
    if (HWND popup = ShownWindowOf(program.Id(), "FormQuickSel")) {
      PressKey(VK_ESCAPE);
      PumpUntil([&] { return !IsWindowVisible(popup); }, 3000);
    }
  }
  for (int slot = 0; slot < slotsWanted; ++slot)
    if (!identifiers_[static_cast<size_t>(slot)])
      throw std::runtime_error("no hotkey identifier of the program pastes slot " + std::to_string(slot + 1));
}

void PostedHotkeys::Press(int index) const {
  for (HWND window : windows_)
    PostMessageA(window, WM_HOTKEY, identifiers_.at(static_cast<size_t>(index)), 0);
}
