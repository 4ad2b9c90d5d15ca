#pragma once
// The program's message boxes are real and modal: the thread that shows one waits
// in it. A watcher answers them from a second thread, as a user would, and keeps
// what they said.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A shown message box with this caption (of any process), or null.
HWND FindMessageBox(const std::string& caption);
// The text a message box says.
std::string MessageBoxText(HWND box);
// Presses the box's OK button.
void AnswerMessageBox(HWND box);

class MessageBoxWatcher {
 public:
  // Watches for message boxes with this caption and presses OK on each.
  explicit MessageBoxWatcher(std::string caption);
  ~MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  // The texts of the boxes answered so far, oldest first.
  std::vector<std::string> Texts() const;

 private:
  void Watch();

  std::string caption_;
  mutable std::mutex mutex_;
  std::vector<std::string> texts_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};
