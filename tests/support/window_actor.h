#pragma once
// A modal window (a popup's ShowModal, a message box) holds the test thread in its
// own message loop until something closes it. A WindowActor plays the user from a
// second thread meanwhile: it waits until a visible top-level window of this process
// with the given title is the foreground window, then runs its action once on its
// own thread (real input, the way a user gives it). Should windows with that title
// still be there once the deadline after the action has passed, it closes them with
// WM_CLOSE, so a broken case fails instead of hanging in the loop.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

class WindowActor {
 public:
  using Action = std::function<void(HWND window)>;

  WindowActor(std::string title, Action action, DWORD deadlineMs = 5000);
  ~WindowActor();  // stops watching and joins
  WindowActor(const WindowActor&) = delete;
  WindowActor& operator=(const WindowActor&) = delete;

  // Whether the window came up and the action ran (to its end). The action's own
  // input can end a modal loop before the actor's thread is scheduled again to note
  // that the action returned: once it has begun, this waits (pumping) for its end.
  bool Acted() const;
  // Whether the deadline had to close a window the action left open.
  bool Forced() const { return forced_; }

 private:
  void Watch();

  std::string title_;
  Action action_;
  DWORD deadlineMs_;
  std::atomic<bool> started_{false}, acted_{false}, forced_{false}, stop_{false};
  std::thread thread_;
};

// Every top-level window of this process whose title is exactly title, shown or not.
std::vector<HWND> WindowsOfProcess(const std::string& title);
