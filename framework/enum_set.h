#pragma once
// A set of values of a small enum class (at most 32 values), as a bit mask:
// option sets, style sets, the sides of a frame.
#include <cstdint>
#include <initializer_list>

template <class E>
class EnumSet {
 public:
  constexpr EnumSet() = default;
  constexpr EnumSet(std::initializer_list<E> values) {
    for (E value : values) Include(value);
  }
  constexpr bool Contains(E value) const { return (bits_ & Bit(value)) != 0; }
  constexpr void Include(E value) { bits_ |= Bit(value); }
  constexpr void Exclude(E value) { bits_ &= ~Bit(value); }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr bool operator==(const EnumSet&) const = default;

 private:
  static constexpr std::uint32_t Bit(E value) { return std::uint32_t{1} << static_cast<unsigned>(value); }
  std::uint32_t bits_ = 0;
};
