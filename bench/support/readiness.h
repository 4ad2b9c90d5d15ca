#pragma once
// When a started program is ready: the keys it registers are taken (probed with
// RegisterHotKey) and, for a program with a notification icon, the shell has added
// the icon.
//
// The icon is seen from outside through Wine's explorer, which owns the notification
// area: for every NIM_ADD it creates a top-level tooltip window for the new icon
// (newer Wine also a "__wine_tray_icon" window), on its own thread, while the
// program's Shell_NotifyIcon call waits for it. A program without an icon makes
// none. TrayWatch remembers explorer's windows before a start and reports the first
// new one.
#include <windows.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "bench/support/hotkeys.h"
#include "bench/support/program.h"

class TrayWatch {
 public:
  TrayWatch();  // snapshot of the notification area's windows now
  bool Available() const { return thread_ != 0; }
  bool NewIconAdded();
  // Centre of the rightmost icon slot of the taskbar, where a single icon sits.
  POINT IconPosition() const;

 private:
  DWORD thread_ = 0;
  HWND tray_ = nullptr;
  std::set<HWND> known_;
};

struct ReadyWait {
  std::vector<HotkeyChord> keys;  // all must be taken
  TrayWatch* tray = nullptr;      // when set, an icon must be added as well
  double timeoutMs = 5000;        // from the start
  double pollMs = 1;
};

struct ReadyTimes {
  double keysMs = -1;  // from CreateProcess until the last key was seen taken; -1: not seen
  double trayMs = -1;  // until the icon was seen added; -1: not seen or not asked for
  bool exited = false;
  DWORD exitCode = 0;
  bool Ready(const ReadyWait& wait) const { return keysMs >= 0 && (!wait.tray || trayMs >= 0); }
  double ReadyMs() const { return keysMs > trayMs ? keysMs : trayMs; }
};

ReadyTimes WaitReady(const RunningProgram& program, const ReadyWait& wait);

// Starts a program for a benchmark that does not time its start. The keys are
// probed only after a pause longer than any start, so the probe cannot take a key
// from under the program; then it waits until they are all taken. Throws
// std::runtime_error when they are not within 10 s or the program ends.
std::unique_ptr<RunningProgram> StartSettled(const std::string& exe, const std::string& arguments,
                                             const std::vector<HotkeyChord>& keys);
