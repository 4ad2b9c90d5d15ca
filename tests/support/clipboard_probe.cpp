#include "clipboard_probe.h"

#include <cstring>

#include "wait.h"

namespace {
// Someone else (a worker, the desktop's clipboard manager) may have it open briefly.
bool OpenPatiently(HWND owner) {
  return PumpUntil([owner] { return OpenClipboard(owner) != FALSE; }, 2000);
}
}  // namespace

OpenedClipboard::OpenedClipboard(HWND owner) : open_(OpenPatiently(owner)) {}

OpenedClipboard::~OpenedClipboard() {
  if (open_) CloseClipboard();
}

OwnerWindow::OwnerWindow()
    : handle_(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleA(nullptr), nullptr)) {}

OwnerWindow::~OwnerWindow() { DestroyWindow(handle_); }

std::optional<std::string> ClipboardBlock(UINT format) {
  OpenedClipboard clipboard;
  if (!clipboard.IsOpen()) return std::nullopt;
  HANDLE data = GetClipboardData(format);
  if (!data) return std::nullopt;
  std::string bytes(GlobalSize(data), '\0');
  if (const void* source = GlobalLock(data)) {
    std::memcpy(bytes.data(), source, bytes.size());
    GlobalUnlock(data);
  }
  return bytes;
}

std::vector<UINT> ClipboardFormats() {
  std::vector<UINT> formats;
  OpenedClipboard clipboard;
  if (!clipboard.IsOpen()) return formats;
  for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format))
    formats.push_back(format);
  return formats;
}

bool ReplaceClipboard(const std::vector<std::pair<UINT, std::string>>& blocks) {
  OwnerWindow owner;
  OpenedClipboard clipboard(owner.Handle());
  if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
  for (const auto& [format, bytes] : blocks) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block) return false;
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    if (!SetClipboardData(format, block)) {
      GlobalFree(block);
      return false;
    }
  }
  return true;
}

ClipboardHolder::ClipboardHolder() {
  std::promise<bool> opened;
  std::future<bool> isOpen = opened.get_future();
  thread_ = std::thread([opened = std::move(opened), released = release_.get_future()]() mutable {
    bool open = OpenPatiently(nullptr);
    opened.set_value(open);
    released.wait();
    if (open) CloseClipboard();
  });
  held_ = isOpen.get();
}

ClipboardHolder::~ClipboardHolder() {
  release_.set_value();
  thread_.join();
}
