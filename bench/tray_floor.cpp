// The least program that does Velnor's start-up system work: the single-instance
// mutex, Ctrl+Shift+Z and one slot hotkey (CTRL+ALT+1), one notification icon and a
// message loop. Start-to-ready, memory and idle figures are compared with this.
// Exit code 3 when a hotkey was taken at the moment of registering, so a driver can
// tell a lost race with its readiness probe from a real start.
#include <windows.h>
// shellapi.h needs the types windows.h declares first.
#include <shellapi.h>

#include <cstring>

namespace {
LRESULT CALLBACK FloorProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, msg, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  HANDLE mutex = CreateMutexA(nullptr, TRUE, "Velnor by dastrel");
  if (GetLastError() != 0) return 1;
  WNDCLASSA cls{};
  cls.lpfnWndProc = FloorProc;
  cls.hInstance = instance;
  cls.lpszClassName = "VelnorTrayFloor";
  RegisterClassA(&cls);
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, cls.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, instance, nullptr);
  if (!RegisterHotKey(window, 1, MOD_CONTROL | MOD_SHIFT, 'Z') ||
      !RegisterHotKey(window, 2, MOD_CONTROL | MOD_ALT, '1'))
    return 3;
  NOTIFYICONDATAA icon{};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = window;
  icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  icon.uCallbackMessage = WM_USER + 101;
  icon.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  std::strcpy(icon.szTip, "Velnor");
  Shell_NotifyIconA(NIM_ADD, &icon);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  Shell_NotifyIconA(NIM_DELETE, &icon);
  DestroyWindow(window);
  ReleaseMutex(mutex);
  CloseHandle(mutex);
  return 0;
}
