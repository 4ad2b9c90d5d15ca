// The background panel rendered into memory DCs and read back: the dialogs' tiled
// pinstripe from the program's own resource, picture positions, the gradient, the
// border shadow, repaints after changes, and the picture holder's decoding errors.
#include "components/dialog/back_panel.h"

#include <doctest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <string>

#include "components/dialog/ole_picture.h"
#include "framework/application.h"
#include "framework/bmp_file.h"
#include "framework/error.h"
#include "framework/form.h"
#include "pixel_surface.h"
#include "program_resources.h"
#include "screenshot.h"
#include "system_colors.h"
#include "wait.h"

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kMagenta = RGB(255, 0, 255);

std::string BmpBytes(const PixelImage& image) {
  const auto bytes = EncodeBmp24(image);
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// A grey picture with a red top-left and a blue bottom-right pixel, to find where its copies went.
std::string MarkedBmp(int width, int height) {
  PixelImage image(width, height, RGB(200, 200, 200));
  image.SetPixel(0, 0, kRed);
  image.SetPixel(width - 1, height - 1, kBlue);
  return BmpBytes(image);
}

// A placeable metafile of nothing whose frame is right - left by bottom - top twips.
std::string TinyMetafile(std::int16_t right, std::int16_t bottom) {
  std::uint16_t words[11 + 9 + 3] = {};
  words[0] = 0xCDD7, words[1] = 0x9AC6;  // the placeable key
  words[5] = static_cast<std::uint16_t>(right), words[6] = static_cast<std::uint16_t>(bottom);
  words[7] = 1440;  // twips per inch
  for (int i = 0; i < 10; ++i) words[10] ^= words[i];
  std::uint16_t* meta = words + 11;
  meta[0] = 1, meta[1] = 9, meta[2] = 0x300, meta[3] = 12, meta[6] = 3;  // header, 12 words in all
  meta[9] = 3;                                                           // the end record
  return {reinterpret_cast<const char*>(words), sizeof words};
}

// The dialogs' settings; bounds and picture vary.
struct DialogPanel {
  TBackPanel panel{nullptr};
  DialogPanel(int width, int height, const std::function<void(TPanelImage&)>& loadPicture) {
    panel.BeginLoading();
    panel.SetBounds(0, 0, width, height);
    loadPicture(panel.Background());
    panel.SetBackgroundPosition(TBackGroundPosition::bpTiled);
    panel.SetBorderColor(clBlack);
    panel.EndLoading();
  }
  DialogPanel(int width, int height, const std::string& picture)
      : DialogPanel(width, height, [&](TPanelImage& image) { image.LoadFromData(picture); }) {}
};

std::unique_ptr<PixelSurface> Render(TCustomBackPanel& panel) {
  auto surface = std::make_unique<PixelSurface>(panel.Width(), panel.Height(), kMagenta);
  panel.PaintTo(surface->Dc());
  return surface;
}

// A plain panel: no border, no bevel, one colour.
void MakePlain(TCustomBackPanel& panel, int width, int height) {
  panel.SetBounds(0, 0, width, height);
  panel.SetBorderColor(clNone);
  panel.SetBevelOuter(TPanelBevel::bvNone);
  panel.SetColor(RGB(10, 20, 30));
}
}  // namespace

