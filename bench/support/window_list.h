#pragma once
// An EnumWindows-style callback that appends every window it is given to the
// std::vector<HWND> its parameter points to.
#include <windows.h>

#include <vector>

inline BOOL CALLBACK AppendWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}
