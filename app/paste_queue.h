#pragma once
// What the pastes share: their turns at the clipboard, in the order of the presses,
// each lasting until the target has read its text, and the clipboard offer that hands
// the texts over. The data module and every worker it starts hold a share, so the
// queue lives as long as the last of them: past the program's end, should a worker
// still be stuck in a clipboard call when the end gives up waiting for it.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>

#include "app/clipboard_keeper.h"
#include "framework/clipboard_offer.h"
#include "framework/sync.h"

class PasteQueue {
 public:
  PasteQueue() = default;
  PasteQueue(const PasteQueue&) = delete;
  PasteQueue& operator=(const PasteQueue&) = delete;

  // A worker is made (on the user-interface thread) and takes its place in the order.
  // The first one makes the clipboard offer, whose window belongs to that thread.
  std::uint64_t WorkerMade();
  void WorkerGone();
  ClipboardOffer& Clipboard() { return *clipboard_; }
  // The switch that puts the user's clipboard content back after a run of pastes.
  void SetRestoreClipboard(bool on) { keeper_.SetEnabled(on); }

  // Offers a worker's text, holding its turn: the user's content is kept before the
  // first offer of a run.
  std::uint64_t Offer(const std::string& text);
  // A worker's turn at the clipboard, held for its whole clipboard step and handed on
  // also when that step throws; not granted once the program is ending.
  class Turn {
   public:
    Turn(PasteQueue& queue, std::uint64_t turn);
    ~Turn();
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;
    bool Granted() const { return granted_; }

   private:
    PasteQueue& queue_;
    std::uint64_t turn_;
    bool granted_ = false;
  };

  // On the user-interface thread, after its message loop ended: lets the pastes still
  // pending finish while it answers their clipboard requests, until the last worker is
  // gone. Pastes not at the clipboard by then are dropped, and the end never waits
  // long, whatever a worker is stuck in.
  void FinishPending();

 private:
  // Under mutex_.
  void Serve(std::uint64_t turn);

  SlimMutex mutex_;
  std::uint64_t serving_ = 0;
  bool held_ = false;  // a worker is in its clipboard step
  ULONGLONG lastChange_ = TickNow();
  std::map<std::uint64_t, Condition*> waiting_;
  int live_ = 0;          // workers made and not yet gone, which the end waits for
  bool closing_ = false;  // the program is ending: no worker starts a paste any more
  std::uint64_t nextTurn_ = 0;
  std::unique_ptr<ClipboardOffer> clipboard_;
  ClipboardKeeper keeper_;  // used by the worker holding the turn only
};
