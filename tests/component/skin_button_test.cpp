// The skinned push button on a real window: the face it composes from the program's
// strips, its size rules, the frame and clip of each mouse state driven by real mouse
// messages, clicks, the disabled look, and the face a layout stores.
#include "components/dialog/skin_button.h"

#include <doctest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/bmp_file.h"
#include "framework/form.h"
#include "framework/pixel_image_gdi.h"
#include "pixel_surface.h"

namespace {
// What a window paints, read back pixel by pixel.
PixelImage PaintedPixels(TWinControl& control, int width, int height) {
  PixelSurface surface(width, height);
  control.PaintTo(surface.Dc());
  PixelImage image(width, height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.SetPixel(x, y, surface.Pixel(x, y));
  return image;
}

constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr COLORREF kParent = RGB(30, 110, 60);
constexpr int kFormWidth = 220, kFormHeight = 80;
constexpr int kLeft = 17, kTop = 29;

struct ButtonOnForm {
  TForm form{nullptr};
  TSkinButton button{&form};
  int clicks = 0;

  explicit ButtonOnForm(int width = 72, TSkin skin = TSkin::skCyan) {
    Application::Instance().Initialize();
    form.SetBorderStyle(TFormBorderStyle::bsNone);
    form.SetBounds(0, 0, kFormWidth, kFormHeight);
    form.SetColor(kParent);
    button.SetParent(&form);
    button.SetCaption("");
    button.SetBounds(kLeft, kTop, width, 24);
    button.SkinOptions().SetSkin(skin);
    button.OnClick = [this](Component* sender) {
      CHECK(sender == &button);
      ++clicks;
    };
    form.Handle();
  }
  // A mouse message at a point in the button's coordinates, as the system sends it.
  void Mouse(UINT msg, int x, int y, WPARAM keys = 0) {
    SendMessageA(form.Handle(), msg, keys, MAKELPARAM(kLeft + x, kTop + y));
  }
  PixelImage Painted() { return PaintedPixels(form, kFormWidth, kFormHeight); }
};

PixelImage Strip(const char* name) {
  PixelImage strip = LoadBitmapPixels(GetModuleHandleA(nullptr), name);
  REQUIRE(strip.Width() == 288);
  REQUIRE(strip.Height() == 24);
  return strip;
}

// What a 72-wide face must be: the strip's four frames one under another, the key
// colour around the shapes replaced by the parent's.
PixelImage ExpectedFace(const PixelImage& strip, COLORREF parent) {
  PixelImage face(72, 96, 0);
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 72; ++x) {
      const COLORREF colour = strip.Pixel(y / 24 * 72 + x, y % 24);
      face.SetPixel(x, y, colour == kSilver ? parent : colour);
    }
  return face;
}

constexpr COLORREF kFrameColours[] = {RGB(250, 0, 0), RGB(0, 250, 0), RGB(0, 0, 250), RGB(250, 250, 0)};
constexpr COLORREF kTransparent = RGB(5, 6, 7);

// A face of one colour per frame, so the clip shows in every pixel; the disabled frame
// has stripes of its transparent colour (the colour of its bottom-left pixel).
PixelImage FlatFace(int width) {
  PixelImage face(width, 96, 0);
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < width; ++x) {
      const bool seeThrough = y >= 72 && (y == 95 || y % 5 == 0 || x % 7 == 0);
      face.SetPixel(x, y, seeThrough ? kTransparent : kFrameColours[y / 24]);
    }
  return face;
}
}  // namespace

TEST_CASE("a 72-wide button shows the strip's slices with the corners in its parent's colour") {
  ButtonOnForm on;
  CHECK(on.button.Face() == ExpectedFace(Strip("CYAN"), kParent));
  CHECK(on.button.Color() == kSilver);  // the key colour, taken from the face's corner
  SUBCASE("another skin loads its own strip") {
    on.button.SkinOptions().SetSkin(TSkin::skRed);
    CHECK(on.button.Face() == ExpectedFace(Strip("RED"), kParent));
  }
  SUBCASE("a value outside the list keeps the strip it had") {
    on.button.SkinOptions().SetSkin(static_cast<TSkin>(19));
    CHECK(on.button.Face() == ExpectedFace(Strip("CYAN"), kParent));
  }
  SUBCASE("the corners follow the parent's colour") {
    on.form.SetColor(RGB(200, 10, 10));  // the form tells its controls
    CHECK(on.button.Face() == ExpectedFace(Strip("CYAN"), RGB(200, 10, 10)));
  }
  SUBCASE("not while the parent's layout is read") {
    on.form.BeginLoading();
    on.form.SetColor(RGB(200, 10, 10));  // the form tells its controls
    CHECK(on.button.Face() == ExpectedFace(Strip("CYAN"), kParent));
    on.form.EndLoading();
  }
}

