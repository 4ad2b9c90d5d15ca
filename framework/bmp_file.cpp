#include "framework/bmp_file.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {
// Bytes per stored row of 24-bit pixels.
std::uint64_t RowStride(std::uint64_t width) { return (width * 24 + 31) / 32 * 4; }

// Past this a layout picture is taken for damaged data rather than allocated.
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 24;
}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const PixelImage& image) {
  const auto stride = static_cast<std::size_t>(RowStride(image.Width()));
  const std::size_t imageSize = stride * image.Height();
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + imageSize);
  info.biSize = sizeof info;
  info.biWidth = image.Width();
  info.biHeight = image.Height();
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(imageSize);

  std::vector<std::uint8_t> bytes(file.bfSize, 0);
  std::memcpy(bytes.data(), &file, sizeof file);
  std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* row = bytes.data() + file.bfOffBits + stride * (image.Height() - 1 - y);
    for (int x = 0; x < image.Width(); ++x) {
      const COLORREF colour = image.Pixel(x, y);
      row[x * 3] = GetBValue(colour);
      row[x * 3 + 1] = GetGValue(colour);
      row[x * 3 + 2] = GetRValue(colour);
    }
  }
  return bytes;
}

std::optional<PixelImage> DecodeBmp24(std::span<const std::uint8_t> bytes) {
  BITMAPFILEHEADER file;
  BITMAPINFOHEADER info;
  if (bytes.size() < sizeof file + sizeof info) return std::nullopt;
  std::memcpy(&file, bytes.data(), sizeof file);
  std::memcpy(&info, bytes.data() + sizeof file, sizeof info);
  if (file.bfType != 0x4D42 || info.biSize < sizeof info || info.biPlanes != 1 || info.biBitCount != 24 ||
      info.biCompression != BI_RGB || info.biWidth <= 0 || info.biHeight == 0)
    return std::nullopt;
  const std::uint64_t width = static_cast<std::uint64_t>(info.biWidth);
  const std::uint64_t height = static_cast<std::uint64_t>(std::llabs(static_cast<long long>(info.biHeight)));
  if (width * height > kMaxPixels) return std::nullopt;
  const std::uint64_t stride = RowStride(width);
  const std::uint64_t pixelsAt = file.bfOffBits;
  if (pixelsAt < sizeof file + std::uint64_t{info.biSize} || pixelsAt + stride * height > bytes.size())
    return std::nullopt;

  const bool bottomUp = info.biHeight > 0;
  PixelImage image(static_cast<int>(width), static_cast<int>(height), 0);
  for (std::uint64_t y = 0; y < height; ++y) {
    const std::uint8_t* row = bytes.data() + pixelsAt + stride * (bottomUp ? height - 1 - y : y);
    for (std::uint64_t x = 0; x < width; ++x)
      image.SetPixel(static_cast<int>(x), static_cast<int>(y),
                     RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]));
  }
  return image;
}
