#pragma once
// Where the pastes land: a borderless top-level window filled by one edit control
// that holds the keyboard focus. The window has no system menu, so the Alt key of
// a CTRL+ALT slot hotkey (its letter goes to the hotkey, Alt alone reaches us)
// cannot put it into menu mode and swallow the Ctrl+V that follows.
#include <windows.h>

#include <string>

class TargetWindow {
 public:
  TargetWindow();  // shown, in the foreground, edit focused; throws std::runtime_error
  ~TargetWindow();
  TargetWindow(const TargetWindow&) = delete;
  TargetWindow& operator=(const TargetWindow&) = delete;

  void Focus();
  void Clear();
  HWND Handle() const { return frame_; }
  std::string Text() const;
  // Pumps messages until the edit holds exactly text; returns the counter time at
  // which the edit reported that change, or -1 after timeoutMs.
  double WaitForText(const std::string& text, double timeoutMs);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND frame_ = nullptr;
  HWND edit_ = nullptr;
  double changedAt_ = -1;
};

// Dispatches this thread's messages for a while (lone Alt key messages dropped, see above).
void PumpFor(double ms);
// Pumps until the Ctrl key is up again (a paste's last event) or timeoutMs passes.
void PumpUntilCtrlUp(double timeoutMs);
