#pragma once
// ShortCut values as text, and the hotkey text ("CTRL+ALT+SHIFT+K") made from a slot.
#include <cstdint>
#include <string>

#include "framework/shortcut_value.h"

struct THotkeyStruct;

// The key name table's name of the low byte with "Shift+", "Ctrl+", "Alt+" before
// it; empty when the key has no name.
std::string ShortCutToText(TShortCut value);
TShortCut TextToShortCut(const std::string& text);
// The keyboard layout's name of the value's low byte, or empty.
std::string GetSpecialName(TShortCut value);

// "CTRL", "ALT", "SHIFT" (each only for a flag of exactly 1) and the key character, joined by "+".
std::string MakeHotkeyText(const THotkeyStruct& slot);
