#include "shown_menu.h"

#include "screenshot.h"
#include "wait.h"

namespace {
constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU

HWND ShownMenuWindow() {
  for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "#32768", nullptr));) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

std::vector<std::string> ReadItems(HMENU menu) {
  std::vector<std::string> items;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_STATE;
    info.dwTypeData = text;
    info.cch = sizeof text;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) {
      items.push_back("?");
      continue;
    }
    std::string item = (info.fType & MFT_SEPARATOR)                   ? "-"
                       : (info.fType & ~MFT_RADIOCHECK) == MFT_STRING ? text
                                                                      : "?";
    if (info.fState & MFS_DEFAULT) item += " (default)";
    if (info.fState & MFS_CHECKED) item += " (checked)";
    items.push_back(item);
  }
  return items;
}
}  // namespace

ShownMenuReader::ShownMenuReader(std::string screenshot)
    : screenshot_(std::move(screenshot)), thread_([this] { Watch(); }) {}

ShownMenuReader::~ShownMenuReader() {
  stop_ = true;
  thread_.join();
}

bool ShownMenuReader::WaitRead(DWORD timeoutMs) {
  // The menu is closed once read: wait for its window to go too.
  return PumpUntil([this] { return read_ && !ShownMenuWindow(); }, timeoutMs);
}

std::vector<std::string> ShownMenuReader::Items() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return items_;
}

std::string ShownMenuReader::Listed() const {
  std::string listed;
  for (const std::string& item : Items()) listed += (listed.empty() ? "" : " | ") + item;
  return listed;
}

void ShownMenuReader::Watch() {
  HWND window = nullptr;
  while (!stop_ && !(window = ShownMenuWindow())) Sleep(10);
  if (!window) return;
  // The menu's thread answers sent messages while it tracks the menu.
  DWORD_PTR menu = 0;
  if (SendMessageTimeoutA(window, kGetMenu, 0, 0, SMTO_NORMAL, 2000, &menu) && menu) {
    std::lock_guard<std::mutex> lock(mutex_);
    items_ = ReadItems(reinterpret_cast<HMENU>(menu));
  }
  if (!screenshot_.empty()) SaveScreenshot(screenshot_);
  read_ = true;
  PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
}
