#include "message_box_look.h"

#include <algorithm>

#include "framework/gdi.h"
#include "mouse_input.h"
#include "pixel_surface.h"
#include "screenshot.h"
#include "wait.h"
#include "window_class.h"

namespace {
std::vector<HWND> VisibleChildren(HWND box, const char* className) {
  std::vector<HWND> children;
  for (HWND child = nullptr; (child = FindWindowExA(box, child, nullptr, nullptr));)
    if (IsWindowVisible(child) && _stricmp(ClassOf(child).c_str(), className) == 0) children.push_back(child);
  return children;
}

struct ButtonName {
  int id;
  const char* name;
};
constexpr ButtonName kButtonNames[] = {
    {IDOK, "OK"},       {IDCANCEL, "Cancel"},      {IDABORT, "Abort"},
    {IDRETRY, "Retry"}, {IDIGNORE, "Ignore"},      {IDYES, "Yes"},
    {IDNO, "No"},       {IDTRYAGAIN, "Try Again"}, {IDCONTINUE, "Continue"}};

std::string NameOf(int id) {
  for (const ButtonName& button : kButtonNames)
    if (button.id == id) return button.name;
  return "button " + std::to_string(id);
}

struct SystemIcon {
  LPCSTR resource;
  const char* name;
};
const SystemIcon kSystemIcons[] = {{IDI_ERROR, "error icon"},
                                   {IDI_WARNING, "warning icon"},
                                   {IDI_INFORMATION, "information icon"},
                                   {IDI_QUESTION, "question icon"}};

// The system's picture as a static icon control draws it: stretched to the control,
// over the background of the box, which shows where the picture is clear.
std::vector<COLORREF> SystemPicture(LPCSTR resource, int width, int height, COLORREF background) {
  PixelSurface surface(width, height, background);
  DrawIconEx(surface.Dc(), 0, 0, LoadIconA(nullptr, resource), width, height, 0, nullptr, DI_NORMAL);
  return surface.Area().pixels;
}

// Which system icon the box shows; "no icon" when it shows none.
std::string IconOf(HWND box) {
  HWND icon = nullptr;
  for (HWND child : VisibleChildren(box, "Static"))
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) icon = child;
  // A box without an icon may keep the control, empty.
  DWORD_PTR shows = 0;
  if (!icon || !SendMessageTimeoutA(icon, STM_GETICON, 0, 0, SMTO_NORMAL, 2000, &shows) || !shows)
    return "no icon";
  RECT screen{};
  GetWindowRect(icon, &screen);
  const int width = screen.right - screen.left, height = screen.bottom - screen.top;
  std::string found = "an icon of its own";
  // The box paints after it shows: wait for a picture the system knows. The box's
  // background is read just left of the control.
  PumpUntil(
      [&] {
        const COLORREF background =
            ScreenPixels({screen.left - 1, screen.top, screen.left, screen.top + 1}).front();
        const std::vector<COLORREF> shown = ScreenPixels(screen);
        for (const SystemIcon& system : kSystemIcons)
          if (shown == SystemPicture(system.resource, width, height, background)) {
            found = system.name;
            return true;
          }
        return false;
      },
      2000);
  return found;
}
}  // namespace

std::vector<MessageBoxButton> MessageBoxButtons(HWND box) {
  std::vector<MessageBoxButton> buttons;
  for (HWND child : VisibleChildren(box, "Button")) {
    RECT screen{};
    GetWindowRect(child, &screen);
    buttons.push_back({GetDlgCtrlID(child), screen});
  }
  std::sort(buttons.begin(), buttons.end(), [](const MessageBoxButton& a, const MessageBoxButton& b) {
    return a.screen.left < b.screen.left;
  });
  return buttons;
}

std::string MessageBoxLook(HWND box) {
  std::string look;
  for (const MessageBoxButton& button : MessageBoxButtons(box))
    look += (look.empty() ? "" : ", ") + NameOf(button.id);
  return (look.empty() ? "no button" : look) + "; " + IconOf(box);
}

bool ClickMessageBoxButton(HWND box, int id) {
  for (const MessageBoxButton& button : MessageBoxButtons(box))
    if (button.id == id) {
      ClickAt(
          {(button.screen.left + button.screen.right) / 2, (button.screen.top + button.screen.bottom) / 2});
      return true;
    }
  return false;
}
