#pragma once
// One paste on a thread of its own: wait 100 ms, put PasteText on the clipboard as
// CF_TEXT, release Alt and Shift when the hotkey used them, then Ctrl+V. Pastes take
// the clipboard in the order of the presses, each once the one before was read.
// Created suspended and filled in by the caller, on the user-interface thread (whose
// message loop hands the texts to their readers); it deletes itself when done.
#include <cstdint>
#include <string>

#include "framework/thread.h"

class ClipboardOffer;

class TCopyPaste : public Thread {
 public:
  TCopyPaste();  // suspended, empty text, both flags false, frees itself when finished
  ~TCopyPaste() override;

  // Lets the pastes still pending finish before the program's objects go away: on the
  // user-interface thread, after its message loop ended, it answers their clipboard
  // requests until the last worker is gone. Pastes not at the clipboard by
  // kFinishBound are dropped, so the program ends well within a second.
  static void FinishPending();

  std::string PasteText;
  bool ShiftHeld = false;
  bool AltHeld = false;

 protected:
  void Execute() override;

 private:
  std::uint64_t turn_;  // this worker's place in the order of turns at the clipboard
  ClipboardOffer& clipboard_;
};
