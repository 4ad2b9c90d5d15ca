// The HTML check box on a real window: mouse, keyboard and accelerator toggling with
// their click notifications, caption anchors, and every box look read back from a
// memory DC, with the visual-styles theme on (as a fresh prefix has it) and off.
#include "components/dialog/markup_check_box.h"

#include <doctest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/paint/visual_styles.h"
#include "framework/application.h"
#include "framework/form.h"
#include "framework/pixel_image_gdi.h"
#include "key_input.h"
#include "mouse_input.h"
#include "pixel_surface.h"
#include "wait.h"

namespace {
constexpr COLORREF kBackground = RGB(10, 200, 30);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr int kLeft = 10, kTop = 10, kWidth = 200, kHeight = 20;
const char kAnchorCaption[] = "Read <a href=\"help\">the help</a>";

using enum TButtonType;
using enum TCheckBoxState;
using enum TLeftRight;
using enum TTextLayout;

// The bitmap looks show only while themed drawing is switched off.
struct ThemesOff {
  ThemesOff() { SetUseXPThemes(false); }
  ~ThemesOff() { SetUseXPThemes(true); }
  ThemesOff(const ThemesOff&) = delete;
  ThemesOff& operator=(const ThemesOff&) = delete;
};

void SetTestFont(TFont& font) {
  font.Set("Tahoma", -13, ANSI_CHARSET);
  font.SetQuality(NONANTIALIASED_QUALITY);
  font.SetColor(clBlack);
}

// A shown form with the box under test and a second box to hold the focus.
struct BoxOnForm {
  TForm form{nullptr};
  TMarkupCheckBox other{&form};
  TMarkupCheckBox box{&form};
  int clicks = 0;
  std::vector<std::string> anchorClicks;

