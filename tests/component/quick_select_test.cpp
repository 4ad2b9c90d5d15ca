// The quick-select popup on real windows in the test process, next to the real
// program windows: opened by a real Ctrl+Shift+Z or made directly, placed at the
// real pointer, driven by real clicks and key presses from a second thread while the
// test thread sits in its modal loop; pastes observed on the real clipboard.
#include <doctest.h>

#include <atomic>
#include <string>
#include <vector>

#include "app/quicksel.h"
#include "framework/application.h"
#include "hotkey_probe.h"
#include "key_input.h"
#include "message_box_watcher.h"
#include "mouse_input.h"
#include "paste_watch.h"
#include "program_windows.h"
#include "slot_store.h"
#include "text.h"
#include "wait.h"
#include "window_actor.h"

namespace {
const char kPopupTitle[] = "FormQuickSel";
constexpr int kRowHeight = 20;
constexpr int kPopupWidth = 109;

struct Named {
  int number;  // 1..10
  std::string display;
  std::string paste;
};

// Only the given slots have texts; none has a hotkey, which the popup does not read.
void PrepareStore(const std::vector<Named>& slots) {
  ClearStore();
  for (const Named& slot : slots) WriteStoredSlot(slot.number, {slot.display, slot.paste});
}

void PressCtrlShiftZ() { PressHotkey(MOD_CONTROL | MOD_SHIFT, 'Z'); }
void PressEscape() { PressHotkey(0, VK_ESCAPE); }

// A click in the middle of row k of the popup.
void ClickRow(HWND popup, int k) {
  RECT frame{};
  GetWindowRect(popup, &frame);
  ClickAt({frame.left + kPopupWidth / 2, frame.top + k * kRowHeight + kRowHeight / 2});
}

bool NoPopupLeft() { return WindowsOfProcess(kPopupTitle).empty(); }

// Puts the pointer there; true when the system then reports it there.
bool MovePointer(POINT to) {
  SetCursorPos(to.x, to.y);
  POINT now{};
  return GetCursorPos(&now) && now.x == to.x && now.y == to.y;
}

RECT FrameOf(TFormQuickSel& popup) {
  RECT frame{};
  GetWindowRect(popup.Handle(), &frame);
  return frame;
}

const std::vector<Named> kFirstThree = {{1, "Alpha", "alpha"}, {2, "Beta", "beta"}, {3, "Gamma", "gamma"}};
}  // namespace

TEST_CASE("placement: above the pointer, pushed left at the right edge and down at the top") {
  REQUIRE(GetSystemMetrics(SM_CXSCREEN) == 1024);
  PrepareStore(kFirstThree);
  ProgramWindows program;
  struct Case {
    POINT pointer;
    int left, top;
  };
  // The last popup exactly fits beside the right edge.
  const Case cases[] = {{{1000, 500}, 905, 430}, {{10, 30}, 10, 0}, {{915, 300}, 915, 230}};
  for (const Case& c : cases) {
    CAPTURE(c.pointer.x);
    CAPTURE(c.pointer.y);
    REQUIRE(MovePointer(c.pointer));
    TFormQuickSel popup(program.DataModule());
    const RECT frame = FrameOf(popup);
    CHECK(frame.left == c.left);
    CHECK(frame.top == c.top);
    CHECK(frame.right - frame.left == kPopupWidth);
    CHECK(frame.bottom - frame.top == 3 * kRowHeight);
  }
}

