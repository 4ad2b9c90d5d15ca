#include "components/dialog/skin_options.h"

#include <iterator>

#include "components/dialog/skin_button.h"

const char* SkinResourceName(TSkin skin) {
  static const char* const kNames[] = {
      "SILVER", "GRAY",  "RED",  "GREEN",  "BLUE",    "YELLOW",  "MANGENTA",  "ORANGE", "CYAN",   "BLACK",
      "WHITE",  "DBLUE", "DRED", "DGREEN", "DYELLOW", "DORANGE", "DMANGENTA", "DCYAN",  "CUSTOM",
  };
  const auto index = static_cast<std::size_t>(skin);
  return index < std::size(kNames) ? kNames[index] : nullptr;
}

void TSkinOptions::SetSkin(TSkin value) {
  skin_ = value;
  button_.BuildSkin();
}