TEST_CASE("every skin shows its own strip, and a wider button stretches its body without a seam") {
  const char* const names[] = {"SILVER",  "GRAY",    "RED",       "GREEN", "BLUE",  "YELLOW", "MANGENTA",
                               "ORANGE",  "CYAN",    "BLACK",     "WHITE", "DBLUE", "DRED",   "DGREEN",
                               "DYELLOW", "DORANGE", "DMANGENTA", "DCYAN", "CUSTOM"};
  for (int skin = 0; skin <= static_cast<int>(TSkin::skCustom); ++skin) {
    CAPTURE(names[skin]);
    ButtonOnForm on(72, static_cast<TSkin>(skin));
    CHECK(on.button.Face() == ExpectedFace(Strip(names[skin]), kParent));
    on.button.SetBounds(kLeft, kTop, 150, 24);
    const PixelImage& face = on.button.Face();
    // Past the round ends every column of a frame is the same.
    for (int y = 0; y < 96; ++y)
      for (int x = 14; x < 150 - 14; ++x)
        if (face.Pixel(x, y) != face.Pixel(13, y)) FAIL("seam at (" << x << ", " << y << ")");
  }
}

TEST_CASE("every skin's shapes lie inside the clip of their state, so no outline is cut") {
  for (int skin = 0; skin <= static_cast<int>(TSkin::skCustom); ++skin) {
    CAPTURE(skin);
    ButtonOnForm on(72, static_cast<TSkin>(skin));
    for (TSkinFrame frame :
         {TSkinFrame::Normal, TSkinFrame::Hot, TSkinFrame::Pressed, TSkinFrame::Disabled}) {
      CAPTURE(static_cast<int>(frame));
      const SkinMask mask = SkinMaskFor(frame, RECT{0, 0, 72, 24});
      RegionHandle clip(CreateRoundRectRgn(mask.rect.left, mask.rect.top, mask.rect.right, mask.rect.bottom,
                                           mask.ellipseWidth, mask.ellipseHeight));
      int cut = 0;
      for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 72; ++x)
          cut += on.button.Face().Pixel(x, static_cast<int>(frame) * 24 + y) != kParent &&
                 !PtInRegion(clip.Get(), x, y);
      CHECK(cut == 0);
    }
  }
}

TEST_CASE("the button is always 24 high and at least 48 wide") {
  struct Size {
    int width, height, expectedWidth;
  };
  for (const Size& size : {Size{30, 40, 48}, Size{0, 0, 48}, Size{48, 24, 48}, Size{100, 10, 100}}) {
    CAPTURE(size.width);
    CAPTURE(size.height);
    ButtonOnForm on;
    on.button.SetBounds(5, 6, size.width, size.height);
    CHECK(on.button.Left() == 5);
    CHECK(on.button.Top() == 6);
    CHECK(on.button.Width() == size.expectedWidth);
    CHECK(on.button.Height() == 24);
    CHECK(on.button.Face().Width() == size.expectedWidth);
    CHECK(on.button.Face().Height() == 96);
  }
}

