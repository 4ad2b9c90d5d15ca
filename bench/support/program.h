#pragma once
// A program under test, started with CreateProcess. Its command line carries a token
// of its own (the programs ignore their command line) so its Unix process can be
// found in /proc. It is ended the clean way: WM_QUIT to its main thread, which runs
// the message loop, and only when that does not end it, TerminateProcess.
#include <windows.h>

#include <string>

class RunningProgram {
 public:
  // Throws std::runtime_error when the program cannot be started.
  RunningProgram(const std::string& exe, const std::string& arguments = "");
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  double StartedAtMs() const { return startedAt_; }  // just before CreateProcess
  HANDLE Process() const { return info_.hProcess; }
  DWORD Id() const { return info_.dwProcessId; }
  const std::string& Token() const { return token_; }
  // True, with the exit code, once the process has ended.
  bool HasExited(DWORD& code) const;
  // True when the program ended by itself after WM_QUIT; false when it had to be killed.
  bool Stop();

 private:
  PROCESS_INFORMATION info_{};
  std::string token_;
  double startedAt_ = 0;
  bool stopped_ = false;
};

// The Windows form of a path given on the driver's command line (bench/run passes
// paths relative to the checkout with forward slashes).
std::string WindowsPath(std::string path);
