#pragma once
// Another Windows program run for a test, started by its command line and waited for
// until it shows a window; closed through that window at the end, by force when it
// does not end.
#include <windows.h>

#include <string>

class WindowedProgram {
 public:
  explicit WindowedProgram(const std::string& commandLine);
  ~WindowedProgram();
  WindowedProgram(const WindowedProgram&) = delete;
  WindowedProgram& operator=(const WindowedProgram&) = delete;

  // Its first visible top-level window, or null when it did not start or show one.
  HWND Window() const { return window_; }

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
  HWND window_ = nullptr;
};
