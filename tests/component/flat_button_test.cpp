// The flat button's look on real windows, driven by real mouse and key input: the
// classic faces of both program styles at rest, hot and pressed (edge colours read
// back from the screen at their rows and columns), the themed push-button images,
// the caption block, accelerators, the hot check, and press-drag-off-and-back.
#include <doctest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/form_font.h"
#include "components/buttonpanel/button_panel.h"
#include "components/paint/visual_styles.h"
#include "framework/application.h"
#include "framework/bmp_file.h"
#include "framework/form.h"
#include "framework/pixel_image.h"
#include "key_input.h"
#include "mouse_input.h"
#include "pixel_surface.h"
#include "screenshot.h"
#include "theme_switch.h"
#include "wait.h"

namespace {
const std::string kTwoLines = "Hi\n(CTRL+ALT+SHIFT+K)";  // display text, hotkey text

struct Panel {
  TUserButtonStyle style;
  int columns, rows;
  int cellWidth, cellHeight;
  bool styled;  // the style is set while loading (main window); otherwise left at ubsWin40 (popup)
};
const Panel kMainPanel{TUserButtonStyle::ubsWin40Ext, 2, 2, 140, 50, true};
const Panel kPopupPanel{TUserButtonStyle::ubsWin40, 1, 3, 110, 20, false};

// A form with one button panel, laid out while the form loads as the program's windows do.
struct ButtonForm {
  TForm form{nullptr};
  TButtonPanel panel{&form};
  int clicks = 0;

  explicit ButtonForm(const Panel& p, const std::vector<std::string>& captions = {}) {
    Application::Instance().Initialize();
    form.SetBorderStyle(TFormBorderStyle::bsSingle);
    form.SetClientSize(320, 240);
    form.SetPosition(TPosition::poScreenCenter);
    form.BeginLoading();
    panel.SetParent(&form);
    panel.SetBounds(10, 10, p.cellWidth * p.columns, p.cellHeight * p.rows + 1);
    for (int i = 0; i < p.columns * p.rows; ++i) {
      TPanelButton& item = panel.Buttons().Add();
      item.SetCtlXP(true);
      SetFormFont(item.Font());
      if (i < static_cast<int>(captions.size())) item.SetString(0, captions[i]);
    }
    panel.SetButtonHeight(p.cellHeight);
    panel.SetButtonWidth(p.cellWidth);
    if (p.styled) {
      panel.SetButtonStyle(p.style);
      panel.SetButtonParentCtlXP(false);
      panel.SetTransparent(true);
    }
    panel.OnButtonClick = [this](Component*, Component*, int) { ++clicks; };
    form.EndLoading();
    form.Show();
    REQUIRE(PumpUntil([&] { return GetForegroundWindow() == form.Handle(); }));
    Rest();
  }

  TFlatButton& Button(int i) { return panel.Buttons().GetItem(i).Button(); }
  // A screen point of button i, its centre unless told otherwise.
  POINT At(int i, int dx = -1, int dy = -1) {
    const TFlatButton& b = Button(i);
    return ClientToScreenPoint(panel.Handle(), b.Left() + (dx < 0 ? b.Width() / 2 : dx),
                               b.Top() + (dy < 0 ? b.Height() / 2 : dy));
  }
  // The pointer away from the form, every button at rest.
  void Rest() {
    REQUIRE(MovePointerTo({2, 2}));  // the desktop's corner, clear of the test's forms
    for (int i = 0; i < panel.Buttons().Count(); ++i)
      REQUIRE(PumpUntil([&] { return Button(i).State() == TButtonState::bsUp; }));
    PumpFor(50);
  }
  void Hover(int i) {
    REQUIRE(MovePointerTo(At(i)));
    REQUIRE(PumpUntil([&] { return Button(i).State() == TButtonState::bsMouseOver; }));
    PumpFor(50);
  }
  void Press(int i) {
    REQUIRE(MovePointerTo(At(i)));
    SendMouseButtons(MOUSEEVENTF_LEFTDOWN);
    REQUIRE(PumpUntil([&] { return Button(i).State() == TButtonState::bsDown; }));
    PumpFor(50);
  }
};

// What the panel's window shows of a button, pixel by pixel in the button's own coordinates.
class ButtonPixels {
 public:
  ButtonPixels(ButtonForm& f, int i)
      : width_(f.Button(i).Width()), pixels_(WindowPixels(f.panel.Handle(), f.Button(i).BoundsRect())) {}
  COLORREF operator()(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }

