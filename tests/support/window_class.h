#pragma once
// The class name of a window as GetClassName reports it (empty for no window).
#include <windows.h>

#include <string>

inline std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}
