#include "app/copypaste.h"

#include <chrono>
#include <vector>

namespace {
// How long a paste waits for its target to read the text before the next one may
// replace it. Targets read within milliseconds of the Ctrl+V (an edit control here:
// about 2 ms); a busy target gets a second to come to its message loop, and one that
// never reads (it has no use for Ctrl+V) delays the next paste by no more than that.
constexpr std::chrono::milliseconds kReadBound{1000};

INPUT Key(WORD key, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = flags;
  return input;
}

// The process whose window gets the keys, so only its reading counts as the paste.
DWORD ForegroundProcess() {
  DWORD process = 0;
  if (HWND foreground = GetForegroundWindow()) GetWindowThreadProcessId(foreground, &process);
  return process;
}
}  // namespace

// A worker needs little stack, and a burst of presses keeps many waiting for their
// turns at once: with the program's default reservation a few hundred of them would
// use up a 32-bit process's address space.
constexpr SIZE_T kWorkerStack = 256 * 1024;

TCopyPaste::TCopyPaste(std::shared_ptr<PasteQueue> queue)
    : Thread(kWorkerStack), queue_(std::move(queue)), turn_(queue_->WorkerMade()) {
  FreeOnTerminate = true;
}

TCopyPaste::~TCopyPaste() { queue_->WorkerGone(); }

void TCopyPaste::Execute() {
  // Gives the user time to let go of the hotkey's own keys before the paste.
  Sleep(100);
  PasteQueue::Turn turn(*queue_, turn_);
  if (!turn.Granted()) return;  // the program is ending and its time for pastes is up
  ClipboardOffer& clipboard = queue_->Clipboard();
  const std::uint64_t offer = queue_->Offer(PasteText);
  clipboard.ExpectReader(offer, ForegroundProcess());
  // The target sees Ctrl+V only, not Ctrl+Alt+Shift+V, while the hotkey is still held.
  // One SendInput, so neither the user's typing nor another program's input can come
  // between the events, and Ctrl is never left down.
  std::vector<INPUT> keys;
  if (AltHeld) keys.push_back(Key(VK_MENU, KEYEVENTF_KEYUP));
  if (ShiftHeld) keys.push_back(Key(VK_SHIFT, KEYEVENTF_KEYUP));
  keys.push_back(Key(VK_CONTROL, 0));
  keys.push_back(Key('V', 0));
  keys.push_back(Key('V', KEYEVENTF_KEYUP));
  keys.push_back(Key(VK_CONTROL, KEYEVENTF_KEYUP));
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
  clipboard.WaitRead(offer, kReadBound);
}
