// Pictures in markup: named pictures from the container, pictures loaded into a
// control's cache, image-list entries and system icons; their size on the line,
// alignment, hit-testing, ALT pictures, animation frames and tiled backgrounds.
#include <windows.h>
// The system headers below build on windows.h.
#include <commctrl.h>
#include <doctest.h>

#include <fstream>
#include <string>
#include <vector>

#include "components/dialog/markup_values.h"
#include "framework/gdi.h"
#include "markup_surface.h"

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A bitmap whose left half is one colour and right half another.
HBITMAP Bitmap(int width, int height, COLORREF left, COLORREF right) {
  BITMAPINFO info = Dib32Info(width, -height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* pixels = static_cast<DWORD*>(bits);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF c = x < width / 2 ? left : right;
      pixels[y * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  return bitmap;
}

HBITMAP Solid(int width, int height, COLORREF color) { return Bitmap(width, height, color, color); }

struct Pictures {
  Pictures() {
    container.AddPicture("red").AddFrame(Solid(20, 30, kRed));
    container.AddPicture("green").AddFrame(Solid(20, 30, kGreen));
    container.AddPicture("wide").AddFrame(Solid(100, 10, kRed));
    container.AddPicture("tall").AddFrame(Solid(10, 40, kRed));
    container.AddPicture("tile").AddFrame(Bitmap(10, 10, kRed, kGreen));
    container.AddPicture("empty");
    TMarkupPicture& animation = container.AddPicture("animation");
    animation.AddFrame(Solid(10, 10, kBlue));
    animation.AddFrame(Solid(4, 4, kGreen), {5, 5});
    animation.SetCurrentFrame(1);
  }
  MarkupOptions Options() {
    MarkupOptions options;
    options.PictureContainer = &container;
    return options;
  }
  TMarkupPictureContainer container;
};

// An image list of 16 x 16 red entries, destroyed at the end of the scope.
struct RedImages {
  RedImages() : list(ImageList_Create(16, 16, ILC_COLOR32, 2, 2)) {
    ImageList_Add(list, Solid(16, 16, kRed), nullptr);
  }
  ~RedImages() { ImageList_Destroy(list); }
  HIMAGELIST list;
};

// A 24-bit bottom-up BMP file of one colour.
std::string WriteBmp(const std::string& name, int width, int height, COLORREF color) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + name;
  const int stride = (width * 3 + 3) & ~3;
  const DWORD imageSize = static_cast<DWORD>(stride * height);
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + imageSize;
  info.biSize = sizeof(info);
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  std::vector<char> rows(imageSize, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      rows[y * stride + x * 3] = static_cast<char>(GetBValue(color));
      rows[y * stride + x * 3 + 1] = static_cast<char>(GetGValue(color));
      rows[y * stride + x * 3 + 2] = static_cast<char>(GetRValue(color));
    }
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof(file));
  out.write(reinterpret_cast<const char*>(&info), sizeof(info));
  out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
  return path;
}
}  // namespace

TEST_CASE("a named picture is drawn at the cursor and sizes its line") {
  Pictures pictures;
  MarkupSurface surface;
  const int a = surface.Width("a");
  const MarkupRun run = surface.Draw("a<IMG SRC=\"Red\">b", pictures.Options());
  CHECK(run.result.ExtentX == a + 20 + surface.Width("b"));
  CHECK(run.result.ExtentY == 30);
  const RECT red = surface.Pixels().BoundsOf(kRed);
  CHECK(red.left == 1 + a);
  CHECK(red.top == 0);
  CHECK(red.right == 1 + a + 20);
  CHECK(red.bottom == 30);

  SUBCASE("a requested size stretches it") {
    MarkupSurface stretched;
    const MarkupRun sized = stretched.Draw("<IMG SRC=\"red\" WIDTH=\"40\" HEIGHT=\"8\">", pictures.Options());
    CHECK(sized.result.ExtentX == 40);
    const RECT area = stretched.Pixels().BoundsOf(kRed);
    CHECK(area.right - area.left == 40);
    CHECK(area.bottom - area.top == 8);
  }
  SUBCASE("a picture that is missing, empty or without a container is skipped") {
    for (const char* markup : {"<IMG SRC=\"none\">x", "<IMG SRC=\"empty\">x", "<IMG SRC=\"\">x"}) {
      CAPTURE(std::string(markup));
      CHECK(surface.Draw(markup, pictures.Options()).result.ExtentX == surface.Width("x"));
    }
    CHECK(surface.Draw("<IMG SRC=\"red\">x").result.ExtentX == surface.Width("x"));
  }
}

