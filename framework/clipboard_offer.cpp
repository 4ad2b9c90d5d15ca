#include "framework/clipboard_offer.h"

#include "framework/error.h"

namespace {
// A reader that has just read our text closes the clipboard again within
// microseconds; this much is only for a loaded machine.
constexpr std::chrono::milliseconds kReaderCloses{500};

// Closes the clipboard this thread opened, on every way out of a scope.
struct OpenedByOffer {
  OpenedByOffer() = default;
  ~OpenedByOffer() { CloseClipboard(); }
  OpenedByOffer(const OpenedByOffer&) = delete;
  OpenedByOffer& operator=(const OpenedByOffer&) = delete;
};
}  // namespace

ClipboardOffer::ClipboardOffer(std::string cannotOpenMessage)
    : cannotOpen_(std::move(cannotOpenMessage)), window_([this](Message& message) { OnMessage(message); }) {}

ClipboardOffer::~ClipboardOffer() {
  // The window is unbound before it is destroyed, so the system's own request to
  // render everything would find nobody: answer it here, while the text is at hand.
  RenderAll();
}

std::uint64_t ClipboardOffer::Offer(const std::string& text, const std::function<void()>& beforeEmptying) {
  {
    // From here on the clipboard's content is no longer ours to count: emptying it
    // tells this window so, and that must not be taken for a stranger replacing it.
    std::lock_guard<SlimMutex> lock(mutex_);
    offered_ = 0;
  }
  if (!Open()) throw Error(cannotOpen_);
  std::uint64_t offer;
  {
    OpenedByOffer opened;
    if (beforeEmptying) beforeEmptying();
    EmptyClipboard();
    {
      std::lock_guard<SlimMutex> lock(mutex_);
      offer = offered_ = ++lastOffer_;
      text_ = text;
      expectedReader_ = 0;
      reader_ = nullptr;
      lastReader_ = nullptr;
    }
    // Nobody can ask for it before the clipboard is closed again.
    SetClipboardData(CF_TEXT, nullptr);
  }
  NoteOwnChange();
  return offer;
}

bool ClipboardOffer::Open() {
  return OpenClipboard(window_.Handle()) || (LastReaderCloses() && OpenClipboard(window_.Handle()));
}

void ClipboardOffer::NoteOwnChange() {
  std::lock_guard<SlimMutex> lock(mutex_);
  ownSequence_ = GetClipboardSequenceNumber();
}

bool ClipboardOffer::Unchanged(std::uint64_t offer) const {
  std::lock_guard<SlimMutex> lock(mutex_);
  // Not offered_: an offer on its way clears that before it opens the clipboard, and
  // the content it is about to replace may still be this object's untouched one.
  return offer && lastOffer_ == offer && GetClipboardOwner() == window_.Handle() &&
         GetClipboardSequenceNumber() == ownSequence_;
}

ClipboardOffer::Replacement ClipboardOffer::Replace(std::uint64_t offer, const std::function<void()>& put) {
  if (!Open()) return Replacement::Held;
  OpenedByOffer opened;
  if (!Unchanged(offer)) return Replacement::Changed;
  {
    // Emptying tells this window the offer is gone; that is this object's own doing.
    std::lock_guard<SlimMutex> lock(mutex_);
    offered_ = 0;
  }
  put();
  return Replacement::Done;
}

void ClipboardOffer::ExpectReader(std::uint64_t offer, DWORD processId) {
  std::lock_guard<SlimMutex> lock(mutex_);
  if (offered_ == offer) expectedReader_ = processId;
}

ClipboardOffer::Outcome ClipboardOffer::WaitRead(std::uint64_t offer, std::chrono::milliseconds timeout) {
  std::lock_guard<SlimMutex> lock(mutex_);
  changed_.WaitFor(mutex_, timeout, [&] { return stopped_ || offered_ != offer || reader_; });
  if (offered_ != offer) return Outcome::Replaced;
  return reader_ ? Outcome::Read : Outcome::TimedOut;
}

void ClipboardOffer::StopWaiting() {
  std::lock_guard<SlimMutex> lock(mutex_);
  stopped_ = true;
  changed_.NotifyAll();
}

bool ClipboardOffer::LastReaderCloses() {
  // The reader of the last text may still have the clipboard open while it copies
  // the text; it closes as soon as it has, so a short poll is all the wait there is.
  // Anyone else holding it keeps the new text out at once. The poll is here rather
  // than after the read, where it would take the processor from the paste itself.
  HWND reader;
  {
    std::lock_guard<SlimMutex> lock(mutex_);
    reader = lastReader_;
  }
  if (!reader) return false;
  const ULONGLONG deadline = TickNow() + static_cast<ULONGLONG>(kReaderCloses.count());
  while (GetOpenClipboardWindow() == reader) {
    if (TickNow() >= deadline) return false;
    Sleep(1);
  }
  return true;
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
      std::lock_guard<SlimMutex> lock(mutex_);
      offered_ = 0;
      changed_.NotifyAll();
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
    std::lock_guard<SlimMutex> lock(mutex_);
    // Asked at all, the last offer's text is still on the clipboard: also while the
    // next offer, about to replace it, looks at what it replaces (offered_ is 0 then).
    if (!lastOffer_) return;
    text = text_;
    expected = expectedReader_;
  }
  PutText(text);
  NoteOwnChange();
  // The reader is whoever has the clipboard open: a request comes only from inside
  // a reader's GetClipboardData. One that opened without a window cannot be told
  // from a stranger, and does not count.
  HWND reader = GetOpenClipboardWindow();
  DWORD readerProcess = 0;
  if (reader) GetWindowThreadProcessId(reader, &readerProcess);
  if (expected && readerProcess == expected) {
    std::lock_guard<SlimMutex> lock(mutex_);
    reader_ = lastReader_ = reader;
    changed_.NotifyAll();
  }
}

void ClipboardOffer::RenderAll() {
  {
    std::lock_guard<SlimMutex> lock(mutex_);
    if (!offered_) return;
  }
  if (!OpenClipboard(window_.Handle())) return;
  // Someone may have replaced the text since; their content is not ours to add to.
  if (GetClipboardOwner() == window_.Handle()) {
    std::string text;
    {
      std::lock_guard<SlimMutex> lock(mutex_);
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
