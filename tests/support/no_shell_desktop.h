#pragma once
// A window station of its own with one desktop, where no shell runs and so there is
// no notification area: Shell_NotifyIcon fails there as it does on a system whose
// taskbar has not started. A program is started there through lpDesktop; what it
// made is seen from Run(), whose work runs on a thread attached to that desktop with
// the process switched to that window station meanwhile (windows and hotkeys belong
// to a desktop, atoms and the clipboard to a window station). Under Wine, threads the
// process makes afterwards start on that desktop too, so a test using it is best an
// executable of its own.
#include <windows.h>

#include <functional>
#include <string>

class NoShellDesktop {
 public:
  NoShellDesktop();  // made under a name of this process's own; Made() tells
  ~NoShellDesktop();
  NoShellDesktop(const NoShellDesktop&) = delete;
  NoShellDesktop& operator=(const NoShellDesktop&) = delete;

  bool Made() const { return station_ && desktop_; }
  // "station\desktop", for STARTUPINFO.lpDesktop.
  const std::string& Path() const { return path_; }
  // Runs work there and returns when it has; false when the thread could not be
  // attached to the desktop. The thread pumps only what work pumps. Work must not
  // assert: the test framework's per-thread state crashes the thread's exit, so it
  // notes what it saw for the caller to check.
  bool Run(const std::function<void()>& work) const;

 private:
  HWINSTA station_ = nullptr;
  HDESK desktop_ = nullptr;
  std::string path_;
};
