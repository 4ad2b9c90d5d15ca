#pragma once
// The notification area at the bottom right of Wine's desktop, as a user sees and
// uses it. Whether the program's icon shows is read from the screen: the shell
// offers no other process a way to list its icons. With a single icon, the icon is
// centred near (1013, 757).
#include <windows.h>

#include <vector>

inline constexpr POINT kTrayIconSpot{1013, 757};

class NotificationArea {
 public:
  // Remembers how the area around the spot looks now: take it while the program's
  // icon is not shown.
  NotificationArea();

  // The area looks different from then: an icon is drawn at the spot.
  bool IconShown() const;
  // Polls until IconShown() equals shown; false when that did not happen in time.
  bool WaitIconShown(bool shown, DWORD timeoutMs = 5000) const;

  // Through the X server, as a user: a left double click on the icon, and a click of
  // the right button (the icon's menu opens on the press).
  bool DoubleClickIcon() const;
  bool RightClickIcon() const;
  // The shell drops the icon of a program that ended without removing it only when
  // it fails to tell the program about the pointer: the pointer passes over the spot.
  void DropStaleIcon() const;

 private:
  std::vector<COLORREF> empty_;
};
