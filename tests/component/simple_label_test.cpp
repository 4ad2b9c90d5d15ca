// The simple label painted into a memory DC and driven through its settings: the
// dialogs' shadowed captions, auto-size, disabled looks, text options, twinkling,
// links, the accelerator and font smoothing.
#include "components/dialog/simple_label.h"

#include <doctest.h>

#include "framework/application.h"
#include "framework/form.h"
#include "label_test_support.h"
#include "wait.h"

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kGrey195 = RGB(195, 195, 195),
                   kGreen = RGB(0, 255, 0);

// A label of the dialogs' caption shape (89 x 15, centred left, a light grey shadow)
// in a crisp test font, for the component's own rules; the real dialogs' captions
// are checked on the shown windows.
struct DialogLabel {
  TSimpleLabel label{nullptr};
  explicit DialogLabel(const std::string& caption = "Hot Key:") {
    label.BeginLoading();
    SetTestFont(label.Font(), -12);
    label.SetCaption(caption);
    label.SetAlignment(TBoxAlignment::agCenterLeft);
    label.SetAutoSize(false);
    label.SetBounds(0, 0, 89, 15);
    label.Font3D().SetStyle(TThreeDStyle::tdShadow);
    label.Font3D().SetLightDepth(4);
    label.Font3D().SetShadowColor(12829635);
    label.EndLoading();
  }
};

// A form for labels that need a parent window; shown once its children are placed.
struct LabelForm {
  TForm form{nullptr};
  LabelForm() {
    Application::Instance().Initialize();
    form.SetClientSize(200, 100);
  }
  void Show() {
    form.Show();
    REQUIRE(PumpUntil([&] { return GetForegroundWindow() == form.Handle(); }));
  }
};

RECT PlainText(const TFont& font, const std::string& text, UINT flags, int width, int height) {
  PixelSurface surface(width, height);
  HGDIOBJ old = SelectObject(surface.Dc(), font.Handle());
  SetBkMode(surface.Dc(), TRANSPARENT);
  SetTextColor(surface.Dc(), kBlack);
  RECT r{0, 0, width, height};
  DrawTextA(surface.Dc(), text.c_str(), static_cast<int>(text.size()), &r, flags);
  SelectObject(surface.Dc(), old);
  return surface.BoundsOf(kBlack);
}
}  // namespace

TEST_CASE(
    "a dialog caption sits at the left edge, centred on one line, its grey copy one pixel right and down") {
  DialogLabel d;
  REQUIRE(d.label.Width() == 89);
  REQUIRE(d.label.Height() == 15);
  const RECT expected = PlainText(d.label.Font(), "Hot Key:", DT_SINGLELINE | DT_VCENTER, 89, 15);
  auto drawn = Render(d.label);
  const RECT text = drawn->BoundsOf(kBlack);
  CHECK(SameRect(text, expected));
  CHECK(text.left <= 1);
  const RECT shadow = drawn->BoundsOf(kGrey195);
  CHECK(shadow.right == text.right + 1);
  CHECK(shadow.bottom == text.bottom + 1);

  SUBCASE("LightDepth changes nothing") {
    d.label.Font3D().SetLightDepth(1);
    auto again = Render(d.label);
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 89; ++x) REQUIRE(again->Pixel(x, y) == drawn->Pixel(x, y));
  }
}

