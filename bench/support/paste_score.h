#pragma once
// What a burst of presses left in the target, against what was pressed: each press's
// slot text should be there once, in press order. The texts all start with one
// marker, so the landed text splits into one piece per paste.
#include <string>
#include <vector>

struct PasteScore {
  long right = 0;  // pastes that landed with their own slot's text, in order
  long wrong = 0;  // pieces in a press's place that are another slot's text, or no slot's
  long lost = 0;   // presses whose text never came
};

// expected: the slot text of every press, in press order; marker: the start they share.
PasteScore ScorePastes(const std::vector<std::string>& expected, const std::string& landed,
                       const std::string& marker);
