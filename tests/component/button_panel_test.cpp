// The button panel on real windows: its layout pass, the click dispatch driven by
// real mouse input through the window framework, the context menu, the keyboard,
// and captions read back as pixels from a memory DC.
#include "components/buttonpanel/button_panel.h"

#include <doctest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/form_font.h"
#include "framework/application.h"
#include "framework/error.h"
#include "framework/form.h"
#include "framework/gdi.h"
#include "framework/menu.h"
#include "mouse_input.h"
#include "screenshot.h"
#include "theme_switch.h"
#include "wait.h"

namespace {
constexpr int kDefault = -1;  // leave the panel's own cell size

struct Layout {
  int items;
  int width, height;  // the bounds set before loading ends
  int cellWidth = kDefault, cellHeight = kDefault;
};

const Layout kMainWindow{10, 280, 251, 140, 50};

struct Click {
  Component* sender;
  Component* button;
  int btn;
};

// A form holding one panel, set up the way a window's layout function does it:
// everything while the form is loading and has no window yet.
struct PanelForm {
  TForm form{nullptr};
  TPopupMenu menu{&form, "PanelMenu"};
  TButtonPanel panel{&form};
  std::vector<Click> clicks;
  int menuChoices = 0;

  explicit PanelForm(const Layout& layout, bool reportClicks = true) {
    Application::Instance().Initialize();
    form.SetBorderStyle(TFormBorderStyle::bsSingle);
    form.SetClientSize(400, 560);
    form.SetPosition(TPosition::poScreenCenter);
    menu.Add("PreferencesP1", "Preferences(&P)").OnClick = [this](Component*) { ++menuChoices; };
    menu.Add("QuitQ1", "Quit(&Q)").OnClick = [this](Component*) { ++menuChoices; };

    form.BeginLoading();
    panel.SetParent(&form);
    panel.SetBounds(0, 0, layout.width, layout.height);
    for (int i = 0; i < layout.items; ++i) {
      TPanelButton& item = panel.Buttons().Add();
      item.SetCtlXP(true);
      SetFormFont(item.Font());
    }
    if (layout.cellHeight != kDefault) panel.SetButtonHeight(layout.cellHeight);
    if (layout.cellWidth != kDefault) panel.SetButtonWidth(layout.cellWidth);
    panel.SetButtonStyle(TUserButtonStyle::ubsWin40Ext);
    panel.SetButtonParentCtlXP(false);
    panel.SetPopupMenu(&menu);
    panel.SetTransparent(true);
    if (reportClicks)
      panel.OnButtonClick = [this](Component* sender, Component* button, int btn) {
        clicks.push_back({sender, button, btn});
      };
    form.EndLoading();
  }

  void Show() {
    form.Show();
    REQUIRE(PumpUntil([&] { return GetForegroundWindow() == form.Handle(); }));
    PumpFor(50);
  }
  TFlatButton& Button(int index) { return panel.Buttons().GetItem(index).Button(); }
  // Screen point inside a button (its centre unless told otherwise).
  POINT At(const TFlatButton& button, int dx = -1, int dy = -1) {
    POINT p{button.Left() + (dx < 0 ? button.Width() / 2 : dx),
            button.Top() + (dy < 0 ? button.Height() / 2 : dy)};
    ClientToScreen(panel.Handle(), &p);
    return p;
  }
};

// Settles long enough for a click that should not come.
constexpr DWORD kSettleMs = 200;

// A top-down 32-bit picture of what a window paints, read back pixel by pixel.
class Surface {
 public:
  Surface(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<const DWORD*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    previous_ = SelectObject(dc_, bitmap_.Get());
  }
  ~Surface() {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  // Paints the control's whole surface, as WM_PAINT would, and makes the bits readable.
  void Render(TWinControl& control) {
    control.PaintTo(dc_);
    GdiFlush();
  }
  COLORREF Pixel(int x, int y) const {
    DWORD v = bits_[y * width_ + x];  // 0x00RRGGBB
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  bool Dark(int x, int y) const {
    COLORREF c = Pixel(x, y);
    return std::max({GetRValue(c), GetGValue(c), GetBValue(c)}) < 0x70;
  }
  // The smallest rectangle holding the dark pixels of area (empty when none).
  RECT DarkBox(RECT area) const {
    RECT box{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (Dark(x, y))
          box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                 std::max<LONG>(box.bottom, y + 1)};
    return box;
  }
  void SaveBmp(const std::string& path) const {
    const DWORD size = width_ * height_ * 4;
    BITMAPINFOHEADER header{sizeof header, width_, -height_, 1, 32, BI_RGB, size, 0, 0, 0, 0};
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof file + sizeof header + size), 0, 0,
                          sizeof file + sizeof header};
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
      std::fwrite(&file, sizeof file, 1, out);
      std::fwrite(&header, sizeof header, 1, out);
      std::fwrite(bits_, size, 1, out);
      std::fclose(out);
    }
  }

