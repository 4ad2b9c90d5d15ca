// The HTML label on a real window: its anchor drawn underlined in the link colour
// on whatever lies beneath, the hand over the anchor and the arrow beside it after
// real pointer moves, clicks that open web and mail targets through the label's
// opener (recorded here, so nothing reaches a network), and the label's own text
// rules: hover, auto-size, lines run together, hints.
#include "components/dialog/markup_label.h"

#include <doctest.h>

#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/form.h"
#include "mouse_input.h"
#include "pixel_surface.h"
#include "wait.h"
#include "x_input.h"

namespace {
constexpr COLORREF kBackground = RGB(10, 200, 30);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr int kLeft = 20, kTop = 30, kWidth = 260, kHeight = 20;
const char kAddress[] = "http://www.example.com/";

std::string Anchor(const std::string& target, const std::string& text) {
  return "<a href=\"" + target + "\">" + text + "</a>";
}

// A shown borderless form in the background colour with the label on it.
struct LabelOnForm {
  TForm form{nullptr};
  TMarkupLabel label{&form};
  std::vector<std::string> opened;
  std::vector<std::string> anchorClicks;

  LabelOnForm() {
    Application::Instance().Initialize();
    form.SetBorderStyle(TFormBorderStyle::bsNone);
    form.SetBounds(100, 100, 320, 120);
    form.SetColor(static_cast<TColor>(kBackground));
    label.SetParent(&form);
    label.SetBounds(kLeft, kTop, kWidth, kHeight);
    label.Font().Set("Tahoma", -13, ANSI_CHARSET);
    label.Font().SetQuality(NONANTIALIASED_QUALITY);
    label.Font().SetColor(clBlack);
    label.SetTransparent(true);
    label.SetMarkupText({Anchor(kAddress, kAddress)});
    label.ShellOpener = [this](const std::string& target) { opened.push_back(target); };
    label.OnAnchorClick = [this](Component*, const std::string& target) { anchorClicks.push_back(target); };
    form.Show();
    PumpFor(100);
  }

