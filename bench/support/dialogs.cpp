#include "bench/support/dialogs.h"

#include <stdexcept>
#include <string>

#include "bench/support/clock.h"
#include "bench/support/target.h"
#include "bench/support/window_list.h"

bool PumpUntil(const std::function<bool()>& done, double timeoutMs) {
  const double end = NowMs() + timeoutMs;
  while (!done()) {
    if (NowMs() > end) return false;
    PumpFor(1);
  }
  return true;
}

namespace {
INPUT MouseAt(POINT screen, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return input;
}

void Send(const INPUT* inputs, UINT count) {
  if (SendInput(count, const_cast<INPUT*>(inputs), sizeof(INPUT)) != count)
    throw std::runtime_error("SendInput failed: " + std::to_string(GetLastError()));
}
}  // namespace

void MovePointerTo(POINT screen) {
  const INPUT move = MouseAt(screen, 0);
  Send(&move, 1);
  PumpUntil(
      [screen] {
        POINT now{};
        return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
      },
      1000);
  PumpFor(50);
}

void PressAt(POINT screen, bool right) {
  const INPUT press[2] = {MouseAt(screen, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
                          MouseAt(screen, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)};
  Send(press, 2);
}

void ClickAt(POINT screen, bool right) {
  MovePointerTo(screen);
  PressAt(screen, right);
}

namespace {
struct Search {
  DWORD processId;
  const char* title;
  const char* className;
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<Search*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
  char text[128] = {};
  if (search.title) {
    GetWindowTextA(window, text, sizeof text);
    if (std::string(text) != search.title) return TRUE;
  }
  if (search.className) {
    GetClassNameA(window, text, sizeof text);
    if (std::string(text) != search.className) return TRUE;
  }
  search.found = window;
  return FALSE;
}

BOOL CALLBACK CountOf(HWND window, LPARAM lParam) {
  auto& [processId, count] = *reinterpret_cast<std::pair<DWORD, int>*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == processId) count += static_cast<int>(WindowAndDescendants(window).size());
  return TRUE;
}
}  // namespace

HWND ShownWindowOf(DWORD processId, const char* title, const char* className) {
  Search search{processId, title, className};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> WindowAndDescendants(HWND window) {
  std::vector<HWND> windows{window};
  EnumChildWindows(window, AppendWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

int WindowsOf(DWORD processId) {
  std::pair<DWORD, int> count{processId, 0};
  EnumWindows(CountOf, reinterpret_cast<LPARAM>(&count));
  return count.second;
}

POINT ClientToScreenAt(HWND window, POINT client) {
  ClientToScreen(window, &client);
  return client;
}

std::vector<COLORREF> ClientPixels(HWND window, const RECT& client) {
  const POINT origin = ClientToScreenAt(window, {client.left, client.top});
  const int width = client.right - client.left, height = client.bottom - client.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<COLORREF> pixels(static_cast<size_t>(width * height));
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const COLORREF*>(bits);
    pixels.assign(source, source + pixels.size());
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

bool Painted(HWND window, const RECT& probe, const std::vector<COLORREF>& expected) {
  if (!IsWindowVisible(window)) return false;
  for (HWND w : WindowAndDescendants(window))
    if (GetUpdateRect(w, nullptr, FALSE)) return false;
  return ClientPixels(window, probe) == expected;
}

std::vector<COLORREF> SettledPixels(HWND window, const RECT& probe) {
  std::vector<COLORREF> last = ClientPixels(window, probe);
  const double end = NowMs() + 3000;
  for (double since = NowMs(); NowMs() < end;) {
    PumpFor(20);
    std::vector<COLORREF> now = ClientPixels(window, probe);
    if (now != last) {
      last = std::move(now);
      since = NowMs();
    } else if (NowMs() - since >= 300) {
      break;
    }
  }
  return last;
}

bool CloseByClick(HWND window, POINT client) {
  ClickAt(ClientToScreenAt(window, client));
  auto closed = [window] { return !IsWindow(window) || !IsWindowVisible(window); };
  if (PumpUntil(closed, 1000)) return true;
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (!PumpUntil(closed, 2000)) throw std::runtime_error("a dialog does not close, not even on WM_CLOSE");
  return false;
}
