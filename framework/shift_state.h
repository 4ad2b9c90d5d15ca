#pragma once
// The modifier set {Shift, Alt, Ctrl} and the key event that carries it.
#include <cstdint>
#include <initializer_list>

#include "framework/events.h"

class Component;

enum class ShiftFlag : std::uint8_t { Shift = 1, Alt = 2, Ctrl = 4, Double = 8 };

class TShiftState {
 public:
  constexpr TShiftState() = default;
  constexpr TShiftState(std::initializer_list<ShiftFlag> flags) {
    for (ShiftFlag f : flags) bits_ |= static_cast<std::uint8_t>(f);
  }
  constexpr bool Contains(ShiftFlag f) const { return bits_ & static_cast<std::uint8_t>(f); }
  constexpr void Include(ShiftFlag f) { bits_ |= static_cast<std::uint8_t>(f); }
  constexpr bool operator==(const TShiftState&) const = default;

 private:
  std::uint8_t bits_ = 0;
};

// Sender, Key (a virtual-key code, by reference), Shift.
using TKeyEvent = Event<Component*, std::uint16_t&, TShiftState>;
