#include "bench/support/program.h"

#include <stdexcept>

#include "bench/support/clock.h"

namespace {
int nextRun = 0;
}

std::string WindowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

RunningProgram::RunningProgram(const std::string& exe, const std::string& arguments) {
  token_ = "velnor-bench-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++nextRun);
  std::string commandLine = "\"" + WindowsPath(exe) + "\" " + token_;
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startedAt_ = NowMs();
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info_))
    throw std::runtime_error("cannot start " + exe + " (error " + std::to_string(GetLastError()) + ")");
}

RunningProgram::~RunningProgram() {
  Stop();
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool RunningProgram::HasExited(DWORD& code) const {
  if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(info_.hProcess, &code);
  return true;
}

bool RunningProgram::Stop() {
  if (stopped_) return true;
  stopped_ = true;
  DWORD code;
  if (HasExited(code)) return true;
  PostThreadMessageA(info_.dwThreadId, WM_QUIT, 0, 0);
  if (WaitForSingleObject(info_.hProcess, 5000) == WAIT_OBJECT_0) return true;
  TerminateProcess(info_.hProcess, 99);
  WaitForSingleObject(info_.hProcess, 5000);
  return false;
}
