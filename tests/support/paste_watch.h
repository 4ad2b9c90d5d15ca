#pragma once
// What the program's pastes leave behind, seen the way another program sees it: the
// paste worker puts its text on the clipboard after its 100 ms wait. A mark put there
// first tells "no paste happened" from "the paste has not come yet".
#include <string>

// Replaces the clipboard's content with a text no paste uses.
void MarkClipboard();
// Pumps until the clipboard holds exactly text as CF_TEXT, then a little longer, so
// the worker has sent its Ctrl+V and ended; false when the text did not come.
bool ClipboardGets(const std::string& text);
// Pumps well past a worker's wait; true when the mark is still there.
bool ClipboardKeepsMark();