 private:
  int width_, height_;
  BitmapHandle bitmap_;
  const DWORD* bits_ = nullptr;
  HDC dc_;
  HGDIOBJ previous_;
};

struct Place {
  int index, left, top;
};

struct LayoutCase {
  const char* name;
  Layout layout;
  int width, height;  // the panel after the layout pass
  int cellWidth, cellHeight;
  std::vector<Place> places;
};

// The panel at the form's origin and the listed buttons, all of one cell's size.
void CheckGrid(PanelForm& f, int width, int height, int cellWidth, int cellHeight,
               const std::vector<Place>& places) {
  CHECK(f.panel.Left() == 0);
  CHECK(f.panel.Top() == 0);
  CHECK(f.panel.Width() == width);
  CHECK(f.panel.Height() == height);
  for (const Place& p : places) {
    CAPTURE(p.index);
    const TFlatButton& b = f.Button(p.index);
    CHECK(b.Left() == p.left);
    CHECK(b.Top() == p.top);
    CHECK(b.Width() == cellWidth);
    CHECK(b.Height() == cellHeight);
  }
}
}  // namespace

TEST_CASE("the layout pass fits whole cells, adds one pixel row and places buttons row by row") {
  const LayoutCase cases[] = {
      {"main window: 2 x 5 cells",
       kMainWindow,
       280,
       251,
       140,
       50,
       {{0, 0, 0}, {1, 140, 0}, {2, 0, 50}, {5, 140, 100}, {8, 0, 200}, {9, 140, 200}}},
      {"popup: one column, height left at 20",
       {10, 110, 201, 110},
       110,
       201,
       110,
       20,
       {{0, 0, 0}, {1, 0, 20}, {2, 0, 40}, {5, 0, 100}, {9, 0, 180}}},
      {"300 wide still gives 2 columns",
       {10, 300, 251, 140, 50},
       280,
       251,
       140,
       50,
       {{1, 140, 0}, {9, 140, 200}}},
      {"below one cell: 1 column of cell width",
       {10, 50, 251, 140, 50},
       140,
       501,
       140,
       50,
       {{1, 0, 50}, {9, 0, 450}}},
      {"three items two cells wide",
       {3, 280, 30, 140, 50},
       280,
       101,
       140,
       50,
       {{0, 0, 0}, {1, 140, 0}, {2, 0, 50}}},
      {"empty collection: one cell", {0, 280, 251, 140, 50}, 140, 51, 140, 50, {}},
      // Decided for cells below one pixel: laid out as 1, the stored size stays.
      {"zero cell width counts as 1", {3, 5, 40, 0, 20}, 3, 21, 1, 20, {{1, 1, 0}, {2, 2, 0}}},
  };
  for (const LayoutCase& c : cases) {
    CAPTURE(c.name);
    PanelForm f(c.layout);
    TButtonPanel& panel = f.panel;
    REQUIRE(panel.Buttons().Count() == c.layout.items);

    // Loaded ran the pass before any window exists.
    CHECK_FALSE(panel.HandleAllocated());
    CheckGrid(f, c.width, c.height, c.cellWidth, c.cellHeight, c.places);
    CHECK(panel.GetEmpty() == (c.layout.items == 0));
    if (c.layout.cellWidth != kDefault) CHECK(panel.ButtonWidth() == c.layout.cellWidth);

    // Shown, the panel's own window takes those bounds and its size notice keeps them.
    f.Show();
    REQUIRE(panel.HandleAllocated());
    CHECK(IsChild(f.form.Handle(), panel.Handle()));
    RECT window;
    GetWindowRect(panel.Handle(), &window);
    MapWindowPoints(nullptr, f.form.Handle(), reinterpret_cast<POINT*>(&window), 2);
    CHECK(window.left == 0);
    CHECK(window.top == 0);
    CHECK(window.right - window.left == c.width);
    CHECK(window.bottom - window.top == c.height);
    for (const Place& p : c.places) {
      CAPTURE(p.index);
      CHECK(f.Button(p.index).Left() == p.left);
      CHECK(f.Button(p.index).Top() == p.top);
    }
  }
}

