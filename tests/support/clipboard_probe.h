#pragma once
// Looks at and sets the clipboard with plain system calls, the way another program
// would, independently of the program's clipboard object. Each call opens the
// clipboard for itself and retries for a while when someone else has it open.
#include <windows.h>

#include <future>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// Opens the clipboard for this thread until the end of the scope, retrying for a
// while when someone else has it open.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner = nullptr);
  ~OpenedClipboard();
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

// A message-only window to open the clipboard with: EmptyClipboard makes the opening
// window the owner, and with no window SetClipboardData would be refused on Windows.
class OwnerWindow {
 public:
  OwnerWindow();
  ~OwnerWindow();
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  HWND Handle() const { return handle_; }

 private:
  HWND handle_;
};

// The whole global block of one format, GlobalSize bytes, or nothing when the format
// is absent or the clipboard could not be opened.
std::optional<std::string> ClipboardBlock(UINT format);
// The formats in the order EnumClipboardFormats lists them, including those the
// system synthesises from the placed ones.
std::vector<UINT> ClipboardFormats();
// Empties the clipboard and places each (format, bytes) pair; false when the
// clipboard could not be opened. An empty list just empties it.
bool ReplaceClipboard(const std::vector<std::pair<UINT, std::string>>& blocks);

// Keeps the clipboard open on a thread of its own for its lifetime, as another
// program holding it would. OpenClipboard belongs to the thread (and window) that
// made it: while that thread has it open, OpenClipboard with any other window fails
// in every other thread, of this process or another.
class ClipboardHolder {
 public:
  ClipboardHolder();  // returns once the clipboard is open (or the attempt failed)
  ~ClipboardHolder();
  ClipboardHolder(const ClipboardHolder&) = delete;
  ClipboardHolder& operator=(const ClipboardHolder&) = delete;

  bool Held() const { return held_; }

 private:
  std::promise<void> release_;
  std::thread thread_;
  bool held_ = false;
};
