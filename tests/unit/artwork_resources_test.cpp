// The artwork as it ships: the bitmap resources read back from the built velnor.exe.
#include <doctest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/bmp_file.h"
#include "framework/pixel_image_gdi.h"
#include "program_resources.h"

namespace {
BITMAPINFOHEADER InfoHeader(const std::string& bytes) {
  BITMAPINFOHEADER info{};
  REQUIRE(bytes.size() >= sizeof info);
  std::memcpy(&info, bytes.data(), sizeof info);
  return info;
}

const char* const kSkins[] = {"SILVER",  "GRAY",    "RED",       "GREEN", "BLUE",  "YELLOW", "MANGENTA",
                              "ORANGE",  "CYAN",    "BLACK",     "WHITE", "DBLUE", "DRED",   "DGREEN",
                              "DYELLOW", "DORANGE", "DMANGENTA", "DCYAN", "CUSTOM"};
}  // namespace

TEST_CASE("the program holds the nineteen skin strips: 288 x 24, 8 bits with a palette, on silver") {
  ProgramResources program;
  REQUIRE(program.Module());
  for (const char* name : kSkins) {
    CAPTURE(std::string(name));
    const BITMAPINFOHEADER info = InfoHeader(program.Bytes(name, RT_BITMAP));
    CHECK(info.biWidth == 288);
    CHECK(info.biHeight == 24);
    if (std::string(name) == "ORANGE") {
      CHECK(info.biBitCount == 24);
    } else {
      CHECK(info.biBitCount == 8);
      CHECK(info.biClrUsed <= 256);  // 0 means a full palette of 256
    }
    const PixelImage strip = LoadBitmapPixels(program.Module(), name);
    REQUIRE(strip.Width() == 288);
    CHECK(strip.Pixel(0, 0) == RGB(192, 192, 192));
    // Four frames that differ from one another.
    for (int frame = 1; frame < 4; ++frame) CHECK(strip.Pixel(36 + 72 * frame, 12) != strip.Pixel(36, 12));
  }
}

TEST_CASE("the program holds the eight check-box pictures at their sizes, each a different look") {
  ProgramResources program;
  REQUIRE(program.Module());
  std::vector<PixelImage> seen;
  for (int number = 1; number <= 8; ++number) {
    const std::string name = "CHKBOX0" + std::to_string(number);
    CAPTURE(name);
    const PixelImage picture = LoadBitmapPixels(program.Module(), name.c_str());
    const int size = number <= 4 ? 20 : 16;
    CHECK(picture.Width() == size);
    CHECK(picture.Height() == size);
    // Drawn transparently by the colour of the bottom-left pixel, which the box itself must not use.
    CHECK(picture.Pixel(size / 2, size / 2) != picture.Pixel(0, size - 1));
    for (const PixelImage& other : seen) CHECK_FALSE(other == picture);
    seen.push_back(picture);
  }
}

TEST_CASE("the program holds the background tile as a 6294-byte BMP file of grey pinstripes") {
  ProgramResources program;
  const std::string bytes = program.Bytes("PINSTRIPE", RT_RCDATA);
  REQUIRE(bytes.size() == 6294);
  const std::optional<PixelImage> tile =
      DecodeBmp24({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  REQUIRE(tile);
  REQUIRE(tile->Width() == 103);
  REQUIRE(tile->Height() == 20);
  const COLORREF stripes[] = {RGB(238, 238, 238), RGB(230, 230, 230), RGB(238, 238, 238), RGB(255, 255, 255)};
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 103; ++x)
      if (tile->Pixel(x, y) != stripes[y % 4]) FAIL("pixel (" << x << ", " << y << ")");
}
