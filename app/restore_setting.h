#pragma once
// The switch that puts the user's clipboard content back after pastes, kept beside
// the slots as the DWORD RestoreClipboard: 1 is on; 0, a missing value, or a value of
// any other type or size is off (and such a value is left for the user to see).
inline constexpr char kRestoreClipboardValue[] = "RestoreClipboard";

bool ReadRestoreClipboard();
// Throws Error naming the value when it cannot be written.
void WriteRestoreClipboard(bool on);