 private:
  int width_;
  std::vector<COLORREF> pixels_;
};

bool Dark(COLORREF c) { return std::max({GetRValue(c), GetGValue(c), GetBValue(c)}) < 0x70; }

// The smallest rectangle of dark pixels of a button's pixels inside area.
RECT InkIn(const ButtonPixels& pixels, RECT area) {
  RECT box{area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (Dark(pixels(x, y)))
        box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
               std::max<LONG>(box.bottom, y + 1)};
  return box;
}
}  // namespace

TEST_CASE("classic faces: the exact edge colours of both styles at rest, hot and pressed") {
  ThemeSwitch classic(false);
  const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_3DLIGHT),
                 high = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW),
                 dark = GetSysColor(COLOR_3DDKSHADOW);
  // Told apart only when the scheme gives them five colours.
  const std::vector<COLORREF> five{face, light, high, shadow, dark};
  for (size_t i = 0; i < five.size(); ++i)
    for (size_t j = i + 1; j < five.size(); ++j) REQUIRE(five[i] != five[j]);

  enum class Drive { Rest, Hover, Press };
  // Colours at depth 0 (outermost), 1 and 2 on each side, top and left, bottom and right.
  struct Rings {
    COLORREF topLeft[3], bottomRight[3];
  };
  const Rings thin{{high, face, face}, {shadow, face, face}};         // raised inner edge
  const Rings speed{{high, face, face}, {dark, shadow, face}};        // raised speed-button frame
  const Rings sunken{{shadow, dark, face}, {high, light, face}};      // sunken edge
  const Rings sunkenSoft{{dark, shadow, face}, {high, light, face}};  // sunken soft edge
  struct Case {
    const char* name;
    Panel panel;
    Drive drive;
    Rings rings;
  };
  const Case cases[] = {
      {"ubsWin40Ext at rest: a thin raised border", kMainPanel, Drive::Rest, thin},
      {"ubsWin40Ext hot: fully raised", kMainPanel, Drive::Hover, speed},
      {"ubsWin40Ext pressed: sunken", kMainPanel, Drive::Press, sunken},
      {"ubsWin40 at rest: raised", kPopupPanel, Drive::Rest, speed},
      {"ubsWin40 hot: raised as at rest", kPopupPanel, Drive::Hover, speed},
      {"ubsWin40 pressed: sunken soft", kPopupPanel, Drive::Press, sunkenSoft},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    ButtonForm f(c.panel);
    const int i = 1;
    if (c.drive == Drive::Hover) f.Hover(i);
    if (c.drive == Drive::Press) f.Press(i);
    const ButtonPixels px(f, i);
    const int w = f.Button(i).Width(), h = f.Button(i).Height();
    for (int d = 0; d < 3; ++d) {
      CAPTURE(d);
      for (int along : {w / 4, w / 2, 3 * w / 4}) {
        CHECK(px(along, d) == c.rings.topLeft[d]);
        CHECK(px(along, h - 1 - d) == c.rings.bottomRight[d]);
      }
      for (int along : {h / 4, h / 2, 3 * h / 4}) {
        CHECK(px(d, along) == c.rings.topLeft[d]);
        CHECK(px(w - 1 - d, along) == c.rings.bottomRight[d]);
      }
    }
    if (c.drive == Drive::Press) SendMouseButtons(MOUSEEVENTF_LEFTUP);
    f.Rest();
  }
}

TEST_CASE("themed faces: the push-button image of the state, one pixel beyond each side") {
  REQUIRE(ThemesUsable());
  for (const Panel& p : {kMainPanel, kPopupPanel}) {
    CAPTURE(static_cast<int>(p.style));
    ButtonForm f(p);
    const int i = 1, w = f.Button(i).Width(), h = f.Button(i).Height();
    // Styled while themed, the main window's buttons leave the panel's background at
    // their corners; the popup's never get a style and stay opaque.
    CHECK(f.Button(i).Transparent() == p.styled);
    struct State {
      const char* name;
      int themeState;
    };
    std::vector<PixelImage> seen;
    for (const State& s : {State{"normal", 1}, State{"hot", 2}, State{"pressed", 3}}) {
      CAPTURE(s.name);
      if (s.themeState == 2) f.Hover(i);
      if (s.themeState == 3) f.Press(i);
      // The image drawn from the theme itself onto the button's face colour.
      PixelSurface expected(w, h, GetSysColor(COLOR_BTNFACE));
      REQUIRE(
          ThemeDrawPart(f.panel.Handle(), L"BUTTON", expected.Dc(), 1, s.themeState, {-1, -1, w + 1, h + 1}));
      const ButtonPixels px(f, i);
      int differing = 0;
      PixelImage image(w, h, 0);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          image.SetPixel(x, y, px(x, y));
          const bool corner = (x < 3 || x >= w - 3) && (y < 3 || y >= h - 3);
          if (!corner && px(x, y) != expected.Pixel(x, y)) ++differing;
        }
      CHECK(differing == 0);
      seen.push_back(image);
      if (s.themeState == 3) SendMouseButtons(MOUSEEVENTF_LEFTUP);
      f.Rest();
    }
    // The three states look different, so each check above saw its own state.
    CHECK_FALSE(seen[0] == seen[1]);
    CHECK_FALSE(seen[1] == seen[2]);
    CHECK_FALSE(seen[0] == seen[2]);
  }
}

