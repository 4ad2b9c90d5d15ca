#include "framework/clipboard.h"

#include <cstring>

#include "framework/application.h"
#include "framework/error.h"

void Clipboard::Open() {
  if (openCount_ == 0) {
    HWND owner = Application::Instance().Handle();
    if (!owner) {
      ownWindow_ = std::make_unique<MessageWindow>(nullptr);  // every message to the default procedure
      owner = ownWindow_->Handle();
    }
    if (!OpenClipboard(owner)) {
      ownWindow_.reset();
      throw Error(cannotOpen_);
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
  try {
    ClipboardMemory block(data, size);
    if (!emptied_) {
      EmptyClipboard();
      emptied_ = true;
    }
    block.HandTo(format);
  } catch (...) {
    Close();
    throw;
  }
  Close();
}

ClipboardMemory::ClipboardMemory(const void* data, size_t size)
    : block_(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size)) {
  if (!block_) throw Error("out of memory");
  void* target = GlobalLock(block_);
  if (!target) {
    GlobalFree(block_);
    throw Error("out of memory");
  }
  std::memcpy(target, data, size);
  GlobalUnlock(block_);
}

ClipboardMemory::~ClipboardMemory() {
  if (block_) GlobalFree(block_);
}

bool ClipboardMemory::HandTo(UINT format) {
  if (!SetClipboardData(format, block_)) return false;
  block_ = nullptr;
  return true;
}

void Clipboard::SetTextBuf(const std::string& text) { SetBuffer(CF_TEXT, text.c_str(), text.size() + 1); }
