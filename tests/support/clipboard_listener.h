#pragma once
// Hears of every change of the clipboard as another program would, through a window
// of its own registered with AddClipboardFormatListener. The notices are posted, so
// they arrive while this thread pumps messages; a handler looks at what it needs
// without reading data that the owner renders on request (a read would count as a
// paste for a program that waits for its reader).
#include <windows.h>

#include <functional>

class ClipboardListener {
 public:
  explicit ClipboardListener(std::function<void()> changed);
  ~ClipboardListener();
  ClipboardListener(const ClipboardListener&) = delete;
  ClipboardListener& operator=(const ClipboardListener&) = delete;

  bool Listening() const { return listening_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

  std::function<void()> changed_;
  HWND window_ = nullptr;
  bool listening_ = false;
};
