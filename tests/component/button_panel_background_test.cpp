// What a button panel paints under its buttons: its colour, its fill object's
// picture (a gradient here), or its parent's background when transparent, and the
// bevel frame that the grid makes room for. Rendered into a memory DC and read back.
#include <doctest.h>

#include "components/buttonpanel/button_panel.h"
#include "framework/application.h"
#include "framework/form.h"
#include "pixel_surface.h"
#include "screenshot.h"
#include "system_colors.h"
#include "theme_switch.h"
#include "wait.h"

namespace {
const COLORREF kFace = GetSysColor(COLOR_BTNFACE);

bool IsGradientColor(COLORREF c) { return GetRValue(c) == 0 && GetGValue(c) == 0; }  // blue to black

// A panel on a form, set up while the form loads, as a window's layout does it.
struct PanelOnForm {
  TForm form{nullptr};
  TButtonPanel panel{&form};

  PanelOnForm(int buttons, bool transparent) {
    Application::Instance().Initialize();
    form.SetBorderStyle(TFormBorderStyle::bsSingle);
    form.SetClientSize(200, 120);
    form.BeginLoading();
    panel.SetParent(&form);
    panel.SetBounds(0, 0, 140, 100);
    for (int i = 0; i < buttons; ++i) panel.Buttons().Add();  // no captions: no dark text
    panel.SetButtonWidth(70);
    panel.SetButtonHeight(40);
    panel.SetTransparent(transparent);
    panel.FillObject().SetStyle(TFillStyle::sfGradient);
    panel.Bevel().SetMode(TBevelMode::bmCustom);
    form.EndLoading();
  }
};
}  // namespace

TEST_CASE(
    "a non-transparent gradient panel 201 pixels high shows 16 bands, blue at the top, black at the bottom") {
  TButtonPanel panel(nullptr);
  panel.SetButtonWidth(30);
  panel.SetButtonHeight(200);  // no buttons: one empty cell plus the extra pixel row
  panel.FillObject().SetStyle(TFillStyle::sfGradient);
  REQUIRE(panel.Height() == 201);

  PixelSurface surface(panel.Width(), panel.Height());
  panel.PaintTo(surface.Dc());
  struct Row {
    int y;
    COLORREF color;
  };
  const Row rows[] = {
      {0, RGB(0, 0, 255)},  {12, RGB(0, 0, 255)}, {13, RGB(0, 0, 238)}, {24, RGB(0, 0, 238)},
      {25, RGB(0, 0, 221)}, {187, RGB(0, 0, 17)}, {188, RGB(0, 0, 0)},  {200, RGB(0, 0, 0)},
  };
  for (const Row& row : rows) {
    CAPTURE(row.y);
    CHECK(surface.Pixel(0, row.y) == row.color);
    CHECK(surface.Pixel(29, row.y) == row.color);
  }
}

TEST_CASE("a transparent panel never shows its gradient: the button face shows, themed or not") {
  for (bool themed : {false, true}) {
    CAPTURE(themed);
    PanelOnForm f(3, true);
    if (themed) {
      f.form.Show();
      REQUIRE(PumpUntil([&] { return IsWindowVisible(f.panel.Handle()) != FALSE; }));
    }
    ThemeSwitch look(themed);
    PixelSurface surface(f.panel.Width(), f.panel.Height(), RGB(255, 0, 255));
    f.panel.PaintTo(surface.Dc());
    CHECK(surface.Count(IsGradientColor) == 0);
    // The extra row below the grid and the empty third cell are pure background.
    for (int x = 0; x < f.panel.Width(); x += 7) CHECK(surface.Pixel(x, f.panel.Height() - 1) == kFace);
    CHECK(surface.Pixel(100, 60) == kFace);
  }
}

TEST_CASE("the popup's panel: button face, no frame") {
  TButtonPanel panel(nullptr);
  panel.Bevel().SetMode(TBevelMode::bmCustom);
  panel.Buttons().Add();
  panel.SetButtonWidth(50);
  panel.SetButtonHeight(20);
  REQUIRE(panel.Buttons().GetItem(0).Button().Left() == 0);
  REQUIRE(panel.Buttons().GetItem(0).Button().Top() == 0);
  PixelSurface surface(panel.Width(), panel.Height(), RGB(255, 0, 255));
  panel.PaintTo(surface.Dc());
  for (int x = 0; x < panel.Width(); ++x) CHECK(surface.Pixel(x, panel.Height() - 1) == kFace);
}

TEST_CASE("a bevel with an extent frames the grid and the buttons move inside it") {
  ThemeSwitch classic(false);
  TButtonPanel panel(nullptr);
  panel.Buttons().Add();
  panel.SetButtonWidth(50);
  panel.SetButtonHeight(20);
  TBevelSettings settings;
  settings.StyleOuter = TBevelStyle::bvRaised;
  settings.WidthOuter = 2;
  settings.LightColor = RGB(255, 0, 0);
  settings.ShadowColor = RGB(0, 255, 0);
  panel.Bevel().SetSettings(settings);

  const TFlatButton& button = panel.Buttons().GetItem(0).Button();
  CHECK(button.Left() == 2);
  CHECK(button.Top() == 2);
  CHECK(panel.Width() == 50 + 4);
  CHECK(panel.Height() == 20 + 4 + 1);

  PixelSurface surface(panel.Width(), panel.Height());
  panel.PaintTo(surface.Dc());
  CHECK(surface.Pixel(0, 0) == RGB(255, 0, 0));
  CHECK(surface.Pixel(1, 10) == RGB(255, 0, 0));
  CHECK(surface.Pixel(panel.Width() - 1, 10) == RGB(0, 255, 0));
  CHECK(surface.Pixel(10, panel.Height() - 2) == RGB(0, 255, 0));
}

TEST_CASE("a change of the system colours reaches a non-transparent panel on a form: its fill is made anew") {
  // The fill is a brush of the button face, kept as a picture: the system repaints
  // every window after the change, but only the panel's own handler of it makes the
  // picture again.
  PanelOnForm f(0, false);
  f.panel.FillObject().SetStyle(TFillStyle::sfBrush);
  f.panel.FillObject().SetBrushColor(clBtnFace);
  f.form.Show();
  REQUIRE(PumpUntil([&] { return IsWindowVisible(f.panel.Handle()) != FALSE; }));
  const RECT spot{10, 10, 11, 11};
  REQUIRE(PumpUntil([&] { return WindowPixels(f.panel.Handle(), spot)[0] == kFace; }));

  const COLORREF newFace = RGB(30, 160, 90);
  SystemColorChanged change(COLOR_BTNFACE, newFace);
  CHECK(PumpUntil([&] { return WindowPixels(f.panel.Handle(), spot)[0] == newFace; }, 2000));
}
