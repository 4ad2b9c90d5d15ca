#pragma once
// Sees what a program asks the shell to open, without opening it: while one of these
// lives, the prefix's handler for web addresses is Wine's own reg.exe, which writes
// the address it was given into a registry value of the test's. No browser starts
// and nothing reaches a network. The prefix's handler is put back at the end.
#include <windows.h>

#include <string>

class ShellOpenRecorder {
 public:
  ShellOpenRecorder();
  ~ShellOpenRecorder();
  ShellOpenRecorder(const ShellOpenRecorder&) = delete;
  ShellOpenRecorder& operator=(const ShellOpenRecorder&) = delete;

  // Whether the handler was put in place.
  bool Ready() const { return ready_; }
  // The last address opened, or empty when none was.
  std::string Opened() const;
  // Pumps until an address was opened; it, or empty on timeout.
  std::string WaitOpened(DWORD timeoutMs = 10000) const;

 private:
  bool ready_ = false;
  bool hadCommand_ = false;
  std::string savedCommand_;
};