TEST_CASE("cells too large for the coordinates are cut until the grid fits, so no edge wraps round") {
  // Taken whole, these grids would end past the largest coordinate: the panel's
  // height or a button's top came out negative.
  const LayoutCase cases[] = {
      {"two rows of the largest height",
       {2, 10, 10, 20, INT_MAX},
       20,
       INT_MAX,
       20,
       (INT_MAX - 1) / 2,
       {{0, 0, 0}, {1, 0, (INT_MAX - 1) / 2}}},
      {"ten rows of a quarter of the range",
       {10, 140, 251, 140, INT_MAX / 4},
       140,
       (INT_MAX - 1) / 10 * 10 + 1,
       140,
       (INT_MAX - 1) / 10,
       {{1, 0, (INT_MAX - 1) / 10}, {9, 0, 9 * ((INT_MAX - 1) / 10)}}},
      {"one row of the largest height keeps one pixel row below it",
       {3, 60, 10, 20, INT_MAX},
       60,
       INT_MAX,
       20,
       INT_MAX - 1,
       {{2, 40, 0}}},
      {"a grid that just fits is left whole",
       {2, 10, 10, 20, (INT_MAX - 1) / 2},
       20,
       INT_MAX,
       20,
       (INT_MAX - 1) / 2,
       {{1, 0, (INT_MAX - 1) / 2}}},
  };
  for (const LayoutCase& c : cases) {
    CAPTURE(c.name);
    PanelForm f(c.layout);
    CheckGrid(f, c.width, c.height, c.cellWidth, c.cellHeight, c.places);
    CHECK(f.panel.ButtonHeight() == c.layout.cellHeight);  // the stored size stays as set
  }
}

TEST_CASE("a shown panel lays out again when its cells or its window size change") {
  PanelForm f(kMainWindow);
  f.Show();
  TButtonPanel& panel = f.panel;

  // 280 / 70 = 4 columns, so 3 rows.
  panel.SetButtonWidth(70);
  RECT client;
  GetClientRect(panel.Handle(), &client);
  CHECK(client.right == 280);
  CHECK(client.bottom == 151);
  CHECK(f.Button(5).Left() == 70);
  CHECK(f.Button(5).Top() == 50);

  // WM_SIZE: a wider window is cut back to whole cells.
  panel.SetBounds(0, 0, 300, 10);
  GetClientRect(panel.Handle(), &client);
  CHECK(client.right == 280);
  CHECK(client.bottom == 151);

  panel.SetBounds(0, 0, 350, 10);  // 5 columns, 2 rows
  GetClientRect(panel.Handle(), &client);
  CHECK(client.right == 350);
  CHECK(client.bottom == 101);
  CHECK(f.Button(9).Left() == 280);
  CHECK(f.Button(9).Top() == 50);
}

TEST_CASE("GetBtnSize answers the height for 0, the width for 1 and 0 otherwise") {
  PanelForm f({10, 110, 201, 110});
  struct Case {
    int index, size;
  };
  for (const Case& c : {Case{0, 20}, Case{1, 110}, Case{2, 0}, Case{-1, 0}}) {
    CAPTURE(c.index);
    CHECK(f.panel.GetBtnSize(c.index) == c.size);
  }
  f.panel.SetBtnSize(0, 30);
  f.panel.SetBtnSize(7, 99);  // ignored
  CHECK(f.panel.ButtonHeight() == 30);
  CHECK(f.panel.ButtonWidth() == 110);
  CHECK(f.panel.Height() == 301);  // the setter lays out again
}

