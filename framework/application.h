#pragma once
// The application object: the program's title, its (optional) application window
// and the standard error box for errors that escape an event handler.
#include <windows.h>

#include <exception>
#include <string>

class Component;

class Application {
 public:
  static Application& Instance();

  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }
  // The invisible window that owns the program's windows and message boxes, or null.
  HWND Handle() const { return handle_; }

  // The standard error box: the message, with "." appended when its last byte sorts
  // after ".", under the application title with MB_ICONERROR.
  void ShowException(const std::exception& error);
  // An error that escaped an event handler of sender: shown, and the program goes on.
  void HandleException(Component* sender, const std::exception& error);
  void HandleCurrentException(Component* sender);

 private:
  Application();

  std::string title_;
  HWND handle_ = nullptr;
};

// The text the standard error box shows for a message.
std::string StandardErrorText(std::string message);
