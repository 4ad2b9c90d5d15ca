// 24-bit BMP files as form layouts store pictures: the bytes written, and reading
// back both well-formed files and damaged ones without reading past their end.
#include "framework/bmp_file.h"

#include <doctest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>

namespace {
// Every pixel different, so a swapped row or channel shows.
PixelImage Gradient(int width, int height) {
  PixelImage image(width, height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.SetPixel(x, y, RGB(x * 7, y * 11, (x + y) * 3));
  return image;
}

template <class T>
T Read(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  T value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

template <class T>
void Write(std::vector<std::uint8_t>& bytes, std::size_t offset, T value) {
  std::memcpy(bytes.data() + offset, &value, sizeof value);
}

constexpr std::size_t kInfoAt = sizeof(BITMAPFILEHEADER);
}  // namespace

TEST_CASE("a 72 x 96 face is a 20790-byte file of bottom-up 24-bit rows") {
  const PixelImage face = Gradient(72, 96);
  const std::vector<std::uint8_t> bytes = EncodeBmp24(face);
  REQUIRE(bytes.size() == 20790);
  const auto file = Read<BITMAPFILEHEADER>(bytes, 0);
  const auto info = Read<BITMAPINFOHEADER>(bytes, kInfoAt);
  CHECK(file.bfType == 0x4D42);
  CHECK(file.bfSize == 20790);
  CHECK(file.bfOffBits == 54);
  CHECK(info.biSize == 40);
  CHECK(info.biWidth == 72);
  CHECK(info.biHeight == 96);  // positive: bottom-up
  CHECK(info.biBitCount == 24);
  CHECK(info.biCompression == BI_RGB);
  // The first stored row is the picture's bottom row, blue first.
  const COLORREF bottomLeft = face.Pixel(0, 95);
  CHECK(bytes[54] == GetBValue(bottomLeft));
  CHECK(bytes[55] == GetGValue(bottomLeft));
  CHECK(bytes[56] == GetRValue(bottomLeft));
}

TEST_CASE("pictures come back as they were written, row padding included") {
  for (int width : {1, 2, 3, 5, 72}) {
    CAPTURE(width);
    const PixelImage image = Gradient(width, 4);
    const std::optional<PixelImage> back = DecodeBmp24(EncodeBmp24(image));
    REQUIRE(back);
    CHECK(*back == image);
  }
}

TEST_CASE("a top-down file is read top row first") {
  const PixelImage image = Gradient(5, 3);
  std::vector<std::uint8_t> bytes = EncodeBmp24(image);
  // Turn the file top-down: negative height and the rows in the other order.
  const std::size_t stride = 16, pixels = 54;
  std::vector<std::uint8_t> flipped(bytes.begin(), bytes.begin() + pixels);
  for (int row = 2; row >= 0; --row)
    flipped.insert(flipped.end(), bytes.begin() + pixels + row * stride,
                   bytes.begin() + pixels + (row + 1) * stride);
  Write<LONG>(flipped, kInfoAt + offsetof(BITMAPINFOHEADER, biHeight), -3);
  const std::optional<PixelImage> back = DecodeBmp24(flipped);
  REQUIRE(back);
  CHECK(*back == image);
}

TEST_CASE("bytes that are no complete 24-bit BMP file give no picture") {
  const std::vector<std::uint8_t> good = EncodeBmp24(Gradient(72, 96));
  struct Damage {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> apply;
  };
  const std::size_t info = kInfoAt;
  const Damage damages[] = {
      {"empty", [](auto& b) { b.clear(); }},
      {"headers cut short", [](auto& b) { b.resize(50); }},
      {"last pixel missing", [](auto& b) { b.pop_back(); }},
      {"not BM", [](auto& b) { b[0] = 'X'; }},
      {"8 bits per pixel",
       [&](auto& b) { Write<WORD>(b, info + offsetof(BITMAPINFOHEADER, biBitCount), 8); }},
      {"compressed",
       [&](auto& b) { Write<DWORD>(b, info + offsetof(BITMAPINFOHEADER, biCompression), BI_RLE8); }},
      {"no width", [&](auto& b) { Write<LONG>(b, info + offsetof(BITMAPINFOHEADER, biWidth), 0); }},
      {"negative width", [&](auto& b) { Write<LONG>(b, info + offsetof(BITMAPINFOHEADER, biWidth), -72); }},
      {"no height", [&](auto& b) { Write<LONG>(b, info + offsetof(BITMAPINFOHEADER, biHeight), 0); }},
      {"taller than its data",
       [&](auto& b) { Write<LONG>(b, info + offsetof(BITMAPINFOHEADER, biHeight), 97); }},
      {"wider than its data",
       [&](auto& b) { Write<LONG>(b, info + offsetof(BITMAPINFOHEADER, biWidth), 73); }},
      {"huge", [&](auto& b) { Write<LONG>(b, info + offsetof(BITMAPINFOHEADER, biWidth), 0x7FFFFFFF); }},
      {"pixels said to start past the end",
       [](auto& b) { Write<DWORD>(b, offsetof(BITMAPFILEHEADER, bfOffBits), 0xFFFFFFF0); }},
      {"header said to be enormous",
       [&](auto& b) { Write<DWORD>(b, info + offsetof(BITMAPINFOHEADER, biSize), 0xFFFFFFF0); }},
  };
  for (const Damage& damage : damages) {
    CAPTURE(std::string(damage.what));
    std::vector<std::uint8_t> bytes = good;
    damage.apply(bytes);
    CHECK_FALSE(DecodeBmp24(bytes));
  }
}