TEST_CASE("each mouse state paints its frame inside its own rounded clip") {
  struct Case {
    const char* state;
    bool hotFrame;
    std::function<void(ButtonOnForm&)> act;
    TSkinFrame frame;
    RECT clip;  // relative to the button's corner
    int ellipseWidth, ellipseHeight;
  };
  const RECT normal{3, 1, 70, 24}, hot{2, 2, 70, 22}, pressed{2, 2, 71, 23};
  auto enter = [](ButtonOnForm& on) { on.Mouse(WM_MOUSEMOVE, 30, 12); };
  auto press = [=](ButtonOnForm& on) {
    enter(on);
    on.Mouse(WM_LBUTTONDOWN, 30, 12, MK_LBUTTON);
  };
  auto dragOff = [=](ButtonOnForm& on) {
    press(on);
    on.Mouse(WM_MOUSEMOVE, 100, 12, MK_LBUTTON);
  };
  const Case cases[] = {
      {"at rest", true, [](ButtonOnForm&) {}, TSkinFrame::Normal, normal, 13, 12},
      {"under the pointer", true, enter, TSkinFrame::Hot, hot, 16, 16},
      {"under the pointer without the hot frame", false, enter, TSkinFrame::Normal, normal, 13, 12},
      {"pressed", false, press, TSkinFrame::Pressed, pressed, 13, 13},
      {"pressed, pointer dragged off", true, dragOff, TSkinFrame::Normal, normal, 13, 12},
      {"pressed, pointer dragged off and back", true,
       [=](ButtonOnForm& on) {
         dragOff(on);
         on.Mouse(WM_MOUSEMOVE, 30, 12, MK_LBUTTON);
       },
       TSkinFrame::Pressed, pressed, 13, 13},
      {"released", true,
       [=](ButtonOnForm& on) {
         press(on);
         on.Mouse(WM_LBUTTONUP, 30, 12);
       },
       TSkinFrame::Hot, hot, 16, 16},
      {"disabled", true, [](ButtonOnForm& on) { on.button.SetEnabled(false); }, TSkinFrame::Disabled, pressed,
       13, 13},
  };
  for (const Case& c : cases) {
    CAPTURE(std::string(c.state));
    ButtonOnForm on;
    REQUIRE(on.button.ReadSkin(EncodeBmp24(FlatFace(72))));
    on.button.SetMouseEnter(c.hotFrame);
    c.act(on);
    CHECK(on.button.CurrentFrame() == c.frame);

    RegionHandle expected(CreateRoundRectRgn(kLeft + c.clip.left, kTop + c.clip.top, kLeft + c.clip.right,
                                             kTop + c.clip.bottom, c.ellipseWidth, c.ellipseHeight));
    RegionHandle actual = on.button.CreateMaskRng();
    CHECK(EqualRgn(actual.Get(), expected.Get()));

    const PixelImage painted = on.Painted();
    int wrong = 0;
    for (int y = kTop; y < kTop + 24; ++y)
      for (int x = kLeft; x < kLeft + 72; ++x) {
        COLORREF want = kParent;
        if (PtInRegion(expected.Get(), x, y)) {
          want = on.button.Face().Pixel(x - kLeft, static_cast<int>(c.frame) * 24 + y - kTop);
          if (want == kTransparent) want = kParent;
        }
        wrong += painted.Pixel(x, y) != want;
      }
    CHECK(wrong == 0);
  }
}

TEST_CASE("a click needs the left button pressed and released over an enabled button") {
  using Step = std::function<void(ButtonOnForm&)>;
  struct Case {
    const char* what;
    std::vector<Step> steps;
    int clicks;
  };
  const Step enter = [](ButtonOnForm& on) { on.Mouse(WM_MOUSEMOVE, 30, 12); };
  const Step down = [](ButtonOnForm& on) { on.Mouse(WM_LBUTTONDOWN, 30, 12, MK_LBUTTON); };
  const Step up = [](ButtonOnForm& on) { on.Mouse(WM_LBUTTONUP, 30, 12); };
  const Step leave = [](ButtonOnForm& on) { on.Mouse(WM_MOUSEMOVE, 100, 12, MK_LBUTTON); };
  const Step upOutside = [](ButtonOnForm& on) { on.Mouse(WM_LBUTTONUP, 100, 12); };
  const Step downOutside = [](ButtonOnForm& on) { on.Mouse(WM_LBUTTONDOWN, 100, 12, MK_LBUTTON); };
  const Step disable = [](ButtonOnForm& on) { on.button.SetEnabled(false); };
  const Step rightClick = [](ButtonOnForm& on) {
    on.Mouse(WM_RBUTTONDOWN, 30, 12, MK_RBUTTON);
    on.Mouse(WM_RBUTTONUP, 30, 12);
  };
  // Another window takes the mouse mid-press, as a window popping up does.
  const Step loseCapture = [](ButtonOnForm&) {
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetCapture(other);
    ReleaseCapture();
    DestroyWindow(other);
  };
  const Case cases[] = {
      {"press and release over it", {enter, down, up}, 1},
      {"the press was cut short by another window", {enter, down, loseCapture, enter, up}, 0},
      {"two presses and releases", {enter, down, up, down, up}, 2},
      {"released after leaving", {enter, down, leave, upOutside}, 0},
      {"left and came back before the release", {enter, down, leave, enter, up}, 1},
      {"pressed elsewhere, released over it", {downOutside, enter, up}, 0},
      {"right button", {enter, rightClick}, 0},
      {"disabled", {disable, enter, down, up}, 0},
      {"disabled while held", {enter, down, disable, up}, 0},
  };
  for (const Case& c : cases) {
    CAPTURE(std::string(c.what));
    ButtonOnForm on;
    for (const Step& step : c.steps) step(on);
    CHECK(on.clicks == c.clicks);
    CHECK_FALSE(on.button.MouseCapture());  // the parent's mouse is free again
  }
}

