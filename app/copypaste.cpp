#include "app/copypaste.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "framework/clipboard.h"

namespace {
// Workers take their turns at the clipboard in the order they were made, which is
// the order of the presses: each one's 100 ms wait runs on its own thread, and under
// load a later worker can wake first and have its text overwritten by an earlier
// press. Only the clipboard step is in turn; the turn is also what keeps overlapping
// workers apart there, since they share the clipboard object's open count and own
// window, and OpenClipboard refuses only a different window (a second worker opening
// through the application window would share the first one's open clipboard).
std::atomic<std::uint64_t> nextTurn{0};
std::uint64_t servingTurn = 0;  // guarded by turnMutex
std::mutex turnMutex;
std::condition_variable turnChanged;

// One worker's turn, held for the clipboard step and given on also when that step
// throws. The wait is bounded: a worker that was made but never ran must not hold up
// the pastes after it.
class ClipboardTurn {
 public:
  explicit ClipboardTurn(std::uint64_t turn) : turn_(turn), lock_(turnMutex) {
    turnChanged.wait_for(lock_, std::chrono::seconds(1), [this] { return servingTurn >= turn_; });
  }
  ~ClipboardTurn() {
    if (servingTurn <= turn_) servingTurn = turn_ + 1;
    lock_.unlock();
    turnChanged.notify_all();
  }
  ClipboardTurn(const ClipboardTurn&) = delete;
  ClipboardTurn& operator=(const ClipboardTurn&) = delete;

 private:
  std::uint64_t turn_;
  std::unique_lock<std::mutex> lock_;
};

void SendKey(BYTE key, DWORD flags) { keybd_event(key, 0, flags, 0); }
}  // namespace

TCopyPaste::TCopyPaste() : turn_(nextTurn++) { FreeOnTerminate = true; }

void TCopyPaste::Execute() {
  // Gives the user time to let go of the hotkey's own keys before the paste.
  Sleep(100);
  {
    ClipboardTurn turn(turn_);
    Clipboard::Instance().SetTextBuf(PasteText);
  }
  // The target sees Ctrl+V only, not Ctrl+Alt+Shift+V, while the hotkey is still held.
  if (AltHeld) SendKey(VK_MENU, KEYEVENTF_KEYUP);
  if (ShiftHeld) SendKey(VK_SHIFT, KEYEVENTF_KEYUP);
  SendKey(VK_CONTROL, 0);
  SendKey('V', 0);
  SendKey('V', KEYEVENTF_KEYUP);
  SendKey(VK_CONTROL, KEYEVENTF_KEYUP);
}