TEST_CASE("auto-size: the caption's DT_CALCRECT extent plus the effect's depth plus one pixel each side") {
  struct Case {
    const char* caption;
    TThreeDStyle style;
    int light, shadow;
    int depth;
  };
  const Case cases[] = {
      {"Hot Key:", TThreeDStyle::tdNone, 1, 1, 0},
      {"Hot Key:", TThreeDStyle::tdShadow, 4, 3, 3},
      {"Hot Key:", TThreeDStyle::tdRaisedShadow, 2, 3, 5},
      {"Tab\there", TThreeDStyle::tdNone, 1, 1, 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.caption);
    CAPTURE(static_cast<int>(c.style));
    TSimpleLabel label(nullptr);
    label.SetBounds(40, 20, 30, 30);
    SetTestFont(label.Font());
    label.Font3D().SetStyle(c.style);
    label.Font3D().SetLightDepth(static_cast<std::uint8_t>(c.light));
    label.Font3D().SetShadowDepth(static_cast<std::uint8_t>(c.shadow));
    label.SetCaption(c.caption);
    const SIZE extent = CalcRectExtent(label.Font(), c.caption);
    CHECK(label.Width() == extent.cx + c.depth + 2);
    CHECK(label.Height() == extent.cy + c.depth + 2);
    CHECK(label.Left() == 40);
    CHECK(label.Top() == 20);
  }
  SUBCASE("an empty caption, or a lone accelerator sign, is measured as one space") {
    const SIZE space = CalcRectExtent(TSimpleLabel(nullptr).Font(), " ");
    for (const char* caption : {"", "&"}) {
      TSimpleLabel label(nullptr);
      label.SetCaption(caption);
      label.SetCaption(caption[0] ? "x" : "y");  // a change, then back
      label.SetCaption(caption);
      CAPTURE(caption);
      CHECK(label.Width() == space.cx + 2);
      CHECK(label.Height() == space.cy + 2);
    }
  }
  SUBCASE("not while loading, and not with AutoSize off") {
    TSimpleLabel label(nullptr);
    label.BeginLoading();
    label.SetCaption("Hot Key:");
    CHECK(label.Width() == 30);
    label.EndLoading();
    CHECK(label.Width() != 30);
    label.SetAutoSize(false);
    label.SetBounds(0, 0, 7, 7);
    label.SetCaption("Display Text:");
    CHECK(label.Width() == 7);
  }
}

TEST_CASE("a disabled label: grey with its effect (auto), sunken (3d), or as if enabled (none)") {
  const COLORREF gray = GetSysColor(COLOR_GRAYTEXT);
  struct Case {
    TDisabledStyle style;
    COLORREF text;
    COLORREF copy;
    int copyOffset;
  };
  const Case cases[] = {
      {TDisabledStyle::dsAuto, gray, kGrey195, 1},
      {TDisabledStyle::ds3d, gray, kGreen, 4},
      {TDisabledStyle::dsNone, kBlack, kGrey195, 1},
  };
  // Tall enough for the sunken copy four pixels down.
  DialogLabel enabled;
  enabled.label.SetBounds(0, 0, 89, 30);
  const RECT text = Render(enabled.label)->BoundsOf(kBlack);
  for (const Case& c : cases) {
    CAPTURE(static_cast<int>(c.style));
    DialogLabel d;
    d.label.SetBounds(0, 0, 89, 30);
    d.label.Font3D().SetLightColor(kGreen);
    d.label.Font3D().SetDisabledStyle(c.style);
    d.label.SetEnabled(false);
    auto drawn = Render(d.label);
    CHECK(SameRect(drawn->BoundsOf(c.text), text));
    const RECT copy = drawn->BoundsOf(c.copy);
    CHECK(copy.right == text.right + c.copyOffset);
    CHECK(copy.bottom == text.bottom + c.copyOffset);
  }
}

TEST_CASE("transparent labels draw only their caption; opaque ones fill with Color first") {
  TSimpleLabel label(nullptr);
  label.SetAutoSize(false);
  label.SetBounds(0, 0, 40, 20);
  CHECK(Render(label, kGreen)->Count([](COLORREF c) { return c != kGreen; }) == 0);
  label.SetTransparent(false);
  label.SetColor(clWhite);
  CHECK(Render(label, kGreen)->Count([](COLORREF c) { return c != kWhite; }) == 0);
}

