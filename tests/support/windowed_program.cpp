#include "windowed_program.h"

#include <doctest.h>

#include "velnor_process.h"
#include "wait.h"

namespace {
struct Search {
  DWORD id;
  HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->id || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND VisibleWindowOf(DWORD id) {
  Search search{id, nullptr};
  EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
}  // namespace

WindowedProgram::WindowedProgram(const std::string& commandLine) {
  std::string command = commandLine;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    const DWORD error = GetLastError();
    MESSAGE("CreateProcess of " << commandLine << " failed: " << SystemErrorText(error));
    return;
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
  if (!PumpUntil([&] { return (window_ = VisibleWindowOf(id_)) != nullptr; }, 10000))
    MESSAGE(commandLine << " showed no window within 10 s");
}

WindowedProgram::~WindowedProgram() {
  if (!process_) return;
  if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
  if (!PumpUntil([&] { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }))
    TerminateProcess(process_, 1);
  CloseHandle(process_);
}
