// The least program that opens a slot editor the way Velnor does: a window with one
// button whose click shows a modal dialog of plain Win32 controls, as many of each
// kind as the editor has and where its layout puts them: a panel filling the client
// area, seven labels, three edit boxes (display text, paste text, key), three check
// boxes and three push buttons. Cancel or OK closes it; the window is shown at start.
#include <windows.h>

namespace {
constexpr char kMainClass[] = "VelnorEditorFloor";
constexpr char kDialogClass[] = "VelnorEditorFloorDialog";
constexpr char kPanelClass[] = "VelnorEditorFloorPanel";
constexpr int kOpenId = 100;

struct Control {
  const char* className;
  const char* text;
  DWORD style;
  int left, top, width, height;
};

// The editor's controls on its panel, in its layout's places.
constexpr Control kControls[] = {
    {"EDIT", "", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 20, 76, 257, 20},
    {"BUTTON", "", BS_AUTOCHECKBOX | WS_TABSTOP, 24, 128, 17, 20},
    {"STATIC", "CTRL", 0, 44, 129, 36, 18},
    {"BUTTON", "", BS_AUTOCHECKBOX | WS_TABSTOP, 96, 128, 17, 20},
    {"STATIC", "ALT", 0, 116, 129, 27, 18},
    {"BUTTON", "", BS_AUTOCHECKBOX | WS_TABSTOP, 160, 128, 17, 20},
    {"STATIC", "SHIFT", 0, 180, 129, 40, 18},
    {"EDIT", "", WS_BORDER | ES_UPPERCASE | WS_TABSTOP, 266, 127, 25, 20},
    {"BUTTON", "OK", BS_PUSHBUTTON | WS_TABSTOP, 240, 176, 72, 24},
    {"BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 168, 176, 72, 24},
    {"EDIT", "", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 20, 28, 257, 20},
    {"STATIC", "Display Text:", 0, 8, 8, 89, 15},
    {"STATIC", "Paste Text:", 0, 8, 56, 89, 15},
    {"STATIC", "Hot Key:", 0, 8, 106, 89, 15},
    {"STATIC", "Key:", 0, 232, 128, 30, 18},
    {"BUTTON", "Delete", BS_PUSHBUTTON | WS_TABSTOP, 8, 152, 72, 24},
};

// The panel passes its buttons' clicks on to the dialog.
LRESULT CALLBACK PanelProc(HWND panel, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND) return SendMessageA(GetParent(panel), msg, wParam, lParam);
  return DefWindowProcA(panel, msg, wParam, lParam);
}

LRESULT CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: {
      HINSTANCE instance = GetModuleHandleA(nullptr);
      HWND panel = CreateWindowExA(0, kPanelClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 318, 209, dialog, nullptr,
                                   instance, nullptr);
      int id = 1;
      for (const Control& c : kControls)
        CreateWindowExA(0, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, c.left, c.top, c.width,
                        c.height, panel, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance,
                        nullptr);
      return 0;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (HIWORD(wParam) == BN_CLICKED && (id == 9 || id == 10)) DestroyWindow(dialog);  // OK, Cancel
      return 0;
    }
    case WM_CLOSE:
      DestroyWindow(dialog);
      return 0;
  }
  return DefWindowProcA(dialog, msg, wParam, lParam);
}

// Modal as a form's ShowModal is: the owner disabled and a loop of its own.
void ShowEditor(HWND owner) {
  RECT client{0, 0, 318, 209};
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  AdjustWindowRect(&client, style, FALSE);
  RECT ownerRect;
  GetWindowRect(owner, &ownerRect);
  const int width = client.right - client.left, height = client.bottom - client.top;
  HWND dialog = CreateWindowExA(WS_EX_DLGMODALFRAME, kDialogClass, "Editor floor", style,
                                (ownerRect.left + ownerRect.right - width) / 2,
                                (ownerRect.top + ownerRect.bottom - height) / 2, width, height, owner,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  EnableWindow(owner, FALSE);
  ShowWindow(dialog, SW_SHOW);
  MSG msg;
  while (IsWindow(dialog) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  EnableWindow(owner, TRUE);
  SetActiveWindow(owner);
  if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));
}

LRESULT CALLBACK MainProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND && LOWORD(wParam) == kOpenId) {
    ShowEditor(window);
    return 0;
  }
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, msg, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA main{};
  main.lpfnWndProc = MainProc;
  main.hInstance = instance;
  main.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  main.lpszClassName = kMainClass;
  WNDCLASSA dialog = main;
  dialog.lpfnWndProc = DialogProc;
  dialog.lpszClassName = kDialogClass;
  WNDCLASSA panel = main;
  panel.lpfnWndProc = PanelProc;
  panel.lpszClassName = kPanelClass;
  if (!RegisterClassA(&main) || !RegisterClassA(&dialog) || !RegisterClassA(&panel)) return 1;
  // Right of where Velnor's window stands, so the two never cover each other.
  HWND window = CreateWindowExA(0, kMainClass, "Editor floor main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 680, 60,
                                300, 300, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  CreateWindowExA(0, "BUTTON", "Slot 1", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 140, 50, window,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOpenId)), instance, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
