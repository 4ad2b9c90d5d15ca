#pragma once
// The order in which the Tab key visits the windowed controls inside a window: each
// parent's children by TabOrder, then in the order they were placed, and a child's
// own children right after it, so controls laid on a panel are visited as well.
#include <vector>

#include "framework/control.h"

// Every windowed control inside root, in that order (root itself not included).
std::vector<TWinControl*> TabOrderList(const TWinControl& root);

// The tab stop after current (before it when forward is false) that can take the
// focus now, going round past the end; when current is none of them, the first one
// (the last one going back).
// Null when no control can take the focus.
TWinControl* FindNextTabStop(const TWinControl& root, const TWinControl* current, bool forward);
