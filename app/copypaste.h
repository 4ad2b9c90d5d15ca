#pragma once
// One paste on a thread of its own: wait 100 ms, put PasteText on the clipboard as
// CF_TEXT, release Alt and Shift when the hotkey used them, then Ctrl+V. Pastes take
// the clipboard in the order of the presses, each once the one before was read.
// Created suspended and filled in by the caller, on the user-interface thread (whose
// message loop hands the texts to their readers); it deletes itself when done.
#include <cstdint>
#include <memory>
#include <string>

#include "app/paste_queue.h"
#include "framework/thread.h"

class TCopyPaste : public Thread {
 public:
  // Suspended, empty text, both flags false, frees itself when finished; it holds a
  // share of the queue until then.
  explicit TCopyPaste(std::shared_ptr<PasteQueue> queue);
  ~TCopyPaste() override;

  std::string PasteText;
  bool ShiftHeld = false;
  bool AltHeld = false;

 protected:
  void Execute() override;

 private:
  std::shared_ptr<PasteQueue> queue_;
  std::uint64_t turn_;  // this worker's place in the order of turns at the clipboard
};
