#include "app/copypaste.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <vector>

#include "framework/clipboard_offer.h"
#include "framework/sync.h"

namespace {
// Workers take their turns at the clipboard in the order they were made, which is
// the order of the presses: each one's 100 ms wait runs on its own thread, and under
// load a later worker can wake first. A turn lasts until the target has read the
// worker's text, so the next text cannot replace it before the paste has taken it.
//
// Each waiting worker is woken only when its own turn comes: a burst leaves hundreds
// waiting, and waking them all at every turn would make each turn cost them all.
struct Turns {
  SlimMutex mutex;
  std::uint64_t serving = 0;
  bool held = false;  // a worker is in its clipboard step
  ULONGLONG lastChange = TickNow();
  std::map<std::uint64_t, Condition*> waiting;
  int live = 0;          // workers made and not yet freed, which the program's end waits for
  bool closing = false;  // the program is ending: no worker starts a paste any more
};
Turns turns;
std::atomic<std::uint64_t> nextTurn{0};

// A turn that nobody takes for this long while no step runs belongs to a worker that
// was made but never ran; the earliest waiting worker goes on instead.
constexpr std::chrono::milliseconds kStalledTurn{1000};

// How long a paste waits for its target to read the text before the next one may
// replace it. Targets read within milliseconds of the Ctrl+V (an edit control here:
// about 2 ms); a busy target gets a second to come to its message loop, and one that
// never reads (it has no use for Ctrl+V) delays the next paste by no more than that.
constexpr std::chrono::milliseconds kReadBound{1000};

// How long the program's end lets pending pastes run: a press just before Quit still
// pastes (its 100 ms wait and the paste take about 110 ms), a long burst is cut short.
constexpr ULONGLONG kFinishBound = 500;
// After that the remaining workers only have to notice: one may be in its 100 ms wait.
// The end never waits longer than this, whatever a worker is stuck in.
constexpr ULONGLONG kGiveUp = 2000;

// One worker's turn, held for its whole clipboard step and given on also when that
// step throws. It is not granted once the program is ending.
class ClipboardTurn {
 public:
  explicit ClipboardTurn(std::uint64_t turn) : turn_(turn) {
    std::lock_guard<SlimMutex> lock(turns.mutex);
    Condition mine;
    turns.waiting[turn_] = &mine;
    while (!turns.closing && (turns.held || turns.serving < turn_)) {
      if (mine.WaitFor(turns.mutex, kStalledTurn)) continue;
      if (!turns.held && TickNow() - turns.lastChange >= static_cast<ULONGLONG>(kStalledTurn.count()))
        Serve(std::max(turns.serving, turns.waiting.begin()->first));
    }
    turns.waiting.erase(turn_);
    granted_ = !turns.closing;
    if (granted_) turns.held = true;
  }
  ~ClipboardTurn() {
    if (!granted_) return;
    std::lock_guard<SlimMutex> lock(turns.mutex);
    turns.held = false;
    // A skipped worker that turns up late follows the one that went on without it.
    Serve(std::max(turns.serving, turn_ + 1));
  }
  ClipboardTurn(const ClipboardTurn&) = delete;
  ClipboardTurn& operator=(const ClipboardTurn&) = delete;

  bool Granted() const { return granted_; }

 private:
  // Under turns.mutex.
  static void Serve(std::uint64_t turn) {
    turns.serving = turn;
    turns.lastChange = TickNow();
    auto next = turns.waiting.find(turn);
    if (next != turns.waiting.end()) next->second->NotifyOne();
  }

  std::uint64_t turn_;
  bool granted_ = false;
};

// Made by the first worker on the thread that makes workers, the user-interface
// thread, whose message loop renders the texts for their readers.
ClipboardOffer& PasteClipboard() {
  static ClipboardOffer offer;
  return offer;
}

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

TCopyPaste::TCopyPaste() : Thread(kWorkerStack), turn_(nextTurn++), clipboard_(PasteClipboard()) {
  FreeOnTerminate = true;
  std::lock_guard<SlimMutex> lock(turns.mutex);
  ++turns.live;
}

TCopyPaste::~TCopyPaste() {
  std::lock_guard<SlimMutex> lock(turns.mutex);
  --turns.live;
}

void TCopyPaste::FinishPending() {
  const ULONGLONG start = TickNow();
  for (;;) {
    {
      std::lock_guard<SlimMutex> lock(turns.mutex);
      if (turns.live == 0) return;
      const ULONGLONG waited = TickNow() - start;
      if (waited >= kGiveUp) return;
      if (waited >= kFinishBound && !turns.closing) {
        turns.closing = true;
        for (auto& waiting : turns.waiting) waiting.second->NotifyOne();
        // Workers are alive, so the first of them has made the offer object.
        PasteClipboard().StopWaiting();
      }
    }
    // The workers' clipboard calls send this thread's window messages (the old
    // owner's notice, the requests to render); only those are handled here, the
    // user's clicks and hotkeys that come in meanwhile are left for nobody.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

void TCopyPaste::Execute() {
  // Gives the user time to let go of the hotkey's own keys before the paste.
  Sleep(100);
  ClipboardTurn turn(turn_);
  if (!turn.Granted()) return;  // the program is ending and its time for pastes is up
  const std::uint64_t offer = clipboard_.Offer(PasteText);
  clipboard_.ExpectReader(offer, ForegroundProcess());
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
  clipboard_.WaitRead(offer, kReadBound);
}
