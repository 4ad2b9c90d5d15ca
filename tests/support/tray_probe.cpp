#include "tray_probe.h"

#include <shellapi.h>

namespace {
bool Shell(DWORD message, HWND window) {
  NOTIFYICONDATAA record{};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = window;
  record.uFlags = NIF_ICON | NIF_MESSAGE;
  record.uCallbackMessage = WM_USER + 101;
  record.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
  return Shell_NotifyIconA(message, &record) != FALSE;
}
}  // namespace

bool ShellHasIcon(HWND window) {
  if (!Shell(NIM_ADD, window)) return true;
  Shell(NIM_DELETE, window);
  return false;
}

bool ShellKnowsIcon(HWND window) {
  NOTIFYICONDATAA record{};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = window;
  return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

bool ShellDropIcon(HWND window) { return Shell(NIM_DELETE, window); }
