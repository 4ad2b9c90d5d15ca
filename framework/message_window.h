#pragma once
// A message-only window of a private class whose messages all go to one handler;
// messages arrive on the creating thread. It receives posted and sent messages
// (hotkeys, notification-icon callbacks, clipboard ownership) but no broadcasts.
#include <windows.h>

#include <functional>

struct Message {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

class MessageWindow {
 public:
  using Handler = std::function<void(Message&)>;
  explicit MessageWindow(Handler handler);  // throws Error when the window cannot be made
  ~MessageWindow();                         // DestroyWindow
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;

  HWND Handle() const { return handle_; }
  // Answers a message the way the handler would not: the system's default.
  LRESULT Default(const Message& message) const;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

  Handler handler_;
  HWND handle_ = nullptr;
};
