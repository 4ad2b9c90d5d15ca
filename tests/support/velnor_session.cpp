#include "velnor_session.h"

#include <doctest.h>

#include "held_keys.h"
#include "key_input.h"
#include "screenshot.h"
#include "wait.h"

UINT HotkeyModifiers(const StoredSlot& slot) {
  return (slot.ctrl == 1 ? MOD_CONTROL : 0) | (slot.alt == 1 ? MOD_ALT : 0) |
         (slot.shift == 1 ? MOD_SHIFT : 0);
}

VelnorSession::VelnorSession(const std::vector<SlotAt>& slots) {
  ClearStore();
  for (const SlotAt& entry : slots) WriteStoredSlot(entry.index + 1, entry.slot);
}

VelnorSession::~VelnorSession() {
  velnor.Stop();
  // A program ended by force leaves its icon behind, where the next test's would go.
  if (!tray.WaitIconShown(false, 1000)) tray.DropStaleIcon();
  ClearStore();
}

bool VelnorSession::Start() {
  if (velnor.Start() && velnor.WaitReady() && tray.WaitIconShown(true, 10000) && velnor.WaitSettled())
    return true;
  // What the desktop shows instead is the best clue to a start that did not finish.
  MESSAGE("the program did not get ready; running: " << velnor.Running()
                                                     << ", visible windows: " << velnor.VisibleWindows());
  SaveScreenshot("e2e-start-failure");
  return false;
}

bool VelnorSession::TextArrives(const std::string& text, DWORD timeoutMs) {
  if (PumpUntil([&] { return target.Text() == text; }, timeoutMs)) return true;
  // Where the keys went instead is the clue: the foreground window has them.
  char title[128] = {}, className[64] = {};
  HWND foreground = GetForegroundWindow();
  GetWindowTextA(foreground, title, sizeof title);
  GetClassNameA(foreground, className, sizeof className);
  MESSAGE("waited " << timeoutMs << " ms for the target to hold '" << text << "'; it holds '" << target.Text()
                    << "'; the foreground window is " << className << " '" << title
                    << "'; the program's visible windows: " << velnor.VisibleWindows());
  return false;
}

bool VelnorSession::PasteArrives(const std::string& text) {
  if (!TextArrives(text)) return false;
  if (PumpUntil([] { return !IsKeyDown(VK_CONTROL); })) return true;
  MESSAGE("the paste of '" << text << "' landed, but Ctrl stayed down");
  return false;
}

HWND VelnorSession::OpenQuickSelect() const {
  PressHotkey(MOD_CONTROL | MOD_SHIFT, 'Z');
  return velnor.WaitShownWindow("FormQuickSel");
}

bool VelnorSession::QuickSelectGone() const {
  return PumpUntil([&] { return velnor.FindWindowOf("FormQuickSel") == nullptr; });
}