namespace {
// Where a line's ink starts relative to the point its text is drawn at, in the button's font.
POINT InkBearing(const TFont& font, const std::string& line) {
  PixelSurface surface(400, 60);
  RECT at{10, 10, 390, 50};
  {
    Canvas canvas(surface.Dc());
    TFont black = font;
    black.SetColor(clBlack);
    canvas.TextRect(line, at, DT_NOCLIP, black);
  }
  const RECT ink = surface.Bounds(Dark);
  return {ink.left - 10, ink.top - 10};
}

SIZE TextSize(const TFont& font, const std::string& text) {
  PixelSurface surface(1, 1);
  SelectObject(surface.Dc(), font.Handle());
  RECT r{0, 0, 0, 0};
  std::string buffer = text;
  DrawTextExA(surface.Dc(), buffer.data(), static_cast<int>(buffer.size()), &r, DT_CALCRECT | DT_EXPANDTABS,
              nullptr);
  return {r.right - r.left, r.bottom - r.top};
}
}  // namespace

TEST_CASE("the caption is one centred block whose lines all start at its left edge") {
  ThemeSwitch classic(false);
  struct Case {
    const char* name;
    Panel panel;
    std::string caption;
    bool pressed;
  };
  const Case cases[] = {
      {"two lines in 140 x 50", kMainPanel, kTwoLines, false},
      {"two lines, pressed: 1 pixel right and down", kMainPanel, kTwoLines, true},
      {"a longer first line", kMainPanel, "Greetings, friend\n(ALT+G)", false},
      {"one line in 110 x 20", kPopupPanel, "Alpha", false},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    ButtonForm f(c.panel, {"", c.caption});
    const int i = 1;
    TFlatButton& button = f.Button(i);
    if (c.pressed) f.Press(i);
    const ButtonPixels px(f, i);
    if (c.pressed) SendMouseButtons(MOUSEEVENTF_LEFTUP);

    // The block: the widest line and all lines, 2 pixels more each way, centred in the
    // caption area (the button less 2 on each side), then 1 pixel right and down.
    const SIZE block = TextSize(button.Font(), c.caption);
    const int areaWidth = button.Width() - 4, areaHeight = button.Height() - 4;
    const int shift = c.pressed ? 1 : 0;
    const int left = 2 + (areaWidth - (block.cx + 2)) / 2 + 1 + shift;
    const int top = 2 + (areaHeight - (block.cy + 2)) / 2 + 1 + shift;

    std::vector<std::string> lines;
    for (size_t start = 0;;) {
      const size_t end = c.caption.find('\n', start);
      lines.push_back(c.caption.substr(start, end - start));
      if (end == std::string::npos) break;
      start = end + 1;
    }
    const int lineHeight = block.cy / static_cast<int>(lines.size());
    for (size_t k = 0; k < lines.size(); ++k) {
      CAPTURE(lines[k]);
      const int lineTop = top + static_cast<int>(k) * lineHeight;
      const RECT ink = InkIn(px, {2, lineTop, button.Width() - 2, lineTop + lineHeight});
      const POINT bearing = InkBearing(button.Font(), lines[k]);
      CHECK(ink.left - bearing.x == left);  // every line starts at the block's left edge
      CHECK(ink.top - bearing.y == lineTop);
    }
    f.Rest();
  }
}