TEST_CASE(
    "the slot editor's 318 x 209 panel with the program's own PINSTRIPE: the tile's pixels from the "
    "top-left, "
    "edge to edge, no border or bevel visible") {
  ProgramResources program;
  REQUIRE(program.Module());
  const std::string bytes = program.Bytes("PINSTRIPE", RT_RCDATA);
  const std::optional<PixelImage> tile =
      DecodeBmp24({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  REQUIRE(tile);
  REQUIRE(tile->Width() == 103);
  REQUIRE(tile->Height() == 20);
  for (bool buffered : {true, false}) {
    CAPTURE(buffered);
    // Loaded as the dialogs load it: the RT_RCDATA resource of the program's module.
    DialogPanel d(318, 209,
                  [&](TPanelImage& image) { image.LoadFromResourceName(program.Module(), "PINSTRIPE"); });
    d.panel.SetBuffered(buffered);
    REQUIRE(d.panel.Background().Width() == 103);
    REQUIRE(d.panel.Background().Height() == 20);
    auto drawn = Render(d.panel);
    int wrong = 0;
    for (int y = 0; y < 209; ++y)
      for (int x = 0; x < 318; ++x) wrong += drawn->Pixel(x, y) != tile->Pixel(x % 103, y % 20);
    CHECK(wrong == 0);
    // The stripes themselves, top row first, as the dialogs show them.
    const COLORREF stripes[] = {RGB(238, 238, 238), RGB(230, 230, 230), RGB(238, 238, 238),
                                RGB(255, 255, 255)};
    for (int y : {0, 1, 2, 3, 204, 205, 206, 207, 208}) CHECK(drawn->Pixel(317, y) == stripes[y % 4]);
  }
}

TEST_CASE(
    "318 x 209 tiled with a 103 x 20 picture: 4 columns and 11 rows from the top-left, the last ones cut") {
  DialogPanel d(318, 209, MarkedBmp(103, 20));
  auto drawn = Render(d.panel);
  CHECK(drawn->Count([](COLORREF c) { return c == kRed; }) == 4 * 11);
  CHECK(drawn->Count([](COLORREF c) { return c == kBlue; }) == 3 * 10);
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 11; ++row) CHECK(drawn->Pixel(103 * column, 20 * row) == kRed);
  // The cut column and row: the tile's far corner lies outside the panel.
  CHECK(drawn->Pixel(309 + 8, 200 + 8) == RGB(200, 200, 200));
}

TEST_CASE("a placed picture lands where its position says, a wide one at the left edge for bpTopRight") {
  struct Case {
    TBackGroundPosition position;
    int pictureWidth;
    POINT corner;  // where the picture's top-left pixel is drawn
  };
  const Case cases[] = {
      {TBackGroundPosition::bpTopLeft, 40, {0, 0}},
      {TBackGroundPosition::bpTopRight, 40, {200 - 40 - 1, 0}},
      {TBackGroundPosition::bpTopRight, 400, {0, 0}},
      {TBackGroundPosition::bpBottomLeft, 40, {0, 100 - 10 - 1}},
      {TBackGroundPosition::bpBottomRight, 40, {159, 89}},
      {TBackGroundPosition::bpCenter, 40, {79, 44}},
  };
  for (const Case& c : cases) {
    CAPTURE(static_cast<int>(c.position));
    CAPTURE(c.pictureWidth);
    TBackPanel panel(nullptr);
    MakePlain(panel, 200, 100);
    panel.Background().LoadFromData(MarkedBmp(c.pictureWidth, 10));
    panel.SetBackgroundPosition(c.position);
    auto drawn = Render(panel);
    const RECT red = drawn->BoundsOf(kRed);
    CHECK(red.left == c.corner.x);
    CHECK(red.top == c.corner.y);
    CHECK(drawn->Count([](COLORREF p) { return p == kRed; }) == 1);
  }
}

TEST_CASE("a stretched picture covers the area below the caption bar") {
  TBackPanel panel(nullptr);
  MakePlain(panel, 120, 80);
  panel.Caption().SetVisible(true);
  panel.Caption().SetColor(RGB(0, 128, 0));
  panel.Background().LoadFromData(MarkedBmp(10, 10));
  panel.SetBackgroundPosition(TBackGroundPosition::bpStretched);
  auto drawn = Render(panel);
  // The bar takes Caption.Height - 2 x BevelWidth = 18 rows; the picture fills the rest.
  CHECK(drawn->Pixel(60, 5) == RGB(0, 128, 0));
  const RECT red = drawn->BoundsOf(kRed), blue = drawn->BoundsOf(kBlue);
  CHECK(red.left == 0);
  CHECK(red.top == 18);
  CHECK(blue.right == 120);
  CHECK(blue.bottom == 80);
}

TEST_CASE("ColorTo none fills with Color; with ColorTo the fill is 64 vertical bands") {
  TBackPanel panel(nullptr);
  MakePlain(panel, 30, 128);
  auto plain = Render(panel);
  CHECK(plain->Count([](COLORREF c) { return c == RGB(10, 20, 30); }) == 30 * 128);

  panel.SetColor(RGB(0, 0, 0));
  panel.SetColorTo(RGB(0, 0, 255));
  auto graded = Render(panel);
  std::set<COLORREF> colours;
  for (int y = 0; y < 128; ++y) colours.insert(graded->Pixel(15, y));
  CHECK(colours.size() == 64);
  for (int band = 0; band < 64; ++band)
    CHECK(graded->Pixel(15, 2 * band) == RGB(0, 0, MulDiv(band, 255, 64)));
}

TEST_CASE(
    "the border with its shadow: a frame, then a 50 % and a 20 % blend with the button face outside it") {
  TBackPanel panel(nullptr);
  MakePlain(panel, 60, 40);
  panel.SetBorderColor(RGB(0, 0, 160));
  panel.SetBorderShadow(true);
  auto drawn = Render(panel);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  CHECK(drawn->Pixel(0, 20) == RGB(0, 0, 160));
  CHECK(drawn->Pixel(57, 20) == RGB(0, 0, 160));
  CHECK(drawn->Pixel(58, 20) == BlendColor(RGB(0, 0, 160), face, 50));
  CHECK(drawn->Pixel(59, 20) == BlendColor(RGB(0, 0, 160), face, 20));
  CHECK(drawn->Pixel(30, 38) == BlendColor(RGB(0, 0, 160), face, 50));
  CHECK(drawn->Pixel(30, 39) == BlendColor(RGB(0, 0, 160), face, 20));
  CHECK(drawn->Pixel(30, 20) == RGB(10, 20, 30));
}

namespace {
// A panel whose layer shows fill, border and a centred picture; no bevel, which
// would be drawn over the border.
void MakeFramed(TCustomBackPanel& panel) {
  panel.SetBounds(0, 0, 120, 60);
  panel.SetColor(RGB(10, 20, 30));
  panel.SetBevelOuter(TPanelBevel::bvNone);
  panel.Background().LoadFromData(MarkedBmp(30, 10));
  panel.SetBackgroundPosition(TBackGroundPosition::bpCenter);
}

bool SamePixels(const PixelSurface& a, const PixelSurface& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}
}  // namespace

TEST_CASE("a panel painted again after a change looks like a new panel made with the changed settings") {
  struct Case {
    const char* name;
    std::function<void(TBackPanel&)> change;
  };
  const Case cases[] = {
      {"grown", [](TBackPanel& p) { p.SetBounds(0, 0, 150, 80); }},
      {"shrunk", [](TBackPanel& p) { p.SetBounds(0, 0, 90, 40); }},
      {"colour", [](TBackPanel& p) { p.SetColor(RGB(200, 0, 0)); }},
      {"gradient", [](TBackPanel& p) { p.SetColorTo(RGB(0, 0, 255)); }},
      {"border colour", [](TBackPanel& p) { p.SetBorderColor(RGB(0, 160, 0)); }},
      {"no border", [](TBackPanel& p) { p.SetBorderColor(clNone); }},
      {"border shadow", [](TBackPanel& p) { p.SetBorderShadow(true); }},
      {"outer bevel", [](TBackPanel& p) { p.SetBevelOuter(TPanelBevel::bvLowered); }},
      {"inner bevel", [](TBackPanel& p) { p.SetBevelInner(TPanelBevel::bvRaised); }},
      {"bevel 3 wide",
       [](TBackPanel& p) {
         p.SetBevelOuter(TPanelBevel::bvRaised);
         p.SetBevelWidth(3);
       }},
      {"caption bar", [](TBackPanel& p) { p.Caption().SetVisible(true); }},
      {"another picture", [](TBackPanel& p) { p.Background().LoadFromData(MarkedBmp(12, 12)); }},
      {"no picture", [](TBackPanel& p) { p.Background().Clear(); }},
      {"placement", [](TBackPanel& p) { p.SetBackgroundPosition(TBackGroundPosition::bpTiled); }},
  };
  for (const Case& c : cases) {
    const std::string name = c.name;
    CAPTURE(name);
    TBackPanel painted(nullptr);
    MakeFramed(painted);
    const auto before = Render(painted);
    c.change(painted);
    const auto after = Render(painted);

    TBackPanel fresh(nullptr);
    MakeFramed(fresh);
    c.change(fresh);
    const auto expected = Render(fresh);
    CHECK(SamePixels(*after, *expected));
    CHECK_FALSE(SamePixels(*after, *before));
  }
}

TEST_CASE(
    "a picture with see-through parts is tiled copy by copy: the fill shows through an empty metafile") {
  TBackPanel panel(nullptr);
  MakePlain(panel, 50, 50);
  panel.Background().LoadFromData(TinyMetafile(300, 300));  // 20 x 20 pixels of nothing
  REQUIRE(panel.Background().Width() == 20);
  panel.SetBackgroundPosition(TBackGroundPosition::bpTiled);
  auto drawn = Render(panel);
  CHECK(drawn->Count([](COLORREF c) { return c == RGB(10, 20, 30); }) == 50 * 50);
}

TEST_CASE("raised and lowered bevels put highlight and shadow on opposite sides") {
  for (TPanelBevel bevel : {TPanelBevel::bvRaised, TPanelBevel::bvLowered}) {
    TBackPanel panel(nullptr);
    MakePlain(panel, 50, 30);
    panel.SetBevelOuter(bevel);
    panel.SetBevelWidth(2);
    auto drawn = Render(panel);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    const bool raised = bevel == TPanelBevel::bvRaised;
    CHECK(drawn->Pixel(1, 15) == (raised ? light : dark));
    CHECK(drawn->Pixel(48, 15) == (raised ? dark : light));
    // Without a border colour a one-pixel frame in Color follows the bevel.
    CHECK(drawn->Pixel(2, 15) == RGB(10, 20, 30));
  }
}

TEST_CASE("a picture under one pixel wide or high is not tiled, and the paint returns") {
  for (auto [right, bottom] : {std::pair{1, 1440}, std::pair{1440, 1}, std::pair{-1440, 1440}}) {
    CAPTURE(right);
    CAPTURE(bottom);
    TBackPanel panel(nullptr);
    MakePlain(panel, 40, 40);
    panel.Background().LoadFromData(
        TinyMetafile(static_cast<std::int16_t>(right), static_cast<std::int16_t>(bottom)));
    REQUIRE_FALSE(panel.Background().Empty());
    REQUIRE((panel.Background().Width() < 1 || panel.Background().Height() < 1));
    panel.SetBackgroundPosition(TBackGroundPosition::bpTiled);
    auto drawn = Render(panel);
    CHECK(drawn->Pixel(20, 20) == RGB(10, 20, 30));
  }
}

TEST_CASE("text is drawn with the panel revision in the panel's font, below TopIndent and after Indent") {
  TBackPanel panel(nullptr);
  MakePlain(panel, 200, 60);
  panel.SetColor(clWhite);
  panel.Font().Set("Tahoma", -13, DEFAULT_CHARSET);
  panel.Font().SetColor(clBlack);
  panel.SetText("Hello <b>panel</b>");
  panel.SetIndent(7);
  panel.SetTopIndent(5);
  auto top = Render(panel);
  const RECT ink = top->BoundsOf(RGB(0, 0, 0));
  CHECK(ink.left >= 7);
  CHECK(ink.top >= 5);
  CHECK(ink.top < 12);

  panel.SetTextVAlign(TTextVAlignment::tvaBottom);
  const RECT bottom = Render(panel)->BoundsOf(RGB(0, 0, 0));
  CHECK(bottom.bottom > 50);
  panel.SetTextVAlign(TTextVAlignment::tvaCenter);
  const RECT centre = Render(panel)->BoundsOf(RGB(0, 0, 0));
  CHECK(centre.top > ink.top);
  CHECK(centre.bottom < bottom.bottom);
}

TEST_CASE("the size grip's lines sit in the corner inside the bevels only while the panel can be sized") {
  TBackPanel panel(nullptr);
  MakePlain(panel, 50, 50);
  panel.SetCanSize(true);
  auto drawn = Render(panel);
  CHECK(drawn->Count([](COLORREF c) { return c == RGB(128, 128, 128); }) > 0);
  const RECT grey = drawn->BoundsOf(RGB(128, 128, 128));
  CHECK(grey.left >= 50 - 14);
  CHECK(grey.top >= 50 - 14);
  CHECK(drawn->Pixel(38, 48) == clWhite);  // on the outer white line, drawn over the grey
  panel.SetCanSize(false);
  CHECK(Render(panel)->Count([](COLORREF c) { return c == RGB(128, 128, 128); }) == 0);
}

TEST_CASE("the hit test: caption drags the panel outside its buttons, the corner sizes it unless collapsed") {
  TBackPanel panel(nullptr);
  MakePlain(panel, 200, 100);
  panel.Caption().SetVisible(true);
  panel.Caption().SetCloseButton(true);
  panel.SetCanMove(true);
  panel.SetCanSize(true);
  CHECK(panel.HitTest({50, 5}) == HTCAPTION);
  CHECK(panel.HitTest({195, 5}) == HTCLIENT);  // the close button
  CHECK(panel.HitTest({50, 50}) == HTCLIENT);
  CHECK(panel.HitTest({198, 98}) == HTBOTTOMRIGHT);
  panel.SetCollaps(true);
  CHECK(panel.HitTest({198, 18}) != HTBOTTOMRIGHT);
}

TEST_CASE(
    "collapsing without steps jumps to the caption height; expanding restores the full height and children") {
  TBackPanel panel(nullptr);
  MakePlain(panel, 200, 120);
  panel.Caption().SetVisible(true);
  TWinControl child(nullptr);
  child.SetParent(&panel);
  int minimised = 0, maximised = 0;
  panel.OnMinimize = [&](Component*) { ++minimised; };
  panel.OnMaximize = [&](Component*) { ++maximised; };
  panel.SetCollaps(true);
  CHECK(panel.Height() == 20);
  CHECK(panel.FullHeight() == 120);
  CHECK_FALSE(child.Visible());
  CHECK(minimised == 1);
  panel.SetCollaps(false);
  CHECK(panel.Height() == 120);
  CHECK(child.Visible());
  CHECK(maximised == 1);
  child.SetParent(nullptr);
}

TEST_CASE("collapsing in steps reaches the caption height and expanding comes back to the full height") {
  TBackPanel panel(nullptr);
  MakePlain(panel, 200, 120);
  panel.SetCollapsSteps(4);
  panel.SetCollapsDelay(0);
  panel.SetCollaps(true);
  CHECK(panel.Height() == 20);
  CHECK(panel.Color() == clGray);
  panel.SetCollaps(false);
  CHECK(panel.Height() == 120);
  CHECK(panel.Color() == RGB(10, 20, 30));
}

TEST_CASE("rejected pictures raise their messages and leave the holder empty") {
  struct Case {
    const char* name;
    std::string bytes;
    const char* message;
  };
  const Case cases[] = {
      {"no bytes", "", "Empty image stream created"},
      {"text", "this is not a picture at all", "Could not load image. Invalid format"},
      {"a bitmap header cut short", MarkedBmp(103, 20).substr(0, 10), "Could not load image. Invalid format"},
      {"the second header cut short", MarkedBmp(103, 20).substr(0, 30),
       "Could not load image. Invalid format"},
  };
  for (const Case& c : cases) {
    const std::string name = c.name;
    CAPTURE(name);
    TPanelImage image;
    image.LoadFromData(MarkedBmp(8, 8));
    REQUIRE_FALSE(image.Empty());
    std::string raised;
    try {
      image.LoadFromData(c.bytes);
    } catch (const Error& e) {
      raised = e.Message();
    }
    CHECK(raised == c.message);
    CHECK(image.Empty());
    CHECK(image.Data().empty());
    CHECK(image.Width() == 0);
  }
}

TEST_CASE(
    "the holder keeps the bytes as loaded, from data or a file; a missing resource raises, a bad file is "
    "swallowed") {
  const std::string bytes = MarkedBmp(9, 5);
  TPanelImage image;
  int changes = 0;
  image.OnChange = [&] { ++changes; };
  image.LoadFromData(bytes);
  CHECK(image.Data() == bytes);
  CHECK(image.Width() == 9);
  CHECK(image.Height() == 5);
  CHECK(changes == 1);

  CHECK_THROWS_WITH_AS(image.LoadFromResourceName(GetModuleHandleA(nullptr), "NO_SUCH_PICTURE"),
                       "Could not load image", Error);
  CHECK(image.Empty());

  image.LoadFromData(bytes);
  char path[MAX_PATH], folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "bpt", 0, path);
  const auto write = [&](const std::string& content) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    REQUIRE(file != INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    REQUIRE(written == content.size());
  };
  const std::string other = MarkedBmp(4, 3);
  write(other);
  image.LoadFromFile(path);
  CHECK(image.Data() == other);
  CHECK(image.Width() == 4);
  write("garbage");
  CHECK_NOTHROW(image.LoadFromFile(path));
  CHECK(image.Empty());
  DeleteFileA(path);
  CHECK_NOTHROW(image.LoadFromFile("Z:\\no\\such\\picture.bmp"));
  CHECK(image.Empty());
}

