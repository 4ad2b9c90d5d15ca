#include "framework/clipboard.h"

#include <cstring>

#include "framework/application.h"
#include "framework/error.h"

Clipboard& Clipboard::Instance() {
  static Clipboard instance;
  return instance;
}

void Clipboard::Open() {
  if (openCount_ == 0) {
    HWND owner = Application::Instance().Handle();
    if (!owner) {
      ownWindow_ = std::make_unique<MessageWindow>(nullptr);  // every message to the default procedure
      owner = ownWindow_->Handle();
    }
    if (!OpenClipboard(owner)) {
      ownWindow_.reset();
      throw Error(kClipboardCannotOpen);
    }
    emptied_ = false;
  }
  ++openCount_;
}

void Clipboard::Close() {
  if (openCount_ == 0) return;
  if (--openCount_ == 0) {
    CloseClipboard();
    ownWindow_.reset();
  }
}

void Clipboard::SetBuffer(UINT format, const void* data, size_t size) {
  Open();
  HGLOBAL block = nullptr;
  try {
    block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (!block) throw Error("out of memory");
    void* target = GlobalLock(block);
    if (!target) throw Error("out of memory");
    std::memcpy(target, data, size);
    GlobalUnlock(block);
    if (!emptied_) {
      EmptyClipboard();
      emptied_ = true;
    }
    // The system owns the block from here on, but only when it took it.
    if (!SetClipboardData(format, block)) GlobalFree(block);
  } catch (...) {
    if (block) GlobalFree(block);
    Close();
    throw;
  }
  Close();
}

void Clipboard::SetTextBuf(const std::string& text) { SetBuffer(CF_TEXT, text.c_str(), text.size() + 1); }
