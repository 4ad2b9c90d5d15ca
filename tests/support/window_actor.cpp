#include "window_actor.h"

#include "wait.h"

std::vector<HWND> WindowsOfProcess(const std::string& title) {
  // FindWindowEx compares the titles the system keeps; GetWindowText would send
  // WM_GETTEXT to the test thread, which may be waiting for this very thread.
  std::vector<HWND> found;
  for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, nullptr, title.c_str()));) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) found.push_back(window);
  }
  return found;
}

WindowActor::WindowActor(std::string title, Action action, DWORD deadlineMs)
    : title_(std::move(title)),
      action_(std::move(action)),
      deadlineMs_(deadlineMs),
      thread_([this] { Watch(); }) {}

WindowActor::~WindowActor() {
  stop_ = true;
  thread_.join();
}

bool WindowActor::Acted() const {
  if (started_) PumpUntil([this] { return acted_.load(); }, deadlineMs_);
  return acted_;
}

void WindowActor::Watch() {
  HWND window = nullptr;
  while (!stop_ && !window) {
    for (HWND candidate : WindowsOfProcess(title_))
      if (IsWindowVisible(candidate) && GetForegroundWindow() == candidate) window = candidate;
    if (!window) Sleep(10);
  }
  if (!window) return;
  started_ = true;
  action_(window);
  acted_ = true;
  const DWORD actedAt = GetTickCount();
  while (!stop_) {
    if (GetTickCount() - actedAt >= deadlineMs_) {
      for (HWND left : WindowsOfProcess(title_)) {
        forced_ = true;
        PostMessageA(left, WM_CLOSE, 0, 0);
      }
    }
    Sleep(50);
  }
}