  explicit BoxOnForm(int width = kWidth) {
    Application::Instance().Initialize();
    form.SetBorderStyle(TFormBorderStyle::bsNone);
    form.SetBounds(0, 0, 320, 120);
    other.SetParent(&form);
    other.SetBounds(10, 80, 98, 20);
    other.SetTabStop(true);
    box.SetParent(&form);
    box.SetBounds(kLeft, kTop, width, kHeight);
    box.SetTabStop(true);
    SetTestFont(box.Font());
    box.OnClick = [this](Component* sender) {
      CHECK(sender == &box);
      ++clicks;
    };
    box.OnAnchorClick = [this](Component*, const std::string& target) { anchorClicks.push_back(target); };
    form.Show();
    other.SetFocus();
    REQUIRE(GetFocus() == other.Handle());
  }
  void Mouse(UINT msg, int x, int y, WPARAM keys = 0) {
    SendMessageA(box.Handle(), msg, keys, MAKELPARAM(x, y));
  }
  void Key(UINT msg, WPARAM key) { SendMessageA(box.Handle(), msg, key, 0); }
  // A client point on the caption's anchor, found by asking the box.
  POINT AnchorPoint() {
    for (int x = 0; x < box.Width(); ++x)
      if (box.IsAnchor(x, 11) == "help") return {x + 3, 11};
    FAIL("no point of the caption lies on its anchor");
    return {};
  }
};

std::unique_ptr<PixelSurface> Render(TWinControl& control) {
  auto surface = std::make_unique<PixelSurface>(control.Width(), control.Height());
  control.PaintTo(surface->Dc());
  return surface;
}

RECT InkBounds(const PixelSurface& surface) {
  return surface.Bounds([](COLORREF c) { return c != kBackground; });
}

// The smallest rectangle holding every point of a width x height picture that matches.
RECT BoundsWhere(int width, int height, const std::function<bool(int, int)>& match) {
  RECT r{width, height, 0, 0};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (match(x, y))
        r = {std::min<LONG>(r.left, x), std::min<LONG>(r.top, y), std::max<LONG>(r.right, x + 1),
             std::max<LONG>(r.bottom, y + 1)};
  return r;
}

// The pixels of one colour left of maxX.
RECT BoundsLeftOf(const PixelSurface& surface, COLORREF color, int maxX) {
  return BoundsWhere(maxX, surface.Height(), [&](int x, int y) { return surface.Pixel(x, y) == color; });
}

bool Within(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

std::string Text(const RECT& r) {
  return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + "}";
}

// A box that draws on its own, off any window.
struct LoneBox {
  TMarkupCheckBox box{nullptr};
  LoneBox(TButtonType type, TCheckBoxState state, TLeftRight alignment, TTextLayout vertAlign, int width,
          int height, bool enabled = true) {
    box.SetBounds(0, 0, width, height);
    box.SetColor(kBackground);
    box.SetCaption("");
    box.SetButtonType(type);
    box.SetState(state);
    box.SetAlignment(alignment);
    box.SetButtonVertAlign(vertAlign);
    box.SetEnabled(enabled);
  }
};
}  // namespace

TEST_CASE("themed boxes use the check-box part's state for being checked, disabled, pressed and hot") {
  struct Case {
    TCheckBoxState state;
    bool enabled, down, hot;
    int themed;
  };
  const Case cases[] = {
      {cbUnchecked, true, false, false, 1}, {cbUnchecked, true, false, true, 2},
      {cbUnchecked, true, true, true, 3},   {cbUnchecked, false, true, true, 4},
      {cbChecked, true, false, false, 5},   {cbChecked, true, false, true, 6},
      {cbChecked, true, true, false, 7},    {cbChecked, false, false, true, 8},
      {cbGrayed, true, false, true, 2},     {cbGrayed, false, false, false, 4},
  };
  for (const Case& c : cases) {
    CAPTURE(c.themed);
    CheckBoxLook look;
    look.State = c.state;
    look.Enabled = c.enabled;
    look.Down = c.down;
    look.Hot = c.hot;
    CHECK(ThemedCheckBoxState(look) == c.themed);
  }
}

TEST_CASE("a new box has the documented defaults, and its caption is its window text") {
  BoxOnForm f;
  char text[64] = {};
  f.box.SetCaption("<b>Bold</b>");
  GetWindowTextA(f.box.Handle(), text, sizeof text);
  CHECK(std::string(text) == "<b>Bold</b>");

  TMarkupCheckBox box(nullptr);
  CHECK(box.Width() == 98);
  CHECK(box.Height() == 20);
  CHECK(box.Caption() == "TMarkupCheckBox");
  CHECK(box.URLColor() == clBlue);
  CHECK(box.ShadowColor() == clGray);
  CHECK(box.ShadowOffset() == 1);
  CHECK(box.ButtonType() == btClassic);
  CHECK(box.ButtonVertAlign() == tlTop);
  CHECK(box.State() == cbUnchecked);
  CHECK_FALSE(box.Checked());
}

TEST_CASE("a mouse press toggles on its release inside the box, with one click") {
  struct Case {
    const char* name;
    UINT down, up;
    int upX, upY;
    bool toggles;
  };
  const Case cases[] = {
      {"left, released inside", WM_LBUTTONDOWN, WM_LBUTTONUP, 5, 5, true},
      {"left, released on the far edge", WM_LBUTTONDOWN, WM_LBUTTONUP, kWidth, kHeight, true},
      {"left, released past the right edge", WM_LBUTTONDOWN, WM_LBUTTONUP, kWidth + 1, 5, false},
      {"left, released above", WM_LBUTTONDOWN, WM_LBUTTONUP, 5, -1, false},
      {"right, released inside", WM_RBUTTONDOWN, WM_RBUTTONUP, 5, 5, true},
      {"middle, released inside", WM_MBUTTONDOWN, WM_MBUTTONUP, 5, 5, true},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    BoxOnForm f;
    f.Mouse(c.down, 5, 5);
    CHECK(f.box.Down());
    CHECK_FALSE(f.box.Checked());
    CHECK(f.clicks == 0);
    f.Mouse(WM_MOUSEMOVE, c.upX, c.upY);
    CHECK(f.box.Down() == c.toggles);  // follows the pointer while the button is held
    f.Mouse(c.up, c.upX, c.upY);
    CHECK_FALSE(f.box.Down());
    CHECK(GetCapture() == nullptr);
    CHECK(f.box.Checked() == c.toggles);
    CHECK(f.clicks == (c.toggles ? 1 : 0));
  }
}

TEST_CASE("a real click and a real Space press each toggle the box once") {
  BoxOnForm f;
  SetForegroundWindow(f.form.Handle());
  ClickAt(ClientToScreenPoint(f.box.Handle(), 6, 8));
  CHECK_MESSAGE(PumpUntil([&] { return f.clicks == 1; }), "the click did not reach the box");
  PumpFor(200);
  CHECK(f.clicks == 1);
  CHECK(f.box.Checked());
  REQUIRE(GetFocus() == f.box.Handle());
  PressKey(VK_SPACE);
  CHECK_MESSAGE(PumpUntil([&] { return f.clicks == 2; }), "Space did not reach the focused box");
  CHECK_FALSE(f.box.Checked());
  CHECK_FALSE(f.box.Down());
}

TEST_CASE("each click of a double-click toggles once and reports once") {
  BoxOnForm f;
  f.Mouse(WM_LBUTTONDOWN, 5, 5);
  f.Mouse(WM_LBUTTONUP, 5, 5);
  f.Mouse(WM_LBUTTONDBLCLK, 5, 5);
  f.Mouse(WM_LBUTTONUP, 5, 5);
  CHECK_FALSE(f.box.Checked());
  CHECK(f.clicks == 2);
  // A second button let go after the first made the toggle adds nothing.
  f.Mouse(WM_LBUTTONDOWN, 5, 5);
  f.Mouse(WM_RBUTTONDOWN, 5, 5);
  f.Mouse(WM_LBUTTONUP, 5, 5);
  f.Mouse(WM_RBUTTONUP, 5, 5);
  CHECK(f.box.Checked());
  CHECK(f.clicks == 3);
}

TEST_CASE("a press cut short by another window's capture toggles nothing") {
  BoxOnForm f;
  f.Mouse(WM_LBUTTONDOWN, 5, 5);
  REQUIRE(GetCapture() == f.box.Handle());
  SetCapture(f.other.Handle());
  CHECK_FALSE(f.box.Down());
  ReleaseCapture();
  f.Mouse(WM_LBUTTONUP, 5, 5);
  CHECK_FALSE(f.box.Checked());
  CHECK(f.clicks == 0);
}

TEST_CASE("a disabled box ignores the mouse and Space") {
  BoxOnForm f;
  f.box.SetEnabled(false);
  f.Mouse(WM_LBUTTONDOWN, 5, 5);
  f.Mouse(WM_LBUTTONUP, 5, 5);
  f.Key(WM_KEYDOWN, VK_SPACE);
  f.Key(WM_KEYUP, VK_SPACE);
  CHECK_FALSE(f.box.Checked());
  CHECK(f.clicks == 0);
}

TEST_CASE("Checked and State from code report a change once, and a grayed box toggles to checked") {
  BoxOnForm f;
  f.box.SetChecked(false);
  CHECK(f.clicks == 0);
  f.box.SetChecked(true);
  CHECK(f.clicks == 1);
  f.box.SetChecked(true);
  CHECK(f.clicks == 1);
  f.box.SetState(cbGrayed);
  CHECK_FALSE(f.box.Checked());
  CHECK(f.clicks == 2);
  f.box.Toggle();
  CHECK(f.box.State() == cbChecked);
  CHECK(f.clicks == 3);
  f.box.Toggle();
  CHECK(f.box.State() == cbUnchecked);

  f.box.SetState(cbGrayed);
  f.Mouse(WM_LBUTTONDOWN, 5, 5);
  f.Mouse(WM_LBUTTONUP, 5, 5);
  CHECK(f.box.State() == cbChecked);
}

TEST_CASE("a new state repaints a box on the right, not just the control's left edge") {
  BoxOnForm f;
  f.box.SetAlignment(taRightJustify);
  UpdateWindow(f.form.Handle());
  ValidateRect(f.box.Handle(), nullptr);
  f.box.SetState(cbGrayed);
  RECT dirty{};
  REQUIRE(GetUpdateRect(f.box.Handle(), &dirty, FALSE));
  CHECK(dirty.right >= kWidth);
  CHECK(dirty.left <= kWidth - 13);
}

TEST_CASE("Space toggles on its key-up, once, and only when it went down on the box") {
  BoxOnForm f;
  f.box.SetFocus();
  f.Key(WM_KEYDOWN, VK_SPACE);
  CHECK(f.box.Down());
  f.Key(WM_KEYDOWN, VK_SPACE);  // auto-repeat
  CHECK_FALSE(f.box.Checked());
  CHECK(f.clicks == 0);
  f.Key(WM_KEYUP, VK_SPACE);
  CHECK_FALSE(f.box.Down());
  CHECK(f.box.Checked());
  CHECK(f.clicks == 1);

  // Pressed on another control that then moved the focus here.
  f.Key(WM_KEYUP, VK_SPACE);
  CHECK(f.box.Checked());
  // Let go after the focus left the box.
  f.Key(WM_KEYDOWN, VK_SPACE);
  f.other.SetFocus();
  f.Key(WM_KEYUP, VK_SPACE);
  CHECK(f.box.Checked());
  CHECK(f.clicks == 1);
}

TEST_CASE("Enter becomes Tab only when ReturnIsTab is set") {
  for (const bool returnIsTab : {false, true}) {
    CAPTURE(returnIsTab);
    BoxOnForm f;
    f.box.SetReturnIsTab(returnIsTab);
    std::vector<std::uint16_t> keys;
    f.box.OnKeyDown = [&](Component*, std::uint16_t& key, TShiftState) { keys.push_back(key); };
    f.Key(WM_KEYDOWN, VK_RETURN);
    MSG posted{};
    const bool tabPosted = PeekMessageA(&posted, f.box.Handle(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE) != FALSE;
    CHECK(keys == std::vector<std::uint16_t>{static_cast<std::uint16_t>(returnIsTab ? VK_TAB : VK_RETURN)});
    CHECK(tabPosted == returnIsTab);
    if (tabPosted) CHECK(posted.wParam == VK_TAB);
  }
}

TEST_CASE("the caption's accelerator toggles the box and focuses it when it is a tab stop") {
  struct Case {
    const char* caption;
    char key;
    bool tabStop, enabled, handled;
  };
  const Case cases[] = {
      {"<b>&Shift</b>", 's', true, true, true}, {"&Shift", 'S', false, true, true},
      {"&Shift", 'x', true, true, false},       {"&Shift", 's', true, false, false},
      {"Fish &&chips", 'c', true, true, false},
  };
  for (const Case& c : cases) {
    CAPTURE(c.caption);
    CAPTURE(c.key);
    BoxOnForm f;
    f.box.SetCaption(c.caption);
    f.box.SetTabStop(c.tabStop);
    f.box.SetEnabled(c.enabled);
    CHECK(f.box.DialogChar(c.key, {ShiftFlag::Alt}) == c.handled);
    CHECK(f.box.Checked() == c.handled);
    CHECK(f.clicks == (c.handled ? 1 : 0));
    CHECK((GetFocus() == f.box.Handle()) == (c.handled && c.tabStop));
  }
}

TEST_CASE("Alt with the accelerator, typed while another control has the focus, reaches the box") {
  BoxOnForm f;
  f.box.SetCaption("&Shift");
  constexpr LPARAM kAltDown = LPARAM{1} << 29;
  SendMessageA(GetFocus(), WM_SYSCHAR, 's', kAltDown);
  CHECK(f.box.Checked());
  CHECK(f.clicks == 1);
  CHECK(GetFocus() == f.box.Handle());
}

TEST_CASE("the first click on an anchor only focuses the box; the next one follows it") {
  BoxOnForm f;
  f.box.SetCaption(kAnchorCaption);
  const POINT at = f.AnchorPoint();
  int mouseDowns = 0;
  f.box.OnMouseDown = [&](Component*, MouseButton, TShiftState, int, int) { ++mouseDowns; };

  f.Mouse(WM_LBUTTONDOWN, at.x, at.y);
  CHECK(GetFocus() == f.box.Handle());
  CHECK(f.anchorClicks.empty());
  CHECK(f.box.Down());
  f.Mouse(WM_LBUTTONUP, at.x, at.y);
  CHECK(f.box.Checked());
  CHECK(f.clicks == 1);

  f.Mouse(WM_LBUTTONDOWN, at.x, at.y);
  CHECK(f.anchorClicks == std::vector<std::string>{"help"});
  CHECK_FALSE(f.box.Down());  // an anchor press neither captures nor presses
  CHECK(GetCapture() == nullptr);
  CHECK(mouseDowns == 1);
  f.Mouse(WM_LBUTTONUP, at.x, at.y);
  CHECK_FALSE(f.box.Checked());
  CHECK(f.clicks == 2);

  // Off the anchor a focused box just toggles.
  f.Mouse(WM_LBUTTONDOWN, kWidth - 2, 11);
  f.Mouse(WM_LBUTTONUP, kWidth - 2, 11);
  CHECK(f.anchorClicks.size() == 1);
  CHECK(f.box.Checked());
}

TEST_CASE("only a focused box shows the hand over an anchor and reports entering and leaving it") {
  BoxOnForm f;
  f.box.SetCaption(kAnchorCaption);
  const POINT at = f.AnchorPoint();
  std::vector<std::string> events;
  f.box.OnAnchorEnter = [&](Component*, const std::string& a) { events.push_back("enter " + a); };
  f.box.OnAnchorExit = [&](Component*, const std::string& a) { events.push_back("exit " + a); };

  f.Mouse(WM_MOUSEMOVE, at.x, at.y);
  CHECK(events.empty());
  CHECK_FALSE(f.box.HandCursor());

  f.box.SetFocus();
  f.Mouse(WM_MOUSEMOVE, at.x, at.y);
  f.Mouse(WM_MOUSEMOVE, at.x + 1, at.y);
  CHECK(events == std::vector<std::string>{"enter help"});
  CHECK(f.box.HandCursor());
  f.Mouse(WM_MOUSEMOVE, kWidth - 2, 11);
  CHECK(events == std::vector<std::string>{"enter help", "exit "});
  CHECK_FALSE(f.box.HandCursor());

  f.Mouse(WM_MOUSEMOVE, at.x, at.y);
  f.other.SetFocus();
  CHECK(events == std::vector<std::string>{"enter help", "exit ", "enter help", "exit "});
  CHECK_FALSE(f.box.HandCursor());
}

TEST_CASE("an anchor opens in the shell only for web and mail addresses") {
  struct Case {
    const char* target;
    AnchorAction action;
  };
  const Case cases[] = {
      {"http://example.com", AnchorAction::aaShell},
      {"file://c:/a.txt", AnchorAction::aaShell},
      {"mailto:a@b.c", AnchorAction::aaShell},
      {"see mailto:a@b.c", AnchorAction::aaShell},
      {"help", AnchorAction::aaEvent},
      {"a:/b", AnchorAction::aaEvent},
      {"", AnchorAction::aaNone},
  };
  for (const Case& c : cases) {
    CAPTURE(c.target);
    CHECK(AnchorActionFor(c.target) == c.action);
  }
  std::vector<std::string> seen;
  const TAnchorClick record = [&](Component*, const std::string& a) { seen.push_back(a); };
  FollowAnchor(nullptr, "help", record);
  FollowAnchor(nullptr, "", record);
  FollowAnchor(nullptr, "help", TAnchorClick{});
  CHECK(seen == std::vector<std::string>{"help"});
}

TEST_CASE("the bitmap looks draw their picture transparently at the specified place") {
  ThemesOff themesOff;
  constexpr int kW = 60, kH = 41;
  struct Case {
    TButtonType type;
    TCheckBoxState state;
    bool enabled;
    TLeftRight alignment;
    TTextLayout vertAlign;
    const char* picture;
    int x, y;
  };
  const Case cases[] = {
      {btBitmap, cbChecked, true, taLeftJustify, tlTop, "CHKBOX01", 0, 0},
      {btBitmap, cbUnchecked, true, taRightJustify, tlCenter, "CHKBOX02", kW - 21, 10},
      {btBitmap, cbChecked, false, taLeftJustify, tlBottom, "CHKBOX03", 0, kH - 20},
      {btBitmap, cbGrayed, false, taRightJustify, tlTop, "CHKBOX04", kW - 21, 0},
      {btWinXP, cbChecked, true, taLeftJustify, tlTop, "CHKBOX05", 0, 2},
      {btWinXP, cbGrayed, true, taLeftJustify, tlCenter, "CHKBOX06", 0, 12},
      {btWinXP, cbChecked, false, taRightJustify, tlBottom, "CHKBOX07", kW - 17, kH - 16},
      {btWinXP, cbUnchecked, false, taRightJustify, tlTop, "CHKBOX08", kW - 17, 2},
  };
  for (const Case& c : cases) {
    CAPTURE(c.picture);
    LoneBox lone(c.type, c.state, c.alignment, c.vertAlign, kW, kH, c.enabled);
    const PixelImage picture = LoadBitmapPixels(GetModuleHandleA(nullptr), c.picture);
    REQUIRE_FALSE(picture.Empty());
    const COLORREF transparent = picture.Pixel(0, picture.Height() - 1);
    const auto surface = Render(lone.box);
    int mismatches = 0;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        const COLORREF source = picture.Pixel(x - c.x, y - c.y);
        const COLORREF expected = source == CLR_INVALID || source == transparent ? kBackground : source;
        if (surface->Pixel(x, y) != expected) ++mismatches;
      }
    CHECK(mismatches == 0);
  }
}

TEST_CASE("the drawn looks keep to their box") {
  constexpr int kW = 60, kH = 41;
  struct Case {
    const char* name;
    TButtonType type;
    TLeftRight alignment;
    TTextLayout vertAlign;
    RECT box;
  };
  const Case cases[] = {
      {"classic", btClassic, taLeftJustify, tlTop, {0, 4, 13, 17}},
      {"classic, right, centre", btClassic, taRightJustify, tlCenter, {kW - 13, 14, kW, 27}},
      {"flat, bottom", btFlat, taLeftJustify, tlBottom, {0, kH - 17, 13, kH - 4}},
      {"drawn", btDrawn, taLeftJustify, tlTop, {1, 4, 13, 16}},
      {"drawn, right, bottom", btDrawn, taRightJustify, tlBottom, {kW - 13, kH - 16, kW - 1, kH - 4}},
      {"themed", btWinXP, taLeftJustify, tlTop, {0, 4, 14, 18}},
      {"themed, right, centre", btWinXP, taRightJustify, tlCenter, {kW - 15, 14, kW - 1, 28}},
      {"themed, bottom", btWinXP, taLeftJustify, tlBottom, {0, kH - 14, 14, kH}},
  };
  REQUIRE(ThemesUsable());
  for (const Case& c : cases) {
    CAPTURE(c.name);
    for (const TCheckBoxState state : {cbUnchecked, cbChecked}) {
      LoneBox lone(c.type, state, c.alignment, c.vertAlign, kW, kH);
      const RECT ink = InkBounds(*Render(lone.box));
      CAPTURE(Text(ink));
      CHECK_FALSE(IsRectEmpty(&ink));
      CHECK(Within(ink, c.box));
    }
    LoneBox unchecked(c.type, cbUnchecked, c.alignment, c.vertAlign, kW, kH);
    LoneBox checked(c.type, cbChecked, c.alignment, c.vertAlign, kW, kH);
    const auto a = Render(unchecked.box), b = Render(checked.box);
    int differing = 0;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) differing += a->Pixel(x, y) != b->Pixel(x, y);
    CHECK(differing > 0);
  }
}

