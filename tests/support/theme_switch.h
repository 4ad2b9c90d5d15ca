#pragma once
// The program's themed drawing switched for a scope, back on (its default) at the end,
// whichever way the scope ends: tests of the classic looks turn it off.
#include "components/paint/visual_styles.h"

class ThemeSwitch {
 public:
  explicit ThemeSwitch(bool themed) { SetUseXPThemes(themed); }
  ~ThemeSwitch() { SetUseXPThemes(true); }
  ThemeSwitch(const ThemeSwitch&) = delete;
  ThemeSwitch& operator=(const ThemeSwitch&) = delete;
};