TEST_CASE("a disabled button shows its frame through the transparent colour and an engraved caption") {
  ButtonOnForm on;
  on.button.SetEnabled(false);
  TFont& font = on.button.Font();
  font.Set("Arial", -12, DEFAULT_CHARSET);
  font.SetBold(true);
  const PixelImage plain = on.Painted();
  on.button.SetCaption("Delete");
  const PixelImage captioned = on.Painted();

  // Text is smoothed at its edges, so the two copies are told apart by whether the
  // caption made a pixel lighter or darker, each weighted by how much.
  struct Centre {
    double x = 0, y = 0, weight = 0;
    void Add(int px, int py, double w) {
      x += px * w;
      y += py * w;
      weight += w;
    }
  } lighter, darker;
  auto level = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
  RECT box{kFormWidth, kFormHeight, 0, 0};
  for (int y = 0; y < kFormHeight; ++y)
    for (int x = 0; x < kFormWidth; ++x) {
      const int change = level(captioned.Pixel(x, y)) - level(plain.Pixel(x, y));
      if (change == 0) continue;
      (change > 0 ? lighter : darker).Add(x, y, std::abs(change));
      box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
             std::max<LONG>(box.bottom, y + 1)};
    }
  REQUIRE(lighter.weight > 0);
  REQUIRE(darker.weight > 0);
  // The light copy shows where it sticks out right of and below the shadow-coloured one.
  CHECK(lighter.x / lighter.weight > darker.x / darker.weight + 0.3);
  CHECK(lighter.y / lighter.weight > darker.y / darker.weight + 0.3);
  // Centred across the button, in the 22 rows above its bottom edge (the light copy one lower).
  CHECK(box.top >= kTop);
  CHECK(box.bottom <= kTop + 23);
  CHECK(std::abs((box.left - kLeft) - (kLeft + 72 - box.right)) <= 2);
}

TEST_CASE("the face a layout stores is shown until the next rebuild") {
  Application::Instance().Initialize();
  TForm form(nullptr);
  form.SetBorderStyle(TFormBorderStyle::bsNone);
  form.SetBounds(0, 0, kFormWidth, kFormHeight);
  form.SetColor(kParent);
  const PixelImage stored = FlatFace(72);

  form.BeginLoading();
  TSkinButton button(&form);
  button.SetParent(&form);
  button.SetBounds(kLeft, kTop, 72, 24);
  button.SkinOptions().SetSkin(TSkin::skRed);
  // Read before its strip: the face so far comes from the strip held when loading began.
  CHECK(button.Face() == ExpectedFace(Strip("SILVER"), kParent));
  REQUIRE(button.ReadSkin(EncodeBmp24(stored)));
  form.EndLoading();

  CHECK(button.Face() == stored);
  CHECK(PaintedPixels(form, kFormWidth, kFormHeight).Pixel(kLeft + 36, kTop + 12) == kFrameColours[0]);
  SUBCASE("a skin change composes the face of the chosen skin") {
    button.SkinOptions().SetSkin(TSkin::skRed);
    CHECK(button.Face() == ExpectedFace(Strip("RED"), kParent));
  }
  SUBCASE("a size change loads the chosen skin's strip too") {
    button.SetBounds(kLeft, kTop, 72, 24);
    CHECK(button.Face() == ExpectedFace(Strip("RED"), kParent));
  }
}

TEST_CASE("the stored face is a 24-bit BMP file of the composed face") {
  ButtonOnForm on;
  const std::vector<std::uint8_t> file = on.button.WriteSkin();
  CHECK(file.size() == 20790);
  const std::optional<PixelImage> back = DecodeBmp24(file);
  REQUIRE(back);
  CHECK(*back == on.button.Face());
}

TEST_CASE("a stored face that is damaged or too small is handled without reading past it") {
  ButtonOnForm on;
  const PixelImage composed = on.button.Face();
  SUBCASE("bytes that are no picture change nothing") {
    std::vector<std::uint8_t> file = on.button.WriteSkin();
    file.resize(file.size() / 2);
    CHECK_FALSE(on.button.ReadSkin(file));
    CHECK(on.button.Face() == composed);
  }
  SUBCASE("a face of 30 rows shows the rows it has and nothing for the disabled frame") {
    PixelImage shortFace(72, 30, 0);
    shortFace.CopyFrom(FlatFace(72), 0, 0, 72, 30, 0, 0);
    REQUIRE(on.button.ReadSkin(EncodeBmp24(shortFace)));
    on.button.SetMouseEnter(true);
    on.Mouse(WM_MOUSEMOVE, 30, 12);
    REQUIRE(on.button.CurrentFrame() == TSkinFrame::Hot);
    PixelImage painted = on.Painted();
    CHECK(painted.Pixel(kLeft + 36, kTop + 3) == kFrameColours[1]);  // face row 27
    CHECK(painted.Pixel(kLeft + 36, kTop + 12) == kParent);          // face row 36: none
    on.button.SetEnabled(false);
    painted = on.Painted();
    CHECK(painted.Pixel(kLeft + 36, kTop + 12) == kParent);
  }
}
