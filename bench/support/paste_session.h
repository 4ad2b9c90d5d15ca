#pragma once
// Slot 1's hotkey (CTRL+ALT+1) pressed into the target window one press at a time:
// each press waits for the whole text to arrive and for the paste's closing Ctrl
// up, then a short gap, before the next.
#include <string>
#include <vector>

#include "bench/support/target.h"

class PasteSession {
 public:
  PasteSession(TargetWindow& target, std::string text) : target_(target), text_(std::move(text)) {}

  // Milliseconds from just before the hotkey's SendInput to the edit control's
  // report of the complete text, or -1 when it did not arrive within 2 s.
  double PressOnce();
  // The delays of those of count presses whose text arrived.
  std::vector<double> Press(int count);
  int Missed() const { return missed_; }
  // The counter time at which the last press's text arrived, or -1 when it did not.
  double LastArrival() const { return lastArrival_; }

 private:
  TargetWindow& target_;
  std::string text_;
  int missed_ = 0;
  double lastArrival_ = -1;
};
