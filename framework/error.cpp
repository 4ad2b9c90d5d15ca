#include "framework/error.h"

#include <cstring>

std::string FormatWithName(const char* pattern, const std::string& name) {
  std::string text(pattern);
  if (auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, name);
  return text;
}
