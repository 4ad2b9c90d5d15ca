// The least program that does a slot paste's system work: CTRL+ALT+1 registered on a
// window; on WM_HOTKEY a thread sleeps 100 ms as the program does, puts the text on the
// clipboard as CF_TEXT and sends the same key events as Velnor's paste worker
// (Alt up, Ctrl down, V down, V up, Ctrl up). Hotkey-to-paste is compared with this.
// Command line: <token> <text to paste>. Exit code 3 when the key was taken.
#include <windows.h>

#include <cstring>

namespace {

HWND window;
const char* pasteText = "";

DWORD WINAPI Paste(void*) {
  Sleep(100);
  const size_t size = std::strlen(pasteText) + 1;
  if (!OpenClipboard(window)) return 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
  std::memcpy(GlobalLock(block), pasteText, size);
  GlobalUnlock(block);
  EmptyClipboard();
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
  keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0, 0, 0);
  keybd_event('V', 0, 0, 0);
  keybd_event('V', 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
  return 0;
}

LRESULT CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_HOTKEY) {
    CloseHandle(CreateThread(nullptr, 0, Paste, nullptr, 0, nullptr));
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const char* text = std::strchr(commandLine, ' ');  // after the token
  if (text) pasteText = text + 1;
  WNDCLASSA cls{};
  cls.lpfnWndProc = FloorProc;
  cls.hInstance = instance;
  cls.lpszClassName = "VelnorPasteFloor";
  RegisterClassA(&cls);
  window = CreateWindowExA(WS_EX_TOOLWINDOW, cls.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           instance, nullptr);
  if (!RegisterHotKey(window, 1, MOD_CONTROL | MOD_ALT, '1')) return 3;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  DestroyWindow(window);
  return 0;
}