TEST_CASE("GetItem outside the collection raises the list index error") {
  PanelForm f(kMainWindow);
  for (int index : {-1, 10, 100}) {
    CAPTURE(index);
    try {
      f.panel.Buttons().GetItem(index);
      FAIL("no error");
    } catch (const Error& e) {
      CHECK(std::string(e.what()).find("List index out of bounds") == 0);
    }
  }
  CHECK_NOTHROW(f.panel.Buttons().GetItem(9));
  CHECK_NOTHROW(f.panel.Buttons().GetItem(0));
}

TEST_CASE("SetString 0 sets the caption, 1 the hint, any other index nothing") {
  // Styled while themes are on, the buttons are transparent; styled without, opaque.
  for (bool themed : {true, false}) {
    CAPTURE(themed);
    ThemeSwitch look(themed);
    PanelForm f(kMainWindow);
    f.Show();
    TPanelButton& item = f.panel.Buttons().GetItem(3);
    const std::string caption = "Greeting\n(CTRL+ALT+K)";
    REQUIRE(item.Button().Transparent() == themed);

    PumpFor(50);  // nothing left to paint
    item.SetString(0, caption);
    CHECK(item.Caption() == caption);
    CHECK(item.Button().Caption() == caption);
    CHECK(item.Hint().empty());
    CHECK(item.Button().Hint().empty());
    RECT cell = item.Button().BoundsRect();
    if (themed) {
      // A transparent button has painted the caption over its panel's background already.
      const std::vector<COLORREF> pixels = WindowPixels(f.panel.Handle(), cell);
      CHECK(std::count_if(pixels.begin(), pixels.end(), [](COLORREF c) {
              return std::max({GetRValue(c), GetGValue(c), GetBValue(c)}) < 0x70;
            }) > 20);
    } else {
      // An opaque one asks for a repaint of its own cell.
      RECT dirty, overlap;
      REQUIRE(GetUpdateRect(f.panel.Handle(), &dirty, FALSE));
      CHECK(IntersectRect(&overlap, &dirty, &cell));
    }
    for (int i : {0, 2, 4, 9}) CHECK(f.panel.Buttons().GetItem(i).Caption().empty());

    item.SetString(1, "tip");
    CHECK(item.Hint() == "tip");
    CHECK(item.Button().Hint() == "tip");
    CHECK(item.Caption() == caption);

    item.SetString(2, "other");
    item.SetString(-1, "other");
    CHECK(item.Caption() == caption);
    CHECK(item.Button().Caption() == caption);
    CHECK(item.Hint() == "tip");
  }
}

TEST_CASE("a left click reports the panel, the button and its creation-time index") {
  PanelForm f(kMainWindow);
  f.Show();
  for (int index : {7, 0, 9}) {
    CAPTURE(index);
    f.clicks.clear();
    ClickAt(f.At(f.Button(index)));
    REQUIRE(PumpUntil([&] { return !f.clicks.empty(); }));
    PumpFor(kSettleMs);
    REQUIRE(f.clicks.size() == 1);
    CHECK(f.clicks[0].sender == &f.panel);
    CHECK(f.clicks[0].button == &f.Button(index));
    CHECK(f.clicks[0].btn == index);
    CHECK(f.Button(index).State() == TButtonState::bsMouseOver);
  }

  SUBCASE("a double click is two clicks") {
    f.clicks.clear();
    ClickAt(f.At(f.Button(4)));
    SendMouseButtons(MOUSEEVENTF_LEFTDOWN);
    SendMouseButtons(MOUSEEVENTF_LEFTUP);
    REQUIRE(PumpUntil([&] { return f.clicks.size() == 2; }));
    PumpFor(kSettleMs);
    CHECK(f.clicks.size() == 2);
    for (const Click& c : f.clicks) CHECK(c.btn == 4);
  }

  SUBCASE("an item inserted at 0 reports the index it was created with") {
    f.panel.InsertButton(0);
    REQUIRE(f.panel.Buttons().Count() == 11);
    CHECK(f.Button(0).Tag() == 10);
    CHECK(f.Button(1).Tag() == 0);
    CHECK(f.panel.Height() == 301);  // 11 items in 2 columns: 6 rows
    struct Case {
      int position, btn;
    };
    for (const Case& c : {Case{0, 10}, Case{1, 0}, Case{10, 9}}) {
      CAPTURE(c.position);
      f.clicks.clear();
      ClickAt(f.At(f.Button(c.position)));
      REQUIRE(PumpUntil([&] { return !f.clicks.empty(); }));
      CHECK(f.clicks[0].btn == c.btn);
      CHECK(f.clicks[0].button == &f.Button(c.position));
    }
  }
}

