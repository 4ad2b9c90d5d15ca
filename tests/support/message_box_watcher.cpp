#include "message_box_watcher.h"

// The message text is the box's static control that has text (the icon's has none);
// its control identifier differs between systems, so it is not relied on.
std::string MessageBoxText(HWND box) {
  for (HWND child = nullptr; (child = FindWindowExA(box, child, "Static", nullptr));) {
    char text[1024] = {};
    if (GetWindowTextA(child, text, sizeof text) > 0) return text;
  }
  return {};
}

HWND FindMessageBox(const std::string& caption) {
  HWND box = FindWindowA("#32770", caption.c_str());
  // A box is complete only once shown: its text is set before that.
  return box && IsWindowVisible(box) ? box : nullptr;
}

void AnswerMessageBox(HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

MessageBoxWatcher::MessageBoxWatcher(std::string caption)
    : caption_(std::move(caption)), thread_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
  stop_ = true;
  thread_.join();
}

std::vector<std::string> MessageBoxWatcher::Texts() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return texts_;
}

void MessageBoxWatcher::Watch() {
  while (!stop_) {
    if (HWND box = FindMessageBox(caption_)) {
      std::string text = MessageBoxText(box);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        texts_.push_back(text);
      }
      AnswerMessageBox(box);
      // Not counted twice: wait until this box is gone.
      while (!stop_ && IsWindow(box)) Sleep(10);
    }
    Sleep(10);
  }
}
