#include "notification_area.h"

#include "screenshot.h"
#include "wait.h"
#include "x_input.h"

namespace {
// A 16 x 16 icon centred on the spot, with a margin, inside the taskbar.
constexpr RECT kIconArea{kTrayIconSpot.x - 13, kTrayIconSpot.y - 8, 1024, kTrayIconSpot.y + 10};
// An icon changes far more pixels than this; repainting the empty area changes none.
constexpr size_t kIconPixels = 16;
}  // namespace

NotificationArea::NotificationArea() : empty_(ScreenPixels(kIconArea)) {}

bool NotificationArea::IconShown() const {
  const std::vector<COLORREF> now = ScreenPixels(kIconArea);
  size_t changed = 0;
  for (size_t i = 0; i < now.size() && i < empty_.size(); ++i)
    if (now[i] != empty_[i]) ++changed;
  return changed >= kIconPixels;
}

bool NotificationArea::WaitIconShown(bool shown, DWORD timeoutMs) const {
  return PumpUntil([&] { return IconShown() == shown; }, timeoutMs);
}

bool NotificationArea::DoubleClickIcon() const { return XClick(kTrayIconSpot.x, kTrayIconSpot.y, 1, 2); }

bool NotificationArea::RightClickIcon() const { return XClick(kTrayIconSpot.x, kTrayIconSpot.y, 3); }

void NotificationArea::DropStaleIcon() const {
  XdoTool("mousemove " + std::to_string(kTrayIconSpot.x) + " " + std::to_string(kTrayIconSpot.y) +
          " mousemove_relative 1 1");
  WaitIconShown(false);
}