TEST_CASE("without OnButtonClick a click goes to the item's OnClick with its current index") {
  PanelForm f(kMainWindow, false);
  f.Show();
  std::vector<std::pair<TPanelButton*, int>> calls;
  for (int i = 0; i < f.panel.Buttons().Count(); ++i)
    f.panel.Buttons().GetItem(i).OnClick = [&](TPanelButton* item, int index) {
      calls.push_back({item, index});
    };
  TPanelButton& former = f.panel.Buttons().GetItem(0);

  f.panel.InsertButton(0);
  ClickAt(f.At(former.Button()));
  REQUIRE(PumpUntil([&] { return !calls.empty(); }));
  CHECK(calls[0].first == &former);
  CHECK(calls[0].second == 1);
  CHECK(former.Button().Tag() == 0);
}

TEST_CASE("presses that end without a click") {
  PanelForm f(kMainWindow);
  f.Show();
  TFlatButton& button = f.Button(3);

  SUBCASE("left press, drag off, release outside") {
    // The looks on the way are the flat button's business (flat_button_test).
    REQUIRE(MovePointerTo(f.At(button)));
    SendMouseButtons(MOUSEEVENTF_LEFTDOWN);
    REQUIRE(PumpUntil([&] { return button.State() == TButtonState::bsDown; }));
    REQUIRE(MovePointerTo(f.At(f.Button(6))));
    CHECK(PumpUntil([&] { return button.State() == TButtonState::bsUp; }));
    POINT outside = f.At(button);
    outside.y += 300;  // below the form
    REQUIRE(MovePointerTo(outside));
    SendMouseButtons(MOUSEEVENTF_LEFTUP);
    PumpFor(kSettleMs);
    CHECK(button.State() == TButtonState::bsUp);
  }
  SUBCASE("middle button") {
    REQUIRE(MovePointerTo(f.At(button)));
    SendMouseButtons(MOUSEEVENTF_MIDDLEDOWN);
    PumpFor(50);
    CHECK(button.State() != TButtonState::bsDown);
    SendMouseButtons(MOUSEEVENTF_MIDDLEUP);
    PumpFor(kSettleMs);
  }
  SUBCASE("disabled button") {
    f.panel.Buttons().GetItem(3).SetEnabled(false);
    CHECK_FALSE(button.Enabled());
    ClickAt(f.At(button));
    PumpFor(kSettleMs);
  }
  CHECK(f.clicks.empty());
}

namespace {
// Sees the popup menu open from inside its own modal loop, notes where it is and closes it.
struct MenuWatch {
  static inline TPopupMenu* menu = nullptr;
  static inline bool seen = false;
  static inline RECT rect{};
  static void CALLBACK Check(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = FindWindowA("#32768", nullptr);
    if (seen || !window || !IsWindowVisible(window) || !menu->OpenHandle()) return;
    seen = true;
    GetWindowRect(window, &rect);
    EndMenu();
  }
};
}  // namespace

TEST_CASE("a right click on a button or the free row shows the panel's menu and clicks nothing") {
  PanelForm f(kMainWindow);
  f.Show();
  struct Case {
    const char* where;
    POINT client;
  };
  const Case cases[] = {
      {"button 7", {210, 175}},
      {"the pixel row below the grid", {20, 250}},
  };
  MenuWatch::menu = &f.menu;
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, &MenuWatch::Check);
  for (const Case& c : cases) {
    CAPTURE(c.where);
    MenuWatch::seen = false;
    POINT at = c.client;
    ClientToScreen(f.panel.Handle(), &at);
    REQUIRE(MovePointerTo(at));
    SendMouseButtons(MOUSEEVENTF_RIGHTDOWN);
    SendMouseButtons(MOUSEEVENTF_RIGHTUP);
    CHECK(PumpUntil([] { return MenuWatch::seen; }));
    PumpUntil([&] { return !f.menu.OpenHandle(); });
    PumpFor(kSettleMs);
    CHECK(f.menu.PopupComponent() == &f.panel);
    // Shown at the pointer.
    CHECK(std::abs(MenuWatch::rect.left - at.x) <= 2);
    CHECK(std::abs(MenuWatch::rect.top - at.y) <= 2);
    CHECK(f.clicks.empty());
    CHECK(f.menuChoices == 0);
    CHECK(f.Button(7).State() != TButtonState::bsDown);
  }
  KillTimer(nullptr, timer);
}

