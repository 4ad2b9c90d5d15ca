#include "framework/window_class_name.h"

namespace {
std::string& Prefix() {
  static std::string prefix;
  return prefix;
}
}  // namespace

void SetWindowClassPrefix(std::string prefix) { Prefix() = std::move(prefix); }

std::string WindowClassName(const char* kind) { return Prefix() + kind; }