  // The form as WM_PAINT draws it.
  std::unique_ptr<PixelSurface> Picture() {
    auto surface = std::make_unique<PixelSurface>(form.Width(), form.Height());
    form.PaintTo(surface->Dc());
    return surface;
  }
  // A label point on the anchor's text, found by asking the label: the middle of its hit rectangle.
  POINT AnchorPoint() {
    for (int x = 0; x < label.Width(); ++x) {
      RECT r;
      if (!label.IsAnchor(x, kHeight / 2, r).empty()) return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    FAIL("no point of the label lies on its anchor");
    return {};
  }
  // A label point beside the text: on the label, right of every anchor.
  POINT BesidePoint() { return {label.Width() - 3, kHeight / 2}; }
  POINT Screen(POINT inLabel) {
    return ClientToScreenPoint(form.Handle(), kLeft + inLabel.x, kTop + inLabel.y);
  }
};

HCURSOR Hand() { return LoadCursorA(nullptr, IDC_HAND); }
HCURSOR Arrow() { return LoadCursorA(nullptr, IDC_ARROW); }

bool CursorBecomes(HCURSOR cursor) {
  return PumpUntil([&] { return GetCursor() == cursor; }, 3000);
}

// The length of the longest horizontal run of the colour in a row.
int LongestRun(const PixelSurface& s, int y, COLORREF color) {
  int best = 0, run = 0;
  for (int x = 0; x < s.Width(); ++x) {
    run = s.Pixel(x, y) == color ? run + 1 : 0;
    if (run > best) best = run;
  }
  return best;
}

// Whether some row of the area holds a line of the colour as wide as nearly all of it.
bool Underlined(const PixelSurface& s, COLORREF color) {
  const RECT ink = s.BoundsOf(color);
  if (IsRectEmpty(&ink)) return false;
  for (int y = ink.top; y < ink.bottom; ++y)
    if (LongestRun(s, y, color) >= (ink.right - ink.left) * 9 / 10) return true;
  return false;
}
}  // namespace

TEST_CASE("the anchor is drawn underlined in the link colour, on the window's own background") {
  LabelOnForm f;
  const auto picture = f.Picture();
  const RECT blue = picture->BoundsOf(kBlue);
  REQUIRE_FALSE(IsRectEmpty(&blue));
  // Inside the label, starting at its left edge.
  CHECK(blue.left >= kLeft);
  CHECK(blue.left <= kLeft + 2);
  CHECK(blue.bottom <= kTop + kHeight);
  CHECK(Underlined(*picture, kBlue));
  // Transparent: every other pixel is still the form's own colour.
  CHECK(picture->Count([](COLORREF c) { return c != kBlue && c != kBackground; }) == 0);

  SUBCASE("and in another link colour when one is set") {
    f.label.SetURLColor(static_cast<TColor>(kRed));
    const auto red = f.Picture();
    CHECK(red->Count([](COLORREF c) { return c == kBlue; }) == 0);
    CHECK(Underlined(*red, kRed));
  }
}

TEST_CASE("an opaque label fills its area with its colour first") {
  LabelOnForm f;
  f.label.SetTransparent(false);
  f.label.SetColor(clWhite);
  const auto picture = f.Picture();
  CHECK(picture->Pixel(kLeft + kWidth - 2, kTop + 1) == RGB(255, 255, 255));
  CHECK(picture->Pixel(kLeft - 2, kTop + 1) == kBackground);
}

TEST_CASE("real pointer moves show the hand over the anchor and the arrow beside it") {
  LabelOnForm f;
  std::vector<std::string> events;
  f.label.OnAnchorEnter = [&](Component*, const std::string& a) { events.push_back("enter " + a); };
  f.label.OnAnchorExit = [&](Component*, const std::string& a) { events.push_back("exit " + a); };
  const POINT on = f.Screen(f.AnchorPoint()), beside = f.Screen(f.BesidePoint());

  REQUIRE(XMovePointer(beside.x, beside.y));
  CHECK(CursorBecomes(Arrow()));
  CHECK(f.label.Cursor() == TLabelCursorShape::crDefault);

  REQUIRE(XMovePointer(on.x, on.y));
  CHECK(CursorBecomes(Hand()));
  CHECK(f.label.Cursor() == TLabelCursorShape::crHandPoint);
  CHECK(f.label.HoverAnchor() == 1);
  // The window asks for its pointer before every move and whenever it is shown
  // anew: the label keeps its hand there, with no arrow in between.
  SetCursor(Arrow());
  SendMessageA(f.form.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(f.form.Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  CHECK(GetCursor() == Hand());
  REQUIRE(XMovePointer(on.x + 1, on.y));
  PumpFor(100);
  CHECK(GetCursor() == Hand());

  REQUIRE(XMovePointer(beside.x, beside.y));
  CHECK(CursorBecomes(Arrow()));
  CHECK(f.label.HoverAnchor() == -1);
  SendMessageA(f.form.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(f.form.Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  CHECK(GetCursor() == Arrow());
  CHECK(events == std::vector<std::string>{std::string("enter ") + kAddress, "exit "});
}

TEST_CASE("a real click on the anchor text opens its target; one beside the text opens nothing") {
  LabelOnForm f;
  ClickAt(f.Screen(f.BesidePoint()));
  PumpFor(300);
  CHECK(f.opened.empty());

  // Both ends of the text and its middle.
  RECT r;
  REQUIRE_FALSE(f.label.IsAnchor(f.AnchorPoint().x, f.AnchorPoint().y, r).empty());
  for (LONG x : {r.left + 1, f.AnchorPoint().x, r.right - 2}) {
    CAPTURE(x);
    const size_t before = f.opened.size();
    ClickAt(f.Screen({x, f.AnchorPoint().y}));
    CHECK(PumpUntil([&] { return f.opened.size() == before + 1; }));
    PumpFor(GetDoubleClickTime());  // the next click must not pair with this one
  }
  CHECK(f.opened == std::vector<std::string>(3, kAddress));
  CHECK(f.anchorClicks.empty());
}

TEST_CASE("a click opens web and mail targets with the shell and gives any other to OnAnchorClick") {
  struct Case {
    std::string target;
    std::vector<std::string> opened, handed;
  };
  const Case cases[] = {
      {"http://www.example.com/", {"http://www.example.com/"}, {}},
      {"mailto:info@example.com", {"mailto:info@example.com"}, {}},
      {"help", {}, {"help"}},
      {"", {}, {}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.target);
    LabelOnForm f;
    // Found on a target of any kind: an empty one is no anchor to ask for.
    f.label.SetMarkupText({Anchor("x", "the link")});
    const POINT at = f.AnchorPoint();
    f.label.SetMarkupText({Anchor(c.target, "the link")});
    f.label.MouseDown(MouseButton::Left, {}, at.x, at.y);
    CHECK(f.opened == c.opened);
    CHECK(f.anchorClicks == c.handed);
  }
}

TEST_CASE("with Hover the anchor is underlined and in the hover colour only while the pointer is on it") {
  LabelOnForm f;
  f.label.SetHover(true);
  f.label.SetHoverFontColor(static_cast<TColor>(kRed));
  const POINT on = f.Screen(f.AnchorPoint()), beside = f.Screen(f.BesidePoint());

  REQUIRE(XMovePointer(beside.x, beside.y));
  PumpFor(100);
  auto picture = f.Picture();
  CHECK(picture->Count([](COLORREF c) { return c == kRed; }) == 0);
  CHECK_FALSE(Underlined(*picture, kBlue));

  REQUIRE(XMovePointer(on.x, on.y));
  REQUIRE(PumpUntil([&] { return f.label.HoverAnchor() == 1; }));
  picture = f.Picture();
  CHECK(Underlined(*picture, kRed));

  REQUIRE(XMovePointer(beside.x, beside.y));
  REQUIRE(PumpUntil([&] { return f.label.HoverAnchor() == -1; }));
  picture = f.Picture();
  CHECK(picture->Count([](COLORREF c) { return c == kRed; }) == 0);
}

TEST_CASE("two markup lines run together unless the first ends with a line break") {
  LabelOnForm f;
  f.label.SetBounds(kLeft, kTop, kWidth, 60);
  auto inkHeight = [&] {
    const auto picture = f.Picture();
    const RECT ink = picture->Bounds([](COLORREF c) { return c != kBackground; });
    return ink.bottom - ink.top;
  };
  f.label.SetMarkupText({"Velnor"});
  const int oneLine = inkHeight();
  REQUIRE(oneLine > 0);

  f.label.AddMarkupLine("Version");
  CHECK(f.label.GetDisplText() == "VelnorVersion");
  CHECK(inkHeight() < oneLine * 3 / 2);

  f.label.SetMarkupText({"Velnor<br>"});
  f.label.AddMarkupLine("Version");
  CHECK(f.label.GetText() == "Velnor\r\nVersion");
  CHECK(inkHeight() > oneLine * 3 / 2);

  // Assigning a list keeps one line, with the line breaks of its text removed.
  f.label.SetMarkupText({"a\r\nb", "c\n"});
  CHECK(f.label.MarkupText() == std::vector<std::string>{"abc"});
}

TEST_CASE("auto-sizing settles the height at the text's height plus 6, and the width when asked") {
  LabelOnForm f;
  f.label.SetMarkupText({"first line<br>second line"});
  MarkupResult measure;
  {
    WindowDC screen(nullptr);
    MarkupCanvas canvas(screen.Get(), MarkupFontFrom(f.label.Font()));
    MarkupOptions options;
    options.MeasureOnly = true;
    DrawMarkup(canvas, f.label.GetDisplText(), {0, 0, 1000, 1000}, options, measure);
  }
  REQUIRE(measure.ExtentY > 0);

  f.label.SetAutoSizing(true);
  REQUIRE(PumpUntil([&] { return f.label.Height() == measure.ExtentY + 6; }));
  CHECK(f.label.Width() == kWidth);  // vertical only, by default

  f.label.SetAutoSizeType(TAutoSizeType::asBoth);
  REQUIRE(PumpUntil([&] { return f.label.Width() == measure.ExtentX + 6; }));
  CHECK(f.label.Height() == measure.ExtentY + 6);
  // Settled: a further paint changes nothing.
  f.Picture();
  CHECK(f.label.Width() == measure.ExtentX + 6);
}

TEST_CASE("while updates are held back only the background is painted") {
  LabelOnForm f;
  f.label.BeginUpdate();
  CHECK(f.Picture()->Count([](COLORREF c) { return c == kBlue; }) == 0);
  f.label.EndUpdate();
  CHECK(f.Picture()->Count([](COLORREF c) { return c == kBlue; }) > 0);
}

TEST_CASE("the hint shows the anchor's target beside the pointer, or the whole text") {
  LabelOnForm f;
  f.label.SetMarkupText({"See <b>our</b> " + Anchor(kAddress, "site") + "<br>now"});
  const POINT on = f.AnchorPoint(), beside = f.BesidePoint();

  CHECK_FALSE(f.label.HintAt(on.x, on.y).Show);  // no hint of either kind by default

  f.label.SetAnchorHint(true);
  TMarkupHint hint = f.label.HintAt(on.x, on.y);
  CHECK(hint.Show);
  CHECK(hint.Text == kAddress);
  CHECK(hint.Position.x == on.x + 10);
  CHECK(hint.Position.y == on.y - 10);
  CHECK_FALSE(f.label.HintAt(beside.x, beside.y).Show);

  f.label.OnAnchorHint = [](Component*, std::string& anchor) { anchor = "Visit " + anchor; };
  CHECK(f.label.HintAt(on.x, on.y).Text == std::string("Visit ") + kAddress);

  f.label.SetHintShowFull(true);
  CHECK(f.label.HintAt(beside.x, beside.y).Text == "See our site\r\nnow");
  f.label.SetMarkupHint(true);
  CHECK(f.label.HintAt(beside.x, beside.y).Text == f.label.GetDisplText());
  CHECK(f.label.HintAt(on.x, on.y).Text ==
        std::string("Visit ") + kAddress);  // the anchor's hint comes first
}

TEST_CASE("highlighting and marking wrap the shown words in their tags and come off again") {
  LabelOnForm f;
  f.label.SetMarkupText({"Velnor <b>ver</b>sion velnor"});
  f.label.HilightText("velnor", false);
  CHECK(f.label.GetDisplText() == "<hi>Velnor</hi> <b>ver</b>sion <hi>velnor</hi>");
  f.label.MarkText("version", true);
  // Around exactly the shown characters, though a tag lies between them.
  CHECK(f.label.GetDisplText() == "<hi>Velnor</hi> <b><e>ver</b>sion</e> <hi>velnor</hi>");
  f.label.UnHilightText();
  CHECK(f.label.GetDisplText() == "Velnor <b><e>ver</b>sion</e> velnor");
  f.label.UnMarkText();
  CHECK(f.label.GetDisplText() == "Velnor <b>ver</b>sion velnor");
}