TEST_CASE("malformed picture data never crashes: cut, corrupted headers and random flips") {
  const std::string good = MarkedBmp(30, 12);
  std::vector<std::string> inputs;
  for (std::size_t length = 0; length < good.size(); length += 7) inputs.push_back(good.substr(0, length));
  auto patched = [&](std::size_t offset, std::int32_t value) {
    std::string bytes = good;
    std::memcpy(bytes.data() + offset, &value, sizeof value);
    inputs.push_back(bytes);
  };
  patched(2, 0x7FFFFFFF);         // file size
  patched(10, 0x7FFFFFF0);        // pixel offset past the end
  patched(18, 0x7FFFFFFF);        // width
  patched(22, -0x7FFFFFFF);       // height
  patched(18, 0);                 // no width
  patched(28, 0x00200007);        // bits per pixel 7
  patched(30, 0x00000009);        // unknown compression
  patched(34, 0x7FFFFFFF);        // image size
  std::mt19937 random(20240611);  // a fixed seed: the same inputs every run
  for (int n = 0; n < 200; ++n) {
    std::string bytes = good;
    for (int flips = 0; flips < 4; ++flips) bytes[random() % 54] = static_cast<char>(random() & 0xFF);
    inputs.push_back(bytes);
  }
  PixelSurface surface(64, 64);
  int decoded = 0;
  for (const std::string& bytes : inputs) {
    TPanelImage image;
    try {
      image.LoadFromData(bytes);
      ++decoded;
      image.Draw(surface.Dc(), {0, 0, 64, 64});
    } catch (const Error& e) {
      CHECK(image.Empty());
      const std::set<std::string> messages{kImageNoMemory, kImageNoStream, kImageEmptyStream,
                                           kImageInvalidFormat, kImageNotLoaded};
      CHECK(messages.count(e.Message()) == 1);
    }
  }
  // Some of the flips leave a picture the loader accepts; the rest are refused.
  CHECK(decoded < static_cast<int>(inputs.size()));
}