TEST_CASE("a caption wider than the button is cut at its edges, the neighbours untouched") {
  ThemeSwitch classic(false);
  ButtonForm f(kPopupPanel, {"", "A caption far too wide for one popup row"});
  const TFlatButton& b = f.Button(1);
  const ButtonPixels px(f, 1);
  // Centred and cut: ink from the first column inside the frame to the last.
  const RECT ink = InkIn(px, {2, 2, b.Width() - 2, b.Height() - 2});
  CHECK(ink.left <= 4);
  CHECK(ink.right >= b.Width() - 10);
  CHECK(ink.bottom - ink.top <= 14);  // one line: cut, not wrapped
  for (int neighbour : {0, 2}) {
    const ButtonPixels other(f, neighbour);
    CHECK(InkIn(other, {2, 2, b.Width() - 2, b.Height() - 2}).right == 2);  // none
  }
}

TEST_CASE("an ampersand underlines the next letter, which then clicks the button with Alt") {
  ThemeSwitch classic(false);
  ButtonForm f(kMainPanel, {"AB", "A&B", "A&&B"});
  auto ink = [&](int i) {
    const ButtonPixels px(f, i);
    return InkIn(px, {2, 2, f.Button(i).Width() - 2, f.Button(i).Height() - 2});
  };
  const RECT plain = ink(0), marked = ink(1), escaped = ink(2);
  // "A&B" shows "AB" with a line under the B: as wide, lower at the bottom.
  CHECK(std::abs((marked.right - marked.left) - (plain.right - plain.left)) <= 2);
  CHECK(marked.bottom > plain.bottom);
  CHECK(marked.right - 2 > (marked.left + marked.right) / 2);
  // "A&&B" shows an ampersand between the letters and underlines nothing.
  CHECK(escaped.right - escaped.left > plain.right - plain.left + 4);
  CHECK(escaped.bottom == plain.bottom);

  struct Case {
    const char* name;
    char key;
    bool enabled, panelEnabled;
    int clicks;
  };
  const Case cases[] = {
      {"Alt+B clicks A&B", 'B', true, true, 1},
      {"Alt+A clicks nothing", 'A', true, true, 0},
      {"a disabled button takes no accelerator", 'B', false, true, 0},
      {"nor does a button of a disabled panel", 'B', true, false, 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    f.clicks = 0;
    f.panel.Buttons().GetItem(1).SetEnabled(c.enabled);
    f.panel.SetEnabled(c.panelEnabled);
    PressHotkey(MOD_ALT, static_cast<UINT>(c.key));
    if (c.clicks > 0) CHECK(PumpUntil([&] { return f.clicks >= c.clicks; }));
    PumpFor(200);  // long enough for a click that should not come
    CHECK(f.clicks == c.clicks);
  }
  f.panel.SetEnabled(true);
  f.panel.Buttons().GetItem(1).SetEnabled(true);
  // Grey, engraved: a disabled caption has no dark ink.
  f.panel.Buttons().GetItem(1).SetEnabled(false);
  PumpFor(50);
  CHECK(ink(1).right == 2);
}

TEST_CASE("press, drag off and back: up off the button, pressed again on it, one click only inside") {
  ThemeSwitch classic(false);
  const COLORREF high = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW),
                 dark = GetSysColor(COLOR_3DDKSHADOW);
  struct Case {
    const char* name;
    bool releaseInside;
    int clicks;
    TButtonState after;
  };
  const Case cases[] = {
      {"released on the button", true, 1, TButtonState::bsMouseOver},
      {"released off it", false, 0, TButtonState::bsUp},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    ButtonForm f(kMainPanel, {"Alpha\n(ALT+A)", "Beta\n(ALT+B)", "Gamma\n(ALT+C)", "Delta\n(ALT+D)"});
    const int i = 3, w = f.Button(i).Width(), h = f.Button(i).Height();  // bottom right
    TFlatButton& button = f.Button(i);
    // The face's top-left corner ring: shadow when sunken, highlight when raised.
    auto topEdge = [&] {
      PumpFor(30);
      return ButtonPixels(f, i)(w / 2, 0);
    };

    f.Press(i);
    CHECK(topEdge() == shadow);
    REQUIRE(MovePointerTo(f.At(i, w / 2, h + 20)));  // off, below the panel, still on the form
    CHECK(PumpUntil([&] { return button.State() == TButtonState::bsUp; }));
    CHECK(topEdge() == high);
    CHECK(f.clicks == 0);
    REQUIRE(MovePointerTo(f.At(i, 10, 10)));  // back on
    CHECK(PumpUntil([&] { return button.State() == TButtonState::bsDown; }));
    CHECK(topEdge() == shadow);
    if (!c.releaseInside) {
      REQUIRE(MovePointerTo(f.At(0)));
      CHECK(PumpUntil([&] { return button.State() == TButtonState::bsUp; }));
    }
    SendMouseButtons(MOUSEEVENTF_LEFTUP);
    if (c.clicks > 0) CHECK(PumpUntil([&] { return f.clicks >= c.clicks; }));
    PumpFor(200);  // long enough for a second click that should not come
    CHECK(f.clicks == c.clicks);
    CHECK(button.State() == c.after);
    // Released on it, the face is raised fully (hot): dark outer bottom edge.
    if (c.releaseInside) CHECK(ButtonPixels(f, i)(w / 2, h - 1) == dark);
    f.Rest();
  }
}

