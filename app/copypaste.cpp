#include "app/copypaste.h"

#include <mutex>

#include "framework/clipboard.h"

namespace {
// Held from opening the clipboard to closing it. Overlapping workers share the
// clipboard object's open count and own window, and OpenClipboard refuses only a
// different window: a second worker opening through the application window would
// share the first one's open clipboard from another thread.
std::mutex clipboardLock;

void SendKey(BYTE key, DWORD flags) { keybd_event(key, 0, flags, 0); }
}  // namespace

TCopyPaste::TCopyPaste() { FreeOnTerminate = true; }

void TCopyPaste::Execute() {
  // Gives the user time to let go of the hotkey's own keys before the paste.
  Sleep(100);
  {
    std::lock_guard<std::mutex> lock(clipboardLock);
    Clipboard::Instance().SetTextBuf(PasteText);
  }
  // The target sees Ctrl+V only, not Ctrl+Alt+Shift+V, while the hotkey is still held.
  if (AltHeld) SendKey(VK_MENU, KEYEVENTF_KEYUP);
  if (ShiftHeld) SendKey(VK_SHIFT, KEYEVENTF_KEYUP);
  SendKey(VK_CONTROL, 0);
  SendKey('V', 0);
  SendKey('V', KEYEVENTF_KEYUP);
  SendKey(VK_CONTROL, KEYEVENTF_KEYUP);
}
