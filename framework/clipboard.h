#pragma once
// A clipboard object. Opens are counted, so nested opens through it cost one
// OpenClipboard; the clipboard is emptied before the first data of an open. It keeps
// no lock of its own: callers on several threads serialise around it.
#include <windows.h>

#include <memory>
#include <string>

#include "framework/message_window.h"

// What an error says when another program holds the clipboard; a program gives its own.
inline constexpr char kClipboardHeldMessage[] = "the clipboard could not be opened";

class Clipboard {
 public:
  explicit Clipboard(std::string cannotOpenMessage = kClipboardHeldMessage)
      : cannotOpen_(std::move(cannotOpenMessage)) {}
  Clipboard(const Clipboard&) = delete;
  Clipboard& operator=(const Clipboard&) = delete;

  void Open();  // throws Error(the message it was given) when another program holds it
  void Close();
  // The text and its NUL as CF_TEXT, the only format placed.
  void SetTextBuf(const std::string& text);
  void SetBuffer(UINT format, const void* data, size_t size);

 private:
  std::string cannotOpen_;
  int openCount_ = 0;
  bool emptied_ = false;
  // Owner of the open clipboard when the application has no window of its own.
  std::unique_ptr<MessageWindow> ownWindow_;
};

// A movable, shareable global block holding a copy of some bytes, freed unless the
// clipboard took it.
class ClipboardMemory {
 public:
  ClipboardMemory(const void* data, size_t size);  // throws Error when out of memory
  ~ClipboardMemory();
  ClipboardMemory(const ClipboardMemory&) = delete;
  ClipboardMemory& operator=(const ClipboardMemory&) = delete;

  // SetClipboardData on the open clipboard; the system owns the block when it took it.
  bool HandTo(UINT format);

 private:
  HGLOBAL block_;
};
