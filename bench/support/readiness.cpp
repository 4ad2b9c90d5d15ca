#include "bench/support/readiness.h"

#include <cstring>
#include <stdexcept>

#include "bench/support/clock.h"
#include "bench/support/window_list.h"

namespace {

std::vector<HWND> ThreadWindows(DWORD thread) {
  std::vector<HWND> windows;
  EnumThreadWindows(thread, AppendWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool IsIconWindow(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return std::strcmp(name, "tooltips_class32") == 0 || std::strcmp(name, "__wine_tray_icon") == 0;
}

}  // namespace

TrayWatch::TrayWatch() {
  tray_ = FindWindowA("Shell_TrayWnd", nullptr);
  if (!tray_) return;
  thread_ = GetWindowThreadProcessId(tray_, nullptr);
  for (HWND w : ThreadWindows(thread_)) known_.insert(w);
}

bool TrayWatch::NewIconAdded() {
  if (!thread_) return false;
  for (HWND w : ThreadWindows(thread_)) {
    if (known_.count(w)) continue;
    known_.insert(w);  // a window of another kind is looked at once
    if (IsIconWindow(w)) return true;
  }
  return false;
}

POINT TrayWatch::IconPosition() const {
  RECT r{};
  GetWindowRect(tray_, &r);
  const int height = r.bottom - r.top;
  return {r.right - height / 2 - 1, (r.top + r.bottom) / 2};
}

ReadyTimes WaitReady(const RunningProgram& program, const ReadyWait& wait) {
  ReadyTimes times;
  size_t taken = 0;
  for (;;) {
    const double now = NowMs() - program.StartedAtMs();
    while (taken < wait.keys.size() && HotkeyTaken(wait.keys[taken])) ++taken;
    if (taken == wait.keys.size() && times.keysMs < 0) times.keysMs = now;
    if (wait.tray && times.trayMs < 0 && wait.tray->NewIconAdded()) times.trayMs = now;
    if (times.Ready(wait)) return times;
    if (program.HasExited(times.exitCode)) {
      times.exited = true;
      return times;
    }
    if (now > wait.timeoutMs) return times;
    Sleep(static_cast<DWORD>(wait.pollMs));
  }
}

std::unique_ptr<RunningProgram> StartSettled(const std::string& exe, const std::string& arguments,
                                             const std::vector<HotkeyChord>& keys) {
  auto program = std::make_unique<RunningProgram>(exe, arguments);
  Sleep(1500);
  const ReadyTimes times = WaitReady(*program, {keys, nullptr, 10000, 5});
  if (times.exited) throw std::runtime_error(exe + " ended with code " + std::to_string(times.exitCode));
  if (times.keysMs < 0) throw std::runtime_error(exe + " did not register its hotkeys");
  return program;
}
