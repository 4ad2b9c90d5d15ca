#pragma once
// The application object: the program's title, its invisible application window
// (which carries the taskbar button and owns the program's windows and message
// boxes), the main form, the message loop, the objects it owns, and the standard
// error box for errors that escape an event handler.
#include <windows.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "framework/component.h"

class TForm;

class Application : public Component {
 public:
  static Application& Instance();

  // Makes the application window; before this, Handle() is null.
  void Initialize();
  HWND Handle() const { return handle_; }
  const std::string& Title() const { return title_; }
  void SetTitle(std::string title);

  // Whether Run shows the main form when it starts.
  bool ShowMainForm = true;
  TForm* MainForm() const { return mainForm_; }
  void FormCreated(TForm* form);  // the first form becomes the main form
  void FormDestroyed(TForm* form);

  // Runs the message loop until Terminate.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  void ProcessMessages();

  // Objects the application owns; destroyed most recent first by DestroyOwned.
  template <class T, class... Args>
  T& CreateOwned(Args&&... args) {
    auto object = std::make_unique<T>(std::forward<Args>(args)...);
    T& result = *object;
    owned_.push_back(std::move(object));
    return result;
  }
  void DestroyOwned();

  // The application's message box: owned by the application window, with the
  // program's other windows disabled while it shows.
  int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);
  // The standard error box: the message, with "." appended when its last byte sorts
  // after ".", under the application title with MB_ICONERROR.
  void ShowException(const std::exception& error);
  // An error that escaped an event handler of sender: shown, and the program goes on.
  void HandleException(Component* sender, const std::exception& error);
  void HandleCurrentException(Component* sender);

 private:
  Application();
  ~Application() override;
  static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

  std::string title_;
  HWND handle_ = nullptr;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  std::vector<std::unique_ptr<Component>> owned_;
};

// The text the standard error box shows for a message.
std::string StandardErrorText(std::string message);

// Disables the enabled, visible top-level windows of this thread (except one) for
// its lifetime, the way a modal window or message box must.
class TaskWindowsDisabled {
 public:
  explicit TaskWindowsDisabled(HWND except = nullptr);
  ~TaskWindowsDisabled();
  TaskWindowsDisabled(const TaskWindowsDisabled&) = delete;
  TaskWindowsDisabled& operator=(const TaskWindowsDisabled&) = delete;

 private:
  std::vector<HWND> disabled_;
  HWND active_;
};