TEST_CASE("a picture that does not fit after others starts the next line") {
  Pictures pictures;
  MarkupSurface surface;
  const MarkupRun run =
      surface.DrawIn("<IMG SRC=\"wide\"><IMG SRC=\"wide\">", {0, 0, 150, 100}, pictures.Options());
  CHECK(run.result.ExtentY == 2 * surface.LineHeight());  // each line at least as high as its font
  CHECK(run.result.ExtentX == 100);
  // one wider than the line stays where it is
  CHECK(surface.DrawIn("<IMG SRC=\"wide\">", {0, 0, 50, 100}, pictures.Options()).result.ExtentY ==
        surface.LineHeight());
}

TEST_CASE("a picture aligned to the top lifts all the text of its line") {
  Pictures pictures;
  MarkupSurface bottom;
  bottom.Draw("ab<IMG SRC=\"tall\">", pictures.Options());
  CHECK(bottom.Pixels().BoundsOf(kBlack).bottom > 30);

  MarkupSurface top;
  top.Draw("ab<IMG SRC=\"tall\" ALIGN=\"TOP\">", pictures.Options());
  CHECK(top.Pixels().BoundsOf(kBlack).bottom <= top.LineHeight());

  MarkupSurface middle;
  middle.Draw("ab<IMG SRC=\"tall\" ALIGN=\"MIDDLE\">", pictures.Options());
  const RECT text = middle.Pixels().BoundsOf(kBlack);
  CHECK(text.bottom > middle.LineHeight());
  CHECK(text.bottom <= 40 - (40 - middle.LineHeight()) / 2);
}

TEST_CASE("a picture inside an anchor is hit, and shows its ALT picture under the pointer") {
  Pictures pictures;
  const std::string markup = "<A HREF=\"pic\"><IMG SRC=\"red\" ALT=\"green\"></A>";
  MarkupSurface surface;
  MarkupOptions options = pictures.Options();
  options.HitTestOnly = true;
  options.HitX = 10;
  options.HitY = 10;
  const MarkupRun on = surface.Draw(markup, options);
  CHECK(on.hit);
  CHECK(on.result.HitHref == "pic");
  options.HitX = 40;
  CHECK_FALSE(surface.Draw(markup, options).hit);

  MarkupSurface pointed;
  options = pictures.Options();
  options.HitX = 10;
  options.HitY = 10;
  pointed.Draw(markup, options);
  CHECK(pointed.Count(kGreen) == 20 * 30);
  CHECK(pointed.Count(kRed) == 0);

  MarkupSurface away;
  options.HitX = 100;
  away.Draw(markup, options);
  CHECK(away.Count(kRed) == 20 * 30);
}

TEST_CASE("an animation's current frame is drawn at its place on the entry background") {
  Pictures pictures;
  MarkupSurface surface;
  surface.Canvas().BrushColor = 0x00FFFF;  // yellow
  const MarkupRun run = surface.Draw("<IMG SRC=\"animation\">", pictures.Options());
  CHECK(run.result.ExtentX == 10);
  CHECK(surface.Pixels().Pixel(1 + 2, 2) == kYellow);
  CHECK(surface.Pixels().Pixel(1 + 6, 6) == kGreen);
  CHECK(surface.Count(kBlue) == 0);
}

TEST_CASE("image-list pictures by index, scaled when printing") {
  Pictures pictures;
  RedImages images;
  MarkupOptions options = pictures.Options();
  options.Images = images.list;
  MarkupSurface surface;
  const MarkupRun run = surface.Draw("<IMG SRC=\"IDX:0\">", options);
  CHECK(run.result.ExtentX == 16);
  const RECT red = surface.Pixels().BoundsOf(kRed);
  CHECK(red.left == 1);
  CHECK(red.right == 17);
  CHECK(red.bottom == 16);
  for (const char* markup : {"<IMG SRC=\"IDX:1\">", "<IMG SRC=\"IDX:-1\">"})
    CHECK(surface.Draw(markup, options).result.ExtentX == 0);
  options.Images = nullptr;
  CHECK(surface.Draw("<IMG SRC=\"IDX:0\">", options).result.ExtentX == 0);

  MarkupSurface printed;
  options.Images = images.list;
  options.Printing = true;
  options.PrintScale = 2.0;
  printed.Draw("<IMG SRC=\"IDX:0\">", options);
  const RECT scaled = printed.Pixels().BoundsOf(kRed);
  CHECK(scaled.right - scaled.left == 32);
  CHECK(scaled.bottom - scaled.top == 32);
}