TEST_CASE("the drawn look ticks in CheckColor, gray when disabled, and fills a grayed box") {
  constexpr COLORREF kRed = RGB(255, 0, 0);
  LoneBox enabled(btDrawn, cbChecked, taLeftJustify, tlTop, 40, 20);
  enabled.box.SetCheckColor(kRed);
  const RECT tick = Render(enabled.box)->BoundsOf(kRed);
  CHECK(Within(tick, {2, 5, 12, 15}));
  CHECK_FALSE(IsRectEmpty(&tick));

  LoneBox disabled(btDrawn, cbChecked, taLeftJustify, tlTop, 40, 20, false);
  disabled.box.SetCheckColor(kRed);
  const auto grayTick = Render(disabled.box);
  CHECK(grayTick->Count([](COLORREF c) { return c == kRed; }) == 0);
  CHECK(grayTick->Count([](COLORREF c) { return c == RGB(128, 128, 128); }) > 0);

  LoneBox grayed(btDrawn, cbGrayed, taLeftJustify, tlTop, 40, 20);
  const RECT inner = Render(grayed.box)->BoundsOf(GetSysColor(COLOR_BTNSHADOW));
  CHECK(Within({4, 7, 10, 13}, inner));
}

TEST_CASE("the caption fills the rectangle beside the box that its look gives it") {
  constexpr int kW = 120, kH = 30;
  struct Case {
    const char* name;
    TButtonType type;
    TLeftRight alignment;
    bool themes;
    RECT caption;
  };
  const Case cases[] = {
      {"classic", btClassic, taLeftJustify, true, {17, 4, kW, kH}},
      {"classic on the right", btClassic, taRightJustify, true, {0, 4, kW - 17, kH}},
      {"bitmap", btBitmap, taLeftJustify, true, {22, 4, kW, kH}},
      {"bitmap on the right", btBitmap, taRightJustify, true, {0, 4, kW - 22, kH}},
      {"themed", btWinXP, taLeftJustify, true, {17, 4, kW, kH}},
      {"themes off", btWinXP, taLeftJustify, false, {22, 4, kW, kH}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    SetUseXPThemes(c.themes);
    LoneBox lone(c.type, cbUnchecked, c.alignment, tlTop, kW, kH);
    lone.box.SetCaption("<BODY BGCOLOR=\"#FFFF00\">x");
    const RECT page = Render(lone.box)->BoundsOf(kYellow);
    SetUseXPThemes(true);
    CAPTURE(Text(page));
    CHECK(EqualRect(&page, &c.caption));
  }
}

TEST_CASE("a disabled caption is engraved: white one pixel down and right under gray") {
  // The box on the right, out of the way of the caption's colours.
  LoneBox lone(btClassic, cbUnchecked, taRightJustify, tlTop, 120, 30, false);
  SetTestFont(lone.box.Font());
  lone.box.SetCaption("I");
  const auto surface = Render(lone.box);
  const RECT gray = BoundsLeftOf(*surface, RGB(128, 128, 128), 100);
  const RECT white = BoundsLeftOf(*surface, RGB(255, 255, 255), 100);
  REQUIRE_FALSE(IsRectEmpty(&gray));
  CHECK(white.right == gray.right + 1);
  CHECK(white.bottom == gray.bottom + 1);
  CHECK(surface->Count([](COLORREF c) { return c == RGB(0, 0, 0); }) == 0);
}

TEST_CASE("the focus rectangle starts at the caption's corner, and a 17-pixel box shows only its box") {
  BoxOnForm f;
  f.box.SetColor(kBackground);
  f.box.SetButtonType(btWinXP);
  f.box.SetCaption("Focus");
  const auto unfocused = Render(f.box);
  f.box.SetFocus();
  const auto focused = Render(f.box);
  const RECT changed = BoundsWhere(
      kWidth, kHeight, [&](int x, int y) { return unfocused->Pixel(x, y) != focused->Pixel(x, y); });
  CAPTURE(Text(changed));
  CHECK(changed.left == 17);
  CHECK(changed.top == 4);
  CHECK(changed.right > 17 + 20);

  BoxOnForm narrow(17);
  narrow.box.SetColor(kBackground);
  narrow.box.SetButtonType(btWinXP);
  narrow.box.SetCaption("TMarkupCheckBox");
  narrow.box.SetFocus();
  const RECT ink = InkBounds(*Render(narrow.box));
  CAPTURE(Text(ink));
  CHECK(Within(ink, {0, 4, 14, 18}));
}
