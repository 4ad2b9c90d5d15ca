#pragma once
// A visible top-level window filled by one multi-line EDIT control, standing in for
// the application the user pastes into: once activated it is the foreground window
// with the keyboard focus in the edit, so synthetic keys and Ctrl+V land there and
// the result can be read back.
#include <windows.h>

#include <string>

class TargetWindow {
 public:
  explicit TargetWindow(const char* title = "Velnor test target");
  ~TargetWindow();  // DestroyWindow
  TargetWindow(const TargetWindow&) = delete;
  TargetWindow& operator=(const TargetWindow&) = delete;

  HWND Handle() const { return frame_; }
  HWND Edit() const { return edit_; }

  // Brings the window to the foreground with the focus in the edit and pumps until
  // the system reports both and has settled; false when it did not get there within
  // two seconds. Modifier keys pressed before this returns may be reset.
  bool Activate();
  std::string Text() const;
  void SetText(const std::string& text);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND frame_ = nullptr;
  HWND edit_ = nullptr;
};