TEST_CASE("a hot button whose pointer left without a leave notice is back at rest within the hot check") {
  ButtonForm f(kMainPanel);
  TFlatButton& button = f.Button(2);
  // The pointer is outside the form: the enter notice is the only news the button has,
  // and no leave notice will follow.
  button.MouseEnter();
  REQUIRE(button.State() == TButtonState::bsMouseOver);
  const DWORD start = GetTickCount();
  REQUIRE(PumpUntil([&] { return button.State() == TButtonState::bsUp; }, 2000));
  const DWORD took = GetTickCount() - start;
  CHECK(took <= 400);  // one 100 ms tick and the time the messages take here

  // With the pointer on it, the check leaves it hot.
  f.Hover(2);
  PumpFor(350);
  CHECK(button.State() == TButtonState::bsMouseOver);
}

TEST_CASE("pictures of both panels in every state, themed and classic") {
  // One row per look and state: the main window's panel beside the popup's.
  struct Look {
    const char* name;
    bool themed;
  };
  const std::vector<std::string> mainCaptions = {"Greeting\n(CTRL+ALT+K)",
                                                 "\x83"
                                                 "e\x83X\x83g\n(CTRL+SHIFT+Z)",
                                                 "Address\n(ALT+SHIFT+A)", " "};
  const std::vector<std::string> popupCaptions = {"Greeting",
                                                  "\x83"
                                                  "e\x83X\x83g",
                                                  "Address"};
  const int gap = 10, rowHeight = 2 * 50 + 1 + gap, sheetWidth = 280 + gap + 110 + 2 * gap;
  PixelImage sheet(sheetWidth, 6 * rowHeight + gap, RGB(255, 255, 255));
  int row = 0;
  for (const Look& look : {Look{"themed", true}, Look{"classic", false}}) {
    ThemeSwitch themes(look.themed);
    ButtonForm main(kMainPanel, mainCaptions);
    ButtonForm popup(kPopupPanel, popupCaptions);
    // The two forms side by side on the screen, so the pointer reaches each.
    SetWindowPos(popup.form.Handle(), HWND_TOP, 460, 100, 0, 0, SWP_NOSIZE);
    SetWindowPos(main.form.Handle(), HWND_TOP, 100, 100, 0, 0, SWP_NOSIZE);
    PumpFor(100);
    for (const char* state : {"rest", "hot", "pressed"}) {
      const std::string which = state;
      if (which == "hot") main.Hover(1);
      if (which == "pressed") main.Press(1);
      const ButtonPixels left(main, 0), right(main, 1), below(main, 2), last(main, 3);
      const ButtonPixels* cells[] = {&left, &right, &below, &last};
      for (int k = 0; k < 4; ++k)
        for (int y = 0; y < 50; ++y)
          for (int x = 0; x < 140; ++x)
            sheet.SetPixel(gap + (k % 2) * 140 + x, gap + row * rowHeight + (k / 2) * 50 + y,
                           (*cells[k])(x, y));
      if (which == "pressed") SendMouseButtons(MOUSEEVENTF_LEFTUP);
      main.Rest();
      if (which == "hot") popup.Hover(1);
      if (which == "pressed") popup.Press(1);
      for (int k = 0; k < 3; ++k) {
        const ButtonPixels cell(popup, k);
        for (int y = 0; y < 20; ++y)
          for (int x = 0; x < 110; ++x)
            sheet.SetPixel(2 * gap + 280 + x, gap + row * rowHeight + k * 20 + y, cell(x, y));
      }
      if (which == "pressed") SendMouseButtons(MOUSEEVENTF_LEFTUP);
      popup.Rest();
      ++row;
    }
    // The whole desktop with both panels at rest.
    CHECK(SaveScreenshot(std::string("flat_buttons_") + look.name));
  }
  const std::vector<std::uint8_t> bmp = EncodeBmp24(sheet);
  FILE* out = std::fopen(OutPath("flat_button_states.bmp").c_str(), "wb");
  REQUIRE(out);
  std::fwrite(bmp.data(), 1, bmp.size(), out);
  std::fclose(out);
}
