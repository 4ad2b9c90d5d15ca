#pragma once
// ShortCut values (key code in bits 0-12, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt;
// 0 = no hotkey) and the hotkey text ("CTRL+ALT+SHIFT+K") made from a slot.
#include <cstdint>
#include <string>

#include "framework/shift_state.h"

struct THotkeyStruct;

using TShortCut = std::uint16_t;

inline constexpr TShortCut kShortCutShift = 0x2000;
inline constexpr TShortCut kShortCutCtrl = 0x4000;
inline constexpr TShortCut kShortCutAlt = 0x8000;
inline constexpr TShortCut kShortCutKeyMask = 0x1FFF;

// 0 when the key's high byte is not 0.
TShortCut ShortCut(std::uint16_t key, TShiftState shift);
void ShortCutToKey(TShortCut value, std::uint16_t& key, TShiftState& shift);
// The key name table's name of the low byte with "Shift+", "Ctrl+", "Alt+" before
// it; empty when the key has no name.
std::string ShortCutToText(TShortCut value);
TShortCut TextToShortCut(const std::string& text);
// The keyboard layout's name of the value's low byte, or empty.
std::string GetSpecialName(TShortCut value);

// "CTRL", "ALT", "SHIFT" (each only for a flag of exactly 1) and the key character, joined by "+".
std::string MakeHotkeyText(const THotkeyStruct& slot);
