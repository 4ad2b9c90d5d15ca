#include "app/paste_queue.h"

#include <algorithm>

#include "app/messages.h"

namespace {
// A turn that nobody takes for this long while no step runs belongs to a worker that
// was made but never ran; the earliest waiting worker goes on instead.
constexpr std::chrono::milliseconds kStalledTurn{1000};

// How long the program's end lets pending pastes run: a press just before Quit still
// pastes (its 100 ms wait and the paste take about 110 ms), a long burst is cut short.
constexpr ULONGLONG kFinishBound = 500;
// After that the remaining workers only have to notice: one may be in its 100 ms wait.
// The end never waits longer than this, whatever a worker is stuck in.
constexpr ULONGLONG kGiveUp = 2000;
}  // namespace

std::uint64_t PasteQueue::WorkerMade() {
  if (!clipboard_) clipboard_ = std::make_unique<ClipboardOffer>(kClipboardCannotOpen);
  std::lock_guard<SlimMutex> lock(mutex_);
  ++live_;
  return nextTurn_++;
}

void PasteQueue::WorkerGone() {
  std::lock_guard<SlimMutex> lock(mutex_);
  --live_;
}

// Workers take their turns at the clipboard in the order they were made, which is
// the order of the presses: each one's 100 ms wait runs on its own thread, and under
// load a later worker can wake first. Each waiting worker is woken only when its own
// turn comes: a burst leaves hundreds waiting, and waking them all at every turn would
// make each turn cost them all.
PasteQueue::Turn::Turn(PasteQueue& queue, std::uint64_t turn) : queue_(queue), turn_(turn) {
  std::lock_guard<SlimMutex> lock(queue_.mutex_);
  Condition mine;
  queue_.waiting_[turn_] = &mine;
  while (!queue_.closing_ && (queue_.held_ || queue_.serving_ < turn_)) {
    if (mine.WaitFor(queue_.mutex_, kStalledTurn)) continue;
    if (!queue_.held_ && TickNow() - queue_.lastChange_ >= static_cast<ULONGLONG>(kStalledTurn.count()))
      queue_.Serve(std::max(queue_.serving_, queue_.waiting_.begin()->first));
  }
  queue_.waiting_.erase(turn_);
  granted_ = !queue_.closing_;
  if (granted_) queue_.held_ = true;
}

PasteQueue::Turn::~Turn() {
  if (!granted_) return;
  bool last;
  {
    std::lock_guard<SlimMutex> lock(queue_.mutex_);
    last = queue_.live_ == 1;  // only this worker: no paste follows in this run
  }
  // Still holding the turn, so a paste made meanwhile waits and keeps what goes back.
  // Outside the lock: emptying the clipboard waits for the user-interface thread,
  // which takes the lock to make a worker.
  if (last) {
    try {
      queue_.keeper_.EndRun(*queue_.clipboard_);
    } catch (...) {
      // What could not go back is lost as it would be without the switch.
    }
  }
  std::lock_guard<SlimMutex> lock(queue_.mutex_);
  queue_.held_ = false;
  // A skipped worker that turns up late follows the one that went on without it.
  queue_.Serve(std::max(queue_.serving_, turn_ + 1));
}

std::uint64_t PasteQueue::Offer(const std::string& text) {
  const std::uint64_t offer = clipboard_->Offer(text, [this] { keeper_.BeforeOffer(*clipboard_); });
  keeper_.Offered(offer);
  return offer;
}

void PasteQueue::Serve(std::uint64_t turn) {
  serving_ = turn;
  lastChange_ = TickNow();
  auto next = waiting_.find(turn);
  if (next != waiting_.end()) next->second->NotifyOne();
}

void PasteQueue::FinishPending() {
  const ULONGLONG start = TickNow();
  for (;;) {
    {
      std::lock_guard<SlimMutex> lock(mutex_);
      if (live_ == 0) return;
      const ULONGLONG waited = TickNow() - start;
      if (waited >= kGiveUp) return;
      if (waited >= kFinishBound && !closing_) {
        closing_ = true;
        for (auto& waiting : waiting_) waiting.second->NotifyOne();
        // Workers are alive, so the first of them has made the offer.
        clipboard_->StopWaiting();
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