namespace {
TBackPanel* gDoomedPanel = nullptr;
UINT_PTR gDoomTimer = 0;
bool gTimerFired = false;
void CALLBACK DeleteDoomedPanel(HWND, UINT, UINT_PTR, DWORD) {
  KillTimer(nullptr, gDoomTimer);
  gTimerFired = true;
  delete gDoomedPanel;
  gDoomedPanel = nullptr;
}
}  // namespace

TEST_CASE("a panel destroyed by a message pumped during its collapse animation stops the animation") {
  gDoomedPanel = new TBackPanel(nullptr);
  MakePlain(*gDoomedPanel, 200, 400);
  gDoomedPanel->SetCollapsSteps(200);
  gDoomedPanel->SetCollapsDelay(5);
  gTimerFired = false;
  gDoomTimer = SetTimer(nullptr, 0, 1, &DeleteDoomedPanel);
  REQUIRE(gDoomTimer != 0);
  gDoomedPanel->SetCollaps(true);  // returns once the timer has deleted the panel under it
  CHECK(gTimerFired);
  CHECK(gDoomedPanel == nullptr);
  delete gDoomedPanel;
}

TEST_CASE("a shown panel of the button face follows a change of the system colours") {
  // What it shows is kept between paints: the new scheme must not find an old copy.
  Application::Instance().Initialize();
  TForm form(nullptr);
  form.SetClientSize(120, 80);
  TBackPanel panel(&form);
  panel.SetParent(&form);
  panel.SetBounds(0, 0, 120, 80);
  panel.SetBorderColor(clNone);
  panel.SetBevelOuter(TPanelBevel::bvNone);
  form.Show();
  REQUIRE(PumpUntil([&] { return IsWindowVisible(panel.Handle()) != FALSE; }));
  const RECT spot{60, 40, 61, 41};
  REQUIRE(PumpUntil([&] { return WindowPixels(panel.Handle(), spot)[0] == GetSysColor(COLOR_BTNFACE); }));

  const COLORREF newFace = RGB(200, 120, 40);
  SystemColorChanged change(COLOR_BTNFACE, newFace);
  CHECK(PumpUntil([&] { return WindowPixels(panel.Handle(), spot)[0] == newFace; }, 2000));
}
