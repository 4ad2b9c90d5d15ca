#pragma once
// Synthetic key presses that reach system-wide hotkeys, as the keyboard would.
#include <windows.h>

// Presses key with the modifiers (MOD_CONTROL, MOD_ALT, MOD_SHIFT) held: one SendInput
// of modifiers down, key down, key up, modifiers up, so no modifier stays held.
void PressHotkey(UINT modifiers, UINT key);
// Presses and releases one key with no modifier.
void PressKey(UINT key);