TEST_CASE("placement on a second monitor: beside the pointer there, not at the primary screen's edge") {
  // Wine's desktop is one 1024 x 768 monitor and keeps the pointer on it, so the
  // lookup describes a desk whose second monitor starts inside that area: right of
  // a primary screen 800 wide, 1024 wide itself, level with it or set 200 lower.
  REQUIRE(GetSystemMetrics(SM_CXSCREEN) == 1024);
  PrepareStore(kFirstThree);
  ProgramWindows program;
  struct Case {
    std::string name;
    RECT monitor;
    POINT pointer;
    int left, top;
  };
  // On the primary screen alone the first would open at 905, 430 and the second at 900, 160.
  const Case cases[] = {
      {"beside the pointer, past the primary screen's edge", {800, 0, 1824, 768}, {1000, 500}, 1000, 430},
      {"held at the second monitor's own top", {800, 200, 1824, 968}, {900, 230}, 900, 200},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    REQUIRE(MovePointer(c.pointer));
    std::vector<POINT> asked;
    TFormQuickSel popup(program.DataModule(), [&](POINT at) {
      asked.push_back(at);
      return c.monitor;
    });
    CHECK(asked.size() == 1);
    for (const POINT& at : asked) {
      CHECK(at.x == c.pointer.x);
      CHECK(at.y == c.pointer.y);
    }
    const RECT frame = FrameOf(popup);
    CHECK(frame.left == c.left);
    CHECK(frame.top == c.top);
    CHECK(frame.right - frame.left == kPopupWidth);
    CHECK(frame.bottom - frame.top == 3 * kRowHeight);
  }
}

TEST_CASE("rows: one per slot with a display text, in slot order, 20 pixels each") {
  const std::string twenty = "ABCDEFGHIJKLMNOPQRST";
  struct Case {
    const char* name;
    std::vector<Named> slots;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {"the first three", kFirstThree, {"Alpha", "Beta", "Gamma"}},
      {"slots 2, 5 and 9", {{3, "Two", "2"}, {6, "Five", "5"}, {10, "Nine", "9"}}, {"Two", "Five", "Nine"}},
      {"a display text of one space counts", {{2, " ", "1"}, {4, "Three", "3"}}, {" ", "Three"}},
      {"a paste text alone is not offered", {{1, "", "0"}, {2, "Named", "1"}}, {"Named"}},
      {"a long display text is cut", {{7, twenty, "6"}}, {twenty.substr(0, 15) + ".."}},
      {"all ten",
       {{1, "a", ""},
        {2, "b", ""},
        {3, "c", ""},
        {4, "d", ""},
        {5, "e", ""},
        {6, "f", ""},
        {7, "g", ""},
        {8, "h", ""},
        {9, "i", ""},
        {10, "j", ""}},
       {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}},
  };
  SetCursorPos(500, 400);
  for (const Case& c : cases) {
    CAPTURE(c.name);
    PrepareStore(c.slots);
    ProgramWindows program;
    TFormQuickSel popup(program.DataModule());
    const int count = static_cast<int>(c.rows.size());
    CHECK(popup.ShownCount == count);
    CHECK(FrameOf(popup).bottom - FrameOf(popup).top == kRowHeight * count);
    for (int k = 0; k < count; ++k) {
      CAPTURE(k);
      const TFlatButton& row = popup.ButtonExecList->Buttons().GetItem(k).Button();
      CHECK(row.Caption() == c.rows[k]);
      CHECK(row.Top() == k * kRowHeight);
    }
  }
}

TEST_CASE("Ctrl+Shift+Z and a click on row k paste the k-th named slot") {
  const std::vector<Named> named = {
      {3, "Two", "paste of slot 2"}, {6, "Five", "paste of slot 5"}, {10, "Nine", "paste of slot 9"}};
  PrepareStore(named);
  ProgramWindows program;
  SetCursorPos(500, 400);
  for (int k = 0; k < static_cast<int>(named.size()); ++k) {
    CAPTURE(k);
    MarkClipboard();
    WindowActor user(kPopupTitle, [k](HWND popup) { ClickRow(popup, k); });
    PressCtrlShiftZ();
    // The popup's modal loop runs inside this pump; the click ends it.
    CHECK(PumpUntil([&user] { return user.Acted() && NoPopupLeft(); }));
    CHECK_FALSE(user.Forced());
    CHECK(ClipboardGets(named[k].paste));
  }
}

