#pragma once
// The user's clipboard content across a run of pastes, while the switch is on: kept
// just before the run's first paste takes the clipboard, and put back once, after the
// run's last paste was read (or its read bound ended). A run is pastes that follow one
// another with always one more pending. Newer content of someone else's is never
// replaced: when the clipboard changed after a paste, the kept copy is dropped.
// Only the worker holding the turn at the clipboard calls it, so it needs no lock.
#include <atomic>
#include <cstdint>
#include <optional>

#include "framework/clipboard_offer.h"
#include "framework/clipboard_snapshot.h"

class ClipboardKeeper {
 public:
  void SetEnabled(bool on) { enabled_ = on; }
  // Inside the offer's open clipboard, just before the offer empties it.
  void BeforeOffer(const ClipboardOffer& clipboard);
  void Offered(std::uint64_t offer) { lastOffer_ = offer; }
  // The run's last paste is done: the kept content goes back and is freed.
  void EndRun(ClipboardOffer& clipboard);

 private:
  std::atomic<bool> enabled_{false};
  bool running_ = false;
  std::optional<ClipboardSnapshot> kept_;
  std::uint64_t lastOffer_ = 0;
};
