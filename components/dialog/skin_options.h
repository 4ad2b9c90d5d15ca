#pragma once
// The colour schemes of the skinned push button and the settings object that picks one.
#include <cstdint>

enum class TSkin : std::uint8_t {
  skSilver,
  skGray,
  skRed,
  skGreen,
  skBlue,
  skYellow,
  skMangenta,
  skOrange,
  skCyan,
  skBlack,
  skWhite,
  skDarkBlue,
  skDarkRed,
  skDarkGreen,
  skDarkYellow,
  skDarkOrange,
  skDarkMangenta,
  skDarkCyan,
  skCustom,
};

// The bitmap resource (RT_BITMAP of the program's module) holding a skin's strip;
// nullptr for a value outside the list.
const char* SkinResourceName(TSkin skin);

class TSkinButton;

class TSkinOptions {
 public:
  explicit TSkinOptions(TSkinButton& button) : button_(button) {}
  TSkinOptions(const TSkinOptions&) = delete;
  TSkinOptions& operator=(const TSkinOptions&) = delete;

  TSkin Skin() const { return skin_; }
  // Rebuilds the button's face even when the value is unchanged.
  void SetSkin(TSkin value);
  void Assign(const TSkinOptions& other) { SetSkin(other.skin_); }

 private:
  TSkinButton& button_;
  TSkin skin_ = TSkin::skSilver;
};
