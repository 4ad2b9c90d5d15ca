#include "velnor_process.h"

#include <doctest.h>

#include <vector>

#include "hotkey_probe.h"
#include "wait.h"
#include "window_class.h"

namespace {
constexpr char kMainWindowTitle[] = "Velnor Preferences";
}  // namespace

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
  std::string command = "\"" + (program_.empty() ? TestBinaryFolder() + "velnor.exe" : program_) + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!desktop_.empty()) startup.lpDesktop = desktop_.data();
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    const DWORD error = GetLastError();
    MESSAGE("CreateProcess of " << command << " failed: " << SystemErrorText(error) << " (error " << error
                                << ")");
    return false;
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
  return true;
}

bool VelnorProcess::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool VelnorProcess::WaitReady(DWORD timeoutMs) {
  // Probing the key means registering it for a moment: a probe while the program is
  // still starting would itself be the other program that owns Ctrl+Shift+Z, and the
  // program would run on without it. The program registers the key before it makes
  // its main window, so the key is probed only once that window exists.
  auto ready = [&] { return FindWindowOf(kMainWindowTitle) && IsHotkeyTaken(MOD_CONTROL | MOD_SHIFT, 'Z'); };
  if (PumpUntil([&] { return !Running() || ready(); }, timeoutMs) && Running()) return true;
  DWORD code = STILL_ACTIVE;
  if (process_) GetExitCodeProcess(process_, &code);
  if (code == STILL_ACTIVE)
    MESSAGE("velnor.exe still runs but did not take Ctrl+Shift+Z within "
            << timeoutMs << " ms; main window made: " << (FindWindowOf(kMainWindowTitle) != nullptr)
            << ", visible windows: " << VisibleWindows());
  else
    MESSAGE("velnor.exe ended with exit code " << code << " before it took Ctrl+Shift+Z");
  return false;
}

DWORD VelnorProcess::WaitExit(DWORD timeoutMs) {
  if (!process_) return STILL_ACTIVE;
  PumpUntil([&] { return !Running(); }, timeoutMs);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_, &code);
  return code;
}

std::string SystemErrorText(DWORD error) {
  char text[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                      error, 0, text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return message.empty() ? "no text for this error" : message;
}

namespace {
std::string TitleOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

struct ProcessWindows {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ProcessWindows*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->pid) search->found.push_back(window);
  return TRUE;
}

// The top-level windows of one process, front to back.
std::vector<HWND> WindowsOf(DWORD pid) {
  ProcessWindows search{pid, {}};
  EnumWindows(&CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
}  // namespace

HWND VelnorProcess::FindWindowOf(const char* title, const char* className, bool shownOnly) const {
  for (HWND window : WindowsOf(id_))
    if ((!title || TitleOf(window) == title) && (!className || ClassOf(window) == className) &&
        (!shownOnly || IsWindowVisible(window)))
      return window;
  return nullptr;
}

std::string VelnorProcess::VisibleWindows() const {
  std::string list;
  for (HWND window : WindowsOf(id_))
    if (IsWindowVisible(window))
      list += (list.empty() ? "" : ", ") + ClassOf(window) + " '" + TitleOf(window) + "'";
  return list;
}

bool VelnorProcess::Shows(const char* title, const char* className) const {
  return FindWindowOf(title, className, true) != nullptr;
}

HWND VelnorProcess::WaitShownWindow(const char* title, const char* className, DWORD timeoutMs) const {
  if (!PumpUntil([&] { return Shows(title, className); }, timeoutMs) || !WaitSettled(timeoutMs))
    return nullptr;
  return FindWindowOf(title, className, true);
}

bool VelnorProcess::WaitSettled(DWORD timeoutMs) const {
  HWND application = FindWindowOf(nullptr, "VelnorApplication");
  DWORD_PTR answer = 0;
  return application && SendMessageTimeoutA(application, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &answer) != 0;
}

void VelnorProcess::Stop() {
  if (!Running()) return;
  // An open menu runs a message loop of its own, and Wine's drops the quit message
  // that closing the main window posts: cancel the menu first.
  if (Shows(nullptr, "#32768"))
    if (HWND application = FindWindowOf(nullptr, "VelnorApplication"))
      PostMessageA(application, WM_CANCELMODE, 0, 0);
  // Closing the main window is the program's own way to quit, shown or not.
  if (HWND main = FindWindowOf(kMainWindowTitle)) PostMessageA(main, WM_CLOSE, 0, 0);
  if (WaitExit(5000) != STILL_ACTIVE) return;
  TerminateProcess(process_, 0xDEAD);
  WaitForSingleObject(process_, 5000);
}

void VelnorProcess::Close() {
  if (process_) CloseHandle(process_);
  process_ = nullptr;
}
