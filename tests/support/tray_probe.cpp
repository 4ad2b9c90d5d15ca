#include "tray_probe.h"

#include <shellapi.h>

namespace {
bool NotifyIconCall(DWORD message, HWND window) {
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
  if (!NotifyIconCall(NIM_ADD, window)) return true;
  NotifyIconCall(NIM_DELETE, window);
  return false;
}

bool ShellKnowsIcon(HWND window) {
  NOTIFYICONDATAA record{};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = window;
  return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

bool ShellDropIcon(HWND window) { return NotifyIconCall(NIM_DELETE, window); }

bool ShellAcceptsIcons() {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  const bool accepted = !ShellHasIcon(window);  // a fresh window has none: a refusal is the shell's
  DestroyWindow(window);
  return accepted;
}

bool BroadcastTaskbarCreated() {
  const UINT message = RegisterWindowMessageA("TaskbarCreated");
  DWORD_PTR answer = 0;
  return message != 0 && SendMessageTimeoutA(HWND_BROADCAST, message, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                             5000, &answer) != 0;
}