TEST_CASE("after a printed image-list picture, only the panel's revision keeps the line's text whole") {
  RedImages images;
  MarkupOptions options;
  options.Images = images.list;
  options.Printing = true;
  options.PrintScale = 1.0;
  const std::string markup = "<IMG SRC=\"IDX:0\">WWWWWWWW";
  MarkupSurface control;
  control.Draw(markup, options);
  options.Revision = MarkupRevision::mrPanel;
  MarkupSurface panel;
  panel.Draw(markup, options);
  const int textRight = 1 + 16 + panel.Width("WWWWWWWW");
  CHECK(panel.Pixels().BoundsOf(kBlack).right >= textRight - 2);
  CHECK(control.Pixels().BoundsOf(kBlack).right < textRight - 2);
}

TEST_CASE("system icons, small and large, by index or by path") {
  MarkupSurface surface;
  const int small = GetSystemMetrics(SM_CXSMICON);
  const int large = GetSystemMetrics(SM_CXICON);
  CHECK(surface.Draw("<IMG SRC=\"SSYS:0\">").result.ExtentX == small);
  CHECK(surface.Draw("<IMG SRC=\"LSYS:0\">").result.ExtentX == large);
  CHECK(surface.Draw("<IMG SRC=\"SSYS:C:\\no such folder\\file.txt\">").result.ExtentX == small);
  CHECK(surface.Draw("<IMG SRC=\"SSYS:\">").result.ExtentX == 0);
}

TEST_CASE("pictures from a source string are loaded once into the cache, never from the network") {
  const std::string path = WriteBmp("velnor_markup_test.bmp", 12, 6, kRed);
  TMarkupPictureCache cache;
  MarkupOptions options;
  options.PictureCache = &cache;
  const std::string markup = "<IMG SRC=\"file://" + path + "\">";
  MarkupSurface surface;
  CHECK(surface.Draw(markup, options).result.ExtentX == 12);
  CHECK(surface.Count(kRed) == 12 * 6);

  // The markup upper-cases the source; the cache finds it whatever its case.
  TMarkupPicture* cached = cache.FindPicture("FILE://" + path);
  REQUIRE(cached != nullptr);
  cached->Clear();  // a reload would bring it back
  CHECK(surface.Draw(markup, options).result.ExtentX == 0);

  const MarkupRun remote = surface.Draw("<IMG SRC=\"http://example.com/x.bmp\">", options);
  CHECK(remote.result.ExtentX == 0);
  REQUIRE(cache.FindPicture("http://example.com/x.bmp") != nullptr);
  CHECK(cache.FindPicture("http://example.com/x.bmp")->Empty());

  options.PictureCache = nullptr;
  CHECK(surface.Draw(markup, options).result.ExtentX == 0);
  DeleteFileA(path.c_str());
}

TEST_CASE("a page background picture is tiled over the bounds only, and the caller's clip comes back") {
  Pictures pictures;
  MarkupSurface surface(80, 60);
  HRGN callerClip = CreateRectRgn(0, 0, 70, 50);
  SelectClipRgn(surface.Pixels().Dc(), callerClip);
  surface.DrawIn("<BODY BACKGROUND=\"tile\">", {0, 0, 35, 35}, pictures.Options());
  CHECK(surface.Pixels().Pixel(2, 2) == kRed);
  CHECK(surface.Pixels().Pixel(7, 2) == kGreen);
  CHECK(surface.Pixels().Pixel(22, 32) == kRed);
  CHECK(surface.Pixels().Pixel(32, 32) == kRed);
  CHECK(surface.Pixels().Pixel(36, 10) == RGB(255, 255, 255));
  RECT clip{};
  GetClipBox(surface.Pixels().Dc(), &clip);
  CHECK(clip.right == 70);
  CHECK(clip.bottom == 50);
  SelectClipRgn(surface.Pixels().Dc(), nullptr);
  DeleteObject(callerClip);
}

TEST_CASE("huge positions and picture sizes saturate instead of overflowing the line width") {
  Pictures pictures;
  MarkupSurface surface;
  CHECK(surface.Draw("<IN X=\"99999999999\">abc def").result.ExtentX == kMaxMarkupPixels);
  std::string many;
  for (int i = 0; i < 300; ++i) many += "<IMG SRC=\"red\" WIDTH=\"99999999999\" HEIGHT=\"1\">";
  const MarkupRun run = surface.Draw(many, pictures.Options());
  CHECK(run.result.ExtentX == 1 << 28);
  CHECK(run.result.ExtentY == surface.LineHeight());
}