TEST_CASE("no slot with a display text: the message, and no popup") {
  // A hotkey and a paste text do not make a slot show.
  ClearStore();
  WriteStoredSlot(1, {"", "hidden", 1, 1, 0, 'K'});
  ProgramWindows program;
  MessageBoxWatcher boxes(Cp932FromUtf8("エラー"));
  WindowActor user(kPopupTitle, [](HWND) { PressEscape(); });
  PressCtrlShiftZ();
  REQUIRE(PumpUntil([&boxes] { return boxes.Texts().size() == 1; }));
  PumpFor(200);
  CHECK(boxes.Texts() == std::vector<std::string>{Cp932FromUtf8("ホットキーは1件も登録されていません")});
  CHECK_FALSE(user.Acted());
  CHECK(NoPopupLeft());
}

TEST_CASE("Esc pressed in the popup closes it without a paste, and ShowModal returns") {
  PrepareStore(kFirstThree);
  ProgramWindows program;
  SetCursorPos(500, 400);
  MarkClipboard();
  TFormQuickSel popup(program.DataModule());
  WindowActor user(kPopupTitle, [](HWND) { PressEscape(); });
  CHECK(popup.ShowModal() == mrCancel);
  CHECK(user.Acted());
  CHECK_FALSE(user.Forced());
  CHECK_FALSE(IsWindowVisible(popup.Handle()));
  CHECK(ClipboardKeepsMark());
}

TEST_CASE("a click after the slots were released closes the popup and pastes nothing") {
  PrepareStore(kFirstThree);
  ProgramWindows program;
  SetCursorPos(500, 400);
  MarkClipboard();
  TFormQuickSel popup(program.DataModule());
  REQUIRE(popup.ShownCount == 3);
  program.DataModule().SetSlots(nullptr);
  WindowActor user(kPopupTitle, [](HWND window) { ClickRow(window, 0); });
  popup.ShowModal();
  CHECK(user.Acted());
  CHECK_FALSE(user.Forced());
  CHECK(ClipboardKeepsMark());
}

TEST_CASE("a second Ctrl+Shift+Z while the popup is open is ignored") {
  PrepareStore(kFirstThree);
  ProgramWindows program;
  SetCursorPos(500, 400);
  std::atomic<size_t> popupsSeen{0};
  WindowActor user(kPopupTitle, [&popupsSeen](HWND) {
    PressCtrlShiftZ();
    Sleep(500);  // the modal loop has long handled the press by now
    popupsSeen = WindowsOfProcess(kPopupTitle).size();
    PressEscape();
  });
  PressCtrlShiftZ();
  CHECK(PumpUntil([&user] { return user.Acted() && NoPopupLeft(); }));
  CHECK(popupsSeen == 1);
  CHECK_FALSE(user.Forced());
}

TEST_CASE("Ctrl+Shift+Z without slots to read is dropped: no popup, no message") {
  Application& app = Application::Instance();
  app.Initialize();
  PrepareStore(kFirstThree);
  MessageBoxWatcher boxes(Cp932FromUtf8("エラー"));
  WindowActor user(kPopupTitle, [](HWND) { PressEscape(); });

  SUBCASE("a failed start: the data module is up, the main window never handed over the slots") {
    TDM dm(&app);
    REQUIRE(IsHotkeyTaken(MOD_CONTROL | MOD_SHIFT, 'Z'));
    PressCtrlShiftZ();
    PumpFor(500);
  }
  SUBCASE("the main window has released the slots") {
    ProgramWindows program;
    program.MainForm().QuitQ1->Click();
    MSG quit{};
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    REQUIRE(IsHotkeyTaken(MOD_CONTROL | MOD_SHIFT, 'Z'));
    PressCtrlShiftZ();
    PumpFor(500);
  }
  CHECK(boxes.Texts().empty());
  CHECK_FALSE(user.Acted());
  CHECK(NoPopupLeft());
}
