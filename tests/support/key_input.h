#pragma once
// Synthetic key presses that reach system-wide hotkeys, as the keyboard would.
#include <windows.h>

#include <string>
#include <vector>

// Key events gathered in order and sent as one SendInput, so nothing of this
// process's comes between them.
class KeySequence {
 public:
  KeySequence& Down(UINT key);
  KeySequence& Up(UINT key);
  void Send() const;

 private:
  KeySequence& Add(UINT key, DWORD flags);
  std::vector<INPUT> inputs_;
};

// Presses key with the modifiers (MOD_CONTROL, MOD_ALT, MOD_SHIFT) held: one SendInput
// of modifiers down, key down, key up, modifiers up, so no modifier stays held.
void PressHotkey(UINT modifiers, UINT key);
// Presses and releases one key with no modifier.
void PressKey(UINT key);
// Types the text into the focused window, a key press per character, with Shift
// held for the characters that need it on this keyboard layout.
void TypeText(const std::string& text);
// Types one character that may have no key of its own (a Japanese one, say) as a
// Unicode key event.
void TypeCharacter(wchar_t character);