TEST_CASE("a focusable panel takes the focus on a press and reports keys through OnKeyDown") {
  PanelForm f({10, 110, 201, 110});
  f.panel.SetTabStop(true);
  std::vector<std::uint16_t> keys;
  f.panel.OnKeyDown = [&](Component* sender, std::uint16_t& key, TShiftState) {
    CHECK(sender == &f.panel);
    keys.push_back(key);
  };
  f.Show();
  ClickAt(f.At(f.Button(2)));
  REQUIRE(PumpUntil([&] { return !f.clicks.empty(); }));
  CHECK(GetFocus() == f.panel.Handle());

  INPUT input[2]{};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = VK_ESCAPE;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof input[0]);
  REQUIRE(PumpUntil([&] { return !keys.empty(); }));
  CHECK(keys[0] == VK_ESCAPE);
}

TEST_CASE("the parent XP flag reaches the buttons through the style and while the panel shows") {
  PanelForm f({2, 280, 251, 140, 50});
  TButtonPanel& panel = f.panel;
  panel.Buttons().GetItem(0).SetCtlXP(false);
  panel.Buttons().GetItem(1).SetCtlXP(false);

  // The style copies itself and, with ButtonParentCtlXP, the panel's flag.
  panel.SetButtonParentCtlXP(true);
  panel.SetButtonStyle(TUserButtonStyle::ubsWin40);
  for (int i : {0, 1}) {
    CHECK(f.Button(i).ButtonStyle() == TUserButtonStyle::ubsWin40);
    CHECK(f.Button(i).CtlXP());
    CHECK_FALSE(f.Button(i).HideHint());
  }

  // Changes of the collection push the flag only while the panel is on screen.
  panel.SetCtlXP(false);
  panel.AddButton();
  CHECK(f.Button(0).CtlXP());
  f.Show();
  CHECK(panel.AddButton() == 3);
  for (int i = 0; i < 4; ++i) CHECK_FALSE(f.Button(i).CtlXP());
}

TEST_CASE("captions are painted centred on each button's face; empty buttons stay blank") {
  PanelForm f(kMainWindow);
  TPanelButtons& buttons = f.panel.Buttons();
  buttons.GetItem(0).SetString(0, "Greeting\n(CTRL+ALT+K)");
  buttons.GetItem(1).SetString(0, "Hello");
  buttons.GetItem(2).SetString(0,
                               "\x83"
                               "e\x83X\x83g\n(CTRL+SHIFT+Z)");  // テスト
  f.Show();
  Surface surface(f.panel.Width(), f.panel.Height());
  surface.Render(f.panel);
  surface.SaveBmp(OutPath("button_panel.bmp"));

  auto inner = [&](int index) {
    RECT r = f.Button(index).BoundsRect();
    InflateRect(&r, -3, -3);  // inside the raised edge
    return r;
  };
  struct Case {
    int index;
    bool text;
    int minHeight, maxHeight;  // of the inked block: one line or two
  };
  const Case cases[] = {
      {0, true, 18, 34}, {1, true, 6, 14}, {2, true, 18, 34}, {3, false, 0, 0}, {9, false, 0, 0}};
  for (const Case& c : cases) {
    CAPTURE(c.index);
    const RECT area = inner(c.index);
    const RECT box = surface.DarkBox(area);
    const bool inked = box.right > box.left;
    REQUIRE(inked == c.text);
    if (!inked) continue;
    CHECK(box.bottom - box.top >= c.minHeight);
    CHECK(box.bottom - box.top <= c.maxHeight);
    // Centred both ways within a few pixels.
    CHECK(std::abs((box.left - area.left) - (area.right - box.right)) <= 3);
    CHECK(std::abs((box.top - area.top) - (area.bottom - box.bottom)) <= 3);
  }
}
