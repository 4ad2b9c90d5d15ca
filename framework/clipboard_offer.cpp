#include "framework/clipboard_offer.h"

#include "framework/error.h"

ClipboardOffer::ClipboardOffer() : window_([this](Message& message) { OnMessage(message); }) {}

ClipboardOffer::~ClipboardOffer() {
  // The window is unbound before it is destroyed, so the system's own request to
  // render everything would find nobody: answer it here, while the text is at hand.
  RenderAll();
}

std::uint64_t ClipboardOffer::Offer(const std::string& text) {
  {
    // From here on the clipboard's content is no longer ours to count: emptying it
    // tells this window so, and that must not be taken for a stranger replacing it.
    std::lock_guard<std::mutex> lock(mutex_);
    offered_ = 0;
  }
  if (!OpenClipboard(window_.Handle())) throw Error(kClipboardCannotOpen);
  EmptyClipboard();
  std::uint64_t offer;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    offer = offered_ = ++lastOffer_;
    text_ = text;
    expectedReader_ = 0;
    reader_ = nullptr;
  }
  // Nobody can ask for it before the clipboard is closed again.
  SetClipboardData(CF_TEXT, nullptr);
  CloseClipboard();
  return offer;
}

void ClipboardOffer::ExpectReader(std::uint64_t offer, DWORD processId) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (offered_ == offer) expectedReader_ = processId;
}

ClipboardOffer::Outcome ClipboardOffer::WaitRead(std::uint64_t offer, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  HWND reader;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!changed_.wait_until(lock, deadline, [&] { return offered_ != offer || reader_; }))
      return Outcome::TimedOut;
    if (offered_ != offer) return Outcome::Replaced;
    reader = reader_;
  }
  // The reader still has the clipboard open while it copies the text; the next offer
  // would find it busy and be lost. It closes as soon as it has read, so a short poll
  // is all the wait there is.
  while (GetOpenClipboardWindow() == reader) {
    if (std::chrono::steady_clock::now() >= deadline) return Outcome::TimedOut;
    Sleep(1);
  }
  return Outcome::Read;
}

void ClipboardOffer::OnMessage(Message& message) {
  switch (message.Msg) {
    case WM_RENDERFORMAT:
      if (message.WParam == CF_TEXT) Render();
      break;
    case WM_RENDERALLFORMATS:
      RenderAll();
      break;
    case WM_DESTROYCLIPBOARD: {
      std::lock_guard<std::mutex> lock(mutex_);
      offered_ = 0;
      changed_.notify_all();
      break;
    }
    default:
      message.Result = window_.Default(message);
  }
}

void ClipboardOffer::Render() {
  std::string text;
  DWORD expected;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!offered_) return;
    text = text_;
    expected = expectedReader_;
  }
  PutText(text);
  // The reader is whoever has the clipboard open: a request comes only from inside
  // a reader's GetClipboardData. One that opened without a window cannot be told
  // from a stranger, and does not count.
  HWND reader = GetOpenClipboardWindow();
  DWORD readerProcess = 0;
  if (reader) GetWindowThreadProcessId(reader, &readerProcess);
  if (expected && readerProcess == expected) {
    std::lock_guard<std::mutex> lock(mutex_);
    reader_ = reader;
    changed_.notify_all();
  }
}

void ClipboardOffer::RenderAll() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!offered_) return;
  }
  if (!OpenClipboard(window_.Handle())) return;
  // Someone may have replaced the text since; their content is not ours to add to.
  if (GetClipboardOwner() == window_.Handle()) {
    std::string text;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      text = text_;
    }
    PutText(text);
  }
  CloseClipboard();
}

void ClipboardOffer::PutText(const std::string& text) {
  ClipboardMemory block(text.c_str(), text.size() + 1);
  block.HandTo(CF_TEXT);
}
