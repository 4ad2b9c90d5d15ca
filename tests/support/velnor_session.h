#pragma once
// One run of the real program for an end-to-end test. Made before the program starts:
// it writes the store and remembers the notification area without the program's
// icon. At the end it ends the program and removes the store, so nothing carries over.
#include <windows.h>

#include <string>
#include <vector>

#include "notification_area.h"
#include "slot_store.h"
#include "target_window.h"
#include "velnor_process.h"

struct SlotAt {
  int index;  // 0..9; stored under the number index + 1
  StoredSlot slot;
};

// The MOD_* flags of a stored slot's hotkey.
UINT HotkeyModifiers(const StoredSlot& slot);

class VelnorSession {
 public:
  explicit VelnorSession(const std::vector<SlotAt>& slots);
  ~VelnorSession();
  VelnorSession(const VelnorSession&) = delete;
  VelnorSession& operator=(const VelnorSession&) = delete;

  // Starts the program and waits until it is ready, its icon shown and its window
  // thread back in its message loop; false when any of that did not happen.
  bool Start();
  // Pumps until the target's text is exactly this.
  bool TextArrives(const std::string& text, DWORD timeoutMs = 5000);
  // The same, then until the program has let go of Ctrl, the last key of its Ctrl+V:
  // Wine injects another process's key events one at a time, so a press made before
  // that would mingle with them and lose its hotkey.
  bool PasteArrives(const std::string& text);
  // Presses Ctrl+Shift+Z and waits for the quick-select popup; it, or null.
  HWND OpenQuickSelect() const;
  // Pumps until the quick-select popup is gone.
  bool QuickSelectGone() const;

  NotificationArea tray;  // taken first: before the program adds its icon
  VelnorProcess velnor;
  TargetWindow target;  // hidden until a test activates it
};
