// The quick-select popup of the real program: Ctrl+Shift+Z opens it above the
// pointer, one row per slot with a display text; a click pastes, Esc closes.
#include <doctest.h>

#include <cstdio>
#include <functional>

#include "button_reference.h"
#include "dialog_reference.h"
#include "key_input.h"
#include "message_box_watcher.h"
#include "screenshot.h"
#include "text.h"
#include "velnor_session.h"
#include "wait.h"
#include "x_input.h"

namespace {
constexpr int kRowHeight = 20;
constexpr int kPopupWidth = 109;

// Every slot has a paste text, so a row that offers the wrong slot pastes a wrong
// text; only the named ones have a display text. No slot has a hotkey.
std::vector<SlotAt> SlotsNamed(const std::vector<int>& named) {
  std::vector<SlotAt> slots;
  for (int i = 0; i < 10; ++i) slots.push_back({i, {"", "text of slot " + std::to_string(i), 0, 0, 0, 0}});
  for (int i : named) slots[i].slot.display = "Slot " + std::to_string(i);
  return slots;
}

std::string Bounds(int left, int top, int width, int height) {
  char text[64];
  std::snprintf(text, sizeof text, "(%d, %d) %d x %d", left, top, width, height);
  return text;
}

std::string BoundsOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return Bounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace

TEST_CASE("the popup opens above the pointer and inside the screen") {
  struct Placement {
    const char* name;
    POINT pointer;
    int left, top;
  };
  // The screen is 1024 wide; three named slots make the popup 60 high.
  const Placement placements[] = {
      {"pushed left at the right edge", {1000, 500}, 905, 430},
      {"pushed down at the top edge", {10, 30}, 10, 0},
      {"exactly fitting at the right edge", {915, 300}, 915, 230},
  };
  for (const Placement& p : placements) {
    CAPTURE(p.name);
    VelnorSession session(SlotsNamed({0, 1, 2}));
    REQUIRE(session.Start());
    REQUIRE(XMovePointer(p.pointer.x, p.pointer.y));
    HWND popup = session.OpenQuickSelect();
    REQUIRE(popup != nullptr);
    CHECK(BoundsOf(popup) == Bounds(p.left, p.top, kPopupWidth, 3 * kRowHeight));
  }
}

TEST_CASE(
    "the popup's rows look as their layout draws them: the themed face on the button face, the text "
    "centred") {
  VelnorSession session(SlotsNamed({0, 1, 2}));
  REQUIRE(session.Start());
  REQUIRE(XMovePointer(600, 400));  // the popup opens above the pointer: no row is hot
  HWND popup = session.OpenQuickSelect();
  REQUIRE(popup != nullptr);
  REQUIRE(session.velnor.WaitSettled());
  for (int row = 0; row < 3; ++row) {
    CAPTURE(row);
    // The buttons are 110 wide in a popup 109 wide: their last column is cut off.
    const ButtonPicture expected =
        PanelButtonPicture(110, kRowHeight, ButtonStyle::Win40, true, true, "Slot " + std::to_string(row));
    const PixelArea shown = ShownArea(popup, {0, row * kRowHeight, kPopupWidth, (row + 1) * kRowHeight});
    int differing = 0;
    for (int y = 0; y < kRowHeight; ++y)
      for (int x = 0; x < kPopupWidth; ++x)
        if (shown.At(x, y) != expected.pixels.At(x, y)) ++differing;
    CHECK_MESSAGE(differing == 0,
                  differing << " pixels of the row differ from the row as its layout draws it");
  }
}

TEST_CASE("a click on a row pastes the slot that row offers and closes the popup") {
  struct RowCase {
    const char* name;
    std::vector<int> named;
    int row;
    const char* pasted;
  };
  // The popup offers the slots with a display text, in slot order, from the top.
  const RowCase cases[] = {
      {"named slots first: the second row is slot 1", {0, 1, 2}, 1, "text of slot 1"},
      {"named slots 2, 5, 9: the third row is slot 9", {2, 5, 9}, 2, "text of slot 9"},
  };
  for (const RowCase& c : cases) {
    CAPTURE(c.name);
    VelnorSession session(SlotsNamed(c.named));
    REQUIRE(session.Start());
    REQUIRE(session.target.Activate());
    REQUIRE(XMovePointer(600, 400));
    HWND popup = session.OpenQuickSelect();
    REQUIRE(popup != nullptr);
    RECT r{};
    GetWindowRect(popup, &r);
    CHECK(r.bottom - r.top == kRowHeight * static_cast<int>(c.named.size()));
    CHECK(SaveScreenshot("e2e-quickselect-" + std::to_string(c.named.front()) + "-" +
                         std::to_string(c.named.back())));

    REQUIRE(XClick(r.left + kPopupWidth / 2, r.top + kRowHeight * c.row + kRowHeight / 2));
    CHECK(session.QuickSelectGone());
    CHECK(session.TextArrives(c.pasted));
  }
}

TEST_CASE("Esc closes the popup without a paste") {
  VelnorSession session(SlotsNamed({0, 1, 2}));
  REQUIRE(session.Start());
  REQUIRE(session.target.Activate());
  REQUIRE(session.OpenQuickSelect() != nullptr);

  PressKey(VK_ESCAPE);
  CHECK(session.QuickSelectGone());
  // A paste would come 100 ms after a click; nothing marks its absence.
  PumpFor(500);
  CHECK(session.target.Text() == "");
  CHECK(session.velnor.Running());
}

TEST_CASE("with no display text Ctrl+Shift+Z says so and shows no popup, each time") {
  VelnorSession session(SlotsNamed({}));
  REQUIRE(session.Start());
  const std::string caption = Cp932FromUtf8("エラー");
  MessageBoxWatcher boxes(caption);
  const std::string message = Cp932FromUtf8("ホットキーは1件も登録されていません");
  bool popupShown = false;
  auto watchPopup = [&] { popupShown = popupShown || session.velnor.Shows("FormQuickSel"); };
  auto waitFor = [&](const char* what, const std::function<bool()>& done) {
    if (PumpUntil([&] {
          watchPopup();
          return done();
        }))
      return true;
    MESSAGE("waited 5 s for " << what << "; boxes answered: " << boxes.Texts().size()
                              << "; the program's visible windows: " << session.velnor.VisibleWindows());
    return false;
  };

  for (size_t press = 1; press <= 2; ++press) {
    CAPTURE(press);
    PressHotkey(MOD_CONTROL | MOD_SHIFT, 'Z');
    REQUIRE(waitFor("the press's message box", [&] { return boxes.Texts().size() == press; }));
    // The box is answered but may still stand: a press now would reach the program
    // inside its modal loop and open a second box within the first, which stays
    // until that one closes. A user's second press does the same; here each press
    // waits for the box before it to go.
    REQUIRE(waitFor("the message box to close",
                    [&] { return FindWindowA("#32770", caption.c_str()) == nullptr; }));
    REQUIRE(session.velnor.WaitSettled());
    // The popup that was never shown is gone as well: it would block the next press.
    CHECK(waitFor("the unshown popup to go",
                  [&] { return session.velnor.FindWindowOf("FormQuickSel") == nullptr; }));
  }
  CHECK(boxes.Texts() == std::vector<std::string>{message, message});
  CHECK_FALSE(popupShown);
  CHECK(session.velnor.Running());
}
