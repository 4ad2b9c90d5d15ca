#pragma once
// The program's one clipboard object. Opens are counted, so nested opens through
// it cost one OpenClipboard; the clipboard is emptied before the first data of an open.
// It keeps no lock of its own: callers on several threads serialise around it.
#include <windows.h>

#include <memory>
#include <string>

#include "framework/message_window.h"

// "クリップボードを開くことができません"
inline constexpr char kClipboardCannotOpen[] =
    "\x83N\x83\x8A\x83"
    "b\x83v\x83{\x81["
    "\x83h\x82\xF0\x8AJ\x82\xAD\x82\xB1\x82\xC6\x82\xAA\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";

class Clipboard {
 public:
  static Clipboard& Instance();  // made on first use

  void Open();  // throws Error(kClipboardCannotOpen)
  void Close();
  // The text and its NUL as CF_TEXT, the only format placed.
  void SetTextBuf(const std::string& text);
  void SetBuffer(UINT format, const void* data, size_t size);

 private:
  Clipboard() = default;

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
