#pragma once
// The accelerator of a caption drawn with prefix processing: the character after
// its first single ampersand ("&&" shows one ampersand and marks nothing).
#include <string>

// The marked character, or 0 when the caption marks none.
char AccelCharOf(const std::string& caption);
// Whether key is the caption's accelerator, letters compared without case.
bool MatchesAccelChar(char key, const std::string& caption);
