#include "velnor_process.h"

#include "hotkey_probe.h"
#include "wait.h"

std::string TestBinaryFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.erase(folder.find_last_of("\\/") + 1);
  return folder;
}

VelnorProcess::~VelnorProcess() {
  Stop();
  Close();
}

bool VelnorProcess::Start() {
  Close();
  std::string command = "\"" + TestBinaryFolder() + "velnor.exe\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return false;
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
  return true;
}

bool VelnorProcess::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool VelnorProcess::WaitReady(DWORD timeoutMs) {
  return PumpUntil([&] { return !Running() || IsHotkeyTaken(MOD_CONTROL | MOD_SHIFT, 'Z'); }, timeoutMs) &&
         Running();
}

DWORD VelnorProcess::WaitExit(DWORD timeoutMs) {
  if (!process_) return STILL_ACTIVE;
  PumpUntil([&] { return !Running(); }, timeoutMs);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_, &code);
  return code;
}

namespace {
struct WindowSearch {
  DWORD pid;
  const char* title;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  if (pid != search->pid || lstrcmpA(text, search->title) != 0) return TRUE;
  search->found = window;
  return FALSE;
}
}  // namespace

HWND VelnorProcess::FindWindowOf(const char* title) const {
  WindowSearch search{id_, title, nullptr};
  EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void VelnorProcess::Stop() {
  if (!Running()) return;
  // Closing the main window is the program's own way to quit, shown or not.
  if (HWND main = FindWindowOf("Velnor Preferences")) PostMessageA(main, WM_CLOSE, 0, 0);
  if (WaitExit(5000) != STILL_ACTIVE) return;
  TerminateProcess(process_, 0xDEAD);
  WaitForSingleObject(process_, 5000);
}

void VelnorProcess::Close() {
  if (process_) CloseHandle(process_);
  process_ = nullptr;
}