TEST_CASE("the end-ellipsis option ends a caption that does not fit with an ellipsis") {
  const std::string caption = "A caption much wider than its label";
  TSimpleLabel label(nullptr);
  SetTestFont(label.Font(), -12);
  label.SetAutoSize(false);
  label.SetBounds(0, 0, 90, 16);
  label.SetCaption(caption);
  const RECT cut = Render(label)->BoundsOf(kBlack);
  label.SetOptions({TLabelOption::loEndEllipsis});
  const RECT ellipsis = Render(label)->BoundsOf(kBlack);
  CHECK(SameRect(ellipsis, PlainText(label.Font(), caption, DT_SINGLELINE | DT_END_ELLIPSIS, 90, 16)));
  CHECK(!SameRect(ellipsis, cut));
}

TEST_CASE("twinkling hides the caption, or shows it in TwinkleColor, then shows it again") {
  DialogLabel d;
  d.label.Font3D().SetStyle(TThreeDStyle::tdNone);
  d.label.SetTwinkleVisible(30);
  d.label.SetTwinkleInVisible(30);
  d.label.SetTwinkle(true);
  CHECK(d.label.TwinklePhaseVisible());
  REQUIRE(PumpUntil([&] { return !d.label.TwinklePhaseVisible(); }, 2000));
  CHECK(Render(d.label)->Count([](COLORREF c) { return c != kWhite; }) == 0);
  d.label.SetTwinkleColor(RGB(255, 0, 0));
  auto colored = Render(d.label);
  CHECK(colored->Count([](COLORREF c) { return c == RGB(255, 0, 0); }) > 0);
  CHECK(colored->Count([](COLORREF c) { return c == kBlack; }) == 0);
  REQUIRE(PumpUntil([&] { return d.label.TwinklePhaseVisible(); }, 2000));
  REQUIRE(PumpUntil([&] { return !d.label.TwinklePhaseVisible(); }, 2000));

  d.label.SetTwinkle(false);
  CHECK(d.label.TwinklePhaseVisible());
  PumpFor(100);
  CHECK(d.label.TwinklePhaseVisible());
  CHECK(Render(d.label)->Count([](COLORREF c) { return c == kBlack; }) > 0);
}

TEST_CASE("a link label: hand cursor, link colours and underline; a failed launch switches it off") {
  TSimpleLabel label(nullptr);
  label.SetCaption("Velnor");
  label.SetJumpMode(TJumpModes::jmApplication);
  CHECK(label.Cursor() == TLabelCursor::crHandPoint);
  CHECK(label.Font().Color() == 16711680u);
  CHECK(label.Font().Underline());

  int clicks = 0;
  label.OnClick = [&](Component*) { ++clicks; };
  label.SetJump("Z:\\no such folder\\no such program.exe");
  label.MouseDown(MouseButton::Left, {}, 2, 2);
  CHECK(label.Clicks() == 1);
  CHECK(label.Font().Color() == 8388736u);
  label.MouseUp(MouseButton::Left, {}, 2, 2);
  CHECK(clicks == 1);
  CHECK(label.JumpMode() == TJumpModes::jmNone);
  CHECK_FALSE(label.Enabled());
  CHECK(label.Cursor() == TLabelCursor::crDefault);
  CHECK(label.Font().Color() == clBlack);
  CHECK_FALSE(label.Font().Underline());

  SUBCASE("a release outside the label is no click") {
    TSimpleLabel other(nullptr);
    other.SetBounds(0, 0, 30, 30);
    other.OnClick = [&](Component*) { ++clicks; };
    other.MouseDown(MouseButton::Left, {}, 2, 2);
    other.MouseUp(MouseButton::Left, {}, 40, 2);
    CHECK(clicks == 1);
  }
}

TEST_CASE("the legacy UseAsJump item makes an internet link once loading completes") {
  TSimpleLabel label(nullptr);
  label.BeginLoading();
  label.SetUseAsJump(true);
  CHECK(label.JumpMode() == TJumpModes::jmNone);
  label.EndLoading();
  CHECK(label.JumpMode() == TJumpModes::jmInternet);
}

