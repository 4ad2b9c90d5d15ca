#include "app/clipboard_keeper.h"

namespace {
// A content larger than this is not kept: copying it would double what the user's
// clipboard costs the machine, and the paste would wait for the copy. The restore is
// skipped for that run, and the paste goes on as without the switch.
constexpr std::size_t kKeepLimit = 64u * 1024u * 1024u;
}  // namespace

void ClipboardKeeper::BeforeOffer(const ClipboardOffer& clipboard) {
  // Someone copied between two pastes of the run: theirs is the content to keep now.
  if (running_ && !clipboard.Unchanged(lastOffer_)) {
    kept_.reset();
    running_ = false;
  }
  if (running_ || !enabled_) return;
  kept_ = ClipboardSnapshot::Take(kKeepLimit);
  running_ = true;
}

void ClipboardKeeper::EndRun(ClipboardOffer& clipboard) {
  if (!running_) return;
  running_ = false;
  // Freed on the way out, whether it went back or not.
  std::optional<ClipboardSnapshot> kept = std::move(kept_);
  kept_.reset();
  if (kept) clipboard.Replace(lastOffer_, [&kept] { kept->PutBack(); });
}
