#pragma once
// ShortCut values: key code in bits 0-12, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt;
// 0 means no hotkey.
#include <cstdint>

#include "framework/shift_state.h"

using TShortCut = std::uint16_t;

inline constexpr TShortCut kShortCutShift = 0x2000;
inline constexpr TShortCut kShortCutCtrl = 0x4000;
inline constexpr TShortCut kShortCutAlt = 0x8000;
inline constexpr TShortCut kShortCutKeyMask = 0x1FFF;

// 0 when the key's high byte is not 0.
constexpr TShortCut ShortCut(std::uint16_t key, TShiftState shift) {
  if (key & 0xFF00) return 0;
  TShortCut value = key;
  if (shift.Contains(ShiftFlag::Shift)) value |= kShortCutShift;
  if (shift.Contains(ShiftFlag::Ctrl)) value |= kShortCutCtrl;
  if (shift.Contains(ShiftFlag::Alt)) value |= kShortCutAlt;
  return value;
}

constexpr void ShortCutToKey(TShortCut value, std::uint16_t& key, TShiftState& shift) {
  key = value & kShortCutKeyMask;
  shift = {};
  if (value & kShortCutShift) shift.Include(ShiftFlag::Shift);
  if (value & kShortCutCtrl) shift.Include(ShiftFlag::Ctrl);
  if (value & kShortCutAlt) shift.Include(ShiftFlag::Alt);
}
