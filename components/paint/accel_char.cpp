#include "components/paint/accel_char.h"

#include <windows.h>

char AccelCharOf(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return caption[i + 1];
    ++i;  // an escaped ampersand
  }
  return 0;
}

bool MatchesAccelChar(char key, const std::string& caption) {
  const char marked = AccelCharOf(caption);
  if (marked == 0) return false;
  // CharUpperA takes a lone character in the low word of its pointer argument.
  auto upper = [](char c) {
    const auto code = static_cast<ULONG_PTR>(static_cast<BYTE>(c));
    return reinterpret_cast<ULONG_PTR>(CharUpperA(reinterpret_cast<LPSTR>(code))) & 0xFF;
  };
  return upper(marked) == upper(key);
}
