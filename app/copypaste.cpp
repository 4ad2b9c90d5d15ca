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
class ClipboardTurns {
 public:
  std::uint64_t Take() { return next_++; }

  // Waits for the turn, at most a while: a worker that was made but never ran must
  // not hold up the pastes after it.
  void Begin(std::uint64_t turn) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, std::chrono::seconds(1), [&] { return serving_ >= turn; });
    lock.release();  // held until End
  }
  void End(std::uint64_t turn) {
    if (serving_ <= turn) serving_ = turn + 1;
    mutex_.unlock();
    changed_.notify_all();
  }

 private:
  std::atomic<std::uint64_t> next_{0};
  std::uint64_t serving_ = 0;
  std::mutex mutex_;
  std::condition_variable changed_;
};
ClipboardTurns turns;

// One worker's turn, also when the clipboard step throws.
class ClipboardTurn {
 public:
  explicit ClipboardTurn(std::uint64_t turn) : turn_(turn) { turns.Begin(turn); }
  ~ClipboardTurn() { turns.End(turn_); }
  ClipboardTurn(const ClipboardTurn&) = delete;
  ClipboardTurn& operator=(const ClipboardTurn&) = delete;

 private:
  std::uint64_t turn_;
};

void SendKey(BYTE key, DWORD flags) { keybd_event(key, 0, flags, 0); }
}  // namespace

TCopyPaste::TCopyPaste() : turn_(turns.Take()) { FreeOnTerminate = true; }

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
