#pragma once
// A picture held as device-independent colour in memory, top row first: faces and
// strips are composed here pixel by pixel, and only copied to a DC when painted.
#include <windows.h>

#include <cstdint>
#include <vector>

class PixelImage {
 public:
  PixelImage() = default;
  PixelImage(int width, int height, COLORREF fill);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return pixels_.empty(); }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // Outside the picture Pixel answers CLR_INVALID and SetPixel does nothing.
  COLORREF Pixel(int x, int y) const;
  void SetPixel(int x, int y, COLORREF colour);

  // Copies the width x height block at (sourceX, sourceY) of source to (x, y);
  // whatever lies outside either picture is left out.
  void CopyFrom(const PixelImage& source, int sourceX, int sourceY, int width, int height, int x, int y);

  // Replaces the area of colour surface that is connected to (x, y) through edge
  // neighbours with fill; nothing happens when the seed has another colour.
  void FloodFill(int x, int y, COLORREF surface, COLORREF fill);

  // The rows in the memory order of a 32-bit DIB (blue, green, red, unused).
  const std::uint32_t* Bits() const { return pixels_.data(); }
  std::uint32_t* Bits() { return pixels_.data(); }

  bool operator==(const PixelImage& other) const = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

// COLORREF (0x00BBGGRR) to and from the DIB order (0x00RRGGBB).
inline std::uint32_t ToDibPixel(COLORREF colour) {
  return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}
inline COLORREF FromDibPixel(std::uint32_t pixel) {
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}
