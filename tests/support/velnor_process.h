#pragma once
// Runs the real velnor.exe (from the test executable's folder) as a user would
// start it, and waits for it the way another program can see it: ready once
// Ctrl+Shift+Z can no longer be registered by anyone else.
#include <windows.h>

#include <string>

// The system's text for an error code, without its line break.
std::string SystemErrorText(DWORD error);

class VelnorProcess {
 public:
  VelnorProcess() = default;
  ~VelnorProcess();  // ends a program still running (Stop)
  VelnorProcess(const VelnorProcess&) = delete;
  VelnorProcess& operator=(const VelnorProcess&) = delete;

  // Starts the program; false when CreateProcess failed, with the system's reason
  // reported to the running test.
  bool Start();
  // Another file to start instead of the built velnor.exe (a copy of it), by full path.
  void SetProgram(std::string path) { program_ = std::move(path); }
  // Another desktop to start it on ("station\\desktop"); the caller's when empty.
  void SetDesktop(std::string path) { desktop_ = std::move(path); }
  // Pumps until the program has made its main window and Ctrl+Shift+Z is taken, or
  // the program ended; true when ready. Says why when it is not.
  bool WaitReady(DWORD timeoutMs = 15000);
  // Waits for the program to end by itself; its exit code, or STILL_ACTIVE on timeout.
  DWORD WaitExit(DWORD timeoutMs = 15000);
  bool Running() const;
  // Ends the program: by closing its main window, else by force.
  void Stop();
  // A top-level window of this program with exactly this title (any title when null),
  // when given of this window class, and when asked for a visible one; or null.
  HWND FindWindowOf(const char* title, const char* className = nullptr, bool shownOnly = false) const;
  // The program's visible top-level windows, front to back, as class and title:
  // "#32770 'Velnor'", joined by ", "; empty when none is visible.
  std::string VisibleWindows() const;
  // Whether such a window is visible.
  bool Shows(const char* title, const char* className = nullptr) const;
  // Pumps until such a window is visible and the program has settled
  // (WaitSettled), so the window is on the X display as well; it, or null on timeout.
  HWND WaitShownWindow(const char* title, const char* className = nullptr, DWORD timeoutMs = 5000) const;
  // Sends one message to the application window ("VelnorApplication") and waits for
  // its answer: the program's window thread has come back to reading messages since
  // the call; false when it did not answer in time.
  bool WaitSettled(DWORD timeoutMs = 5000) const;

  HANDLE Process() const { return process_; }
  DWORD Id() const { return id_; }

 private:
  void Close();

  HANDLE process_ = nullptr;
  DWORD id_ = 0;
  std::string program_;
  std::string desktop_;
};

// The folder of the running test executable, ending with a backslash.
std::string TestBinaryFolder();