TEST_CASE("Alt with the caption's accelerator focuses FocusControl") {
  LabelForm f;
  TForm& form = f.form;
  TWinControl target(&form);
  target.SetParent(&form);
  target.SetBounds(100, 10, 50, 20);
  TWinControl elsewhere(&form);
  elsewhere.SetParent(&form);
  elsewhere.SetBounds(100, 40, 50, 20);
  TSimpleLabel label(&form);
  label.SetParent(&form);
  label.SetCaption("&Key:");
  label.SetFocusControl(&target);
  f.Show();

  auto focusElsewhere = [&] {
    SetFocus(elsewhere.Handle());
    return GetFocus() == elsewhere.Handle();
  };
  const TShiftState alt{ShiftFlag::Alt};
  REQUIRE(focusElsewhere());
  CHECK_FALSE(label.DialogChar('K', {}));
  CHECK_FALSE(label.DialogChar('X', alt));
  CHECK(GetFocus() == elsewhere.Handle());
  CHECK(label.DialogChar('k', alt));
  CHECK(GetFocus() == target.Handle());

  // Typed for real, Alt+K reaches the window with the focus; the form offers it to its labels.
  REQUIRE(focusElsewhere());
  constexpr LPARAM kAltDown = LPARAM{1} << 29;
  SendMessageA(elsewhere.Handle(), WM_SYSCHAR, 'k', kAltDown);
  CHECK(GetFocus() == target.Handle());

  REQUIRE(focusElsewhere());
  label.SetShowAccelChar(false);
  CHECK_FALSE(label.DialogChar('K', alt));
  label.SetShowAccelChar(true);
  label.SetEnabled(false);
  CHECK_FALSE(label.DialogChar('K', alt));
  CHECK(GetFocus() == elsewhere.Handle());

  SUBCASE("a focus control that goes away is forgotten") {
    auto gone = std::make_unique<TWinControl>(&form);
    label.SetFocusControl(gone.get());
    gone.reset();
    CHECK(label.FocusControl() == nullptr);
    label.SetEnabled(true);
    CHECK_FALSE(label.DialogChar('K', alt));
  }
}

TEST_CASE("font smoothing survives font changes and is undone when switched off") {
  TSimpleLabel label(nullptr);
  label.SetFontSmoothing(true);
  CHECK(label.Font().Quality() == ANTIALIASED_QUALITY);
  TFont other;
  other.Set("Tahoma", -20, ANSI_CHARSET);
  label.Font().Assign(other);
  CHECK(label.Font().Quality() == ANTIALIASED_QUALITY);
  label.SetFontSmoothing(false);
  CHECK(label.Font().Quality() == DEFAULT_QUALITY);
  label.Font().SetQuality(NONANTIALIASED_QUALITY);
  CHECK(label.Font().Quality() == NONANTIALIASED_QUALITY);  // only smoothing is undone
}

TEST_CASE("changes between BeginUpdate and EndUpdate repaint once, at the end") {
  LabelForm f;
  TForm& form = f.form;
  TSimpleLabel label(&form);
  label.SetParent(&form);
  label.SetBounds(10, 10, 60, 20);
  f.Show();
  PumpFor(50);
  ValidateRect(form.Handle(), nullptr);

  const RECT before = label.BoundsRect();
  label.BeginUpdate();
  label.BeginUpdate();
  label.SetCaption("Hot Key:");  // auto-size: a new size
  label.Font3D().SetStyle(TThreeDStyle::tdRaised);
  CHECK_FALSE(GetUpdateRect(form.Handle(), nullptr, FALSE));
  label.EndUpdate();
  CHECK_FALSE(GetUpdateRect(form.Handle(), nullptr, FALSE));
  label.EndUpdate();
  RECT dirty{}, expected{};
  UnionRect(&expected, &before, &label.BoundsRect());
  REQUIRE(!SameRect(before, label.BoundsRect()));
  CHECK(GetUpdateRect(form.Handle(), &dirty, FALSE));
  CHECK(SameRect(dirty, expected));
}
