#include "framework/pixel_image.h"

#include <algorithm>
#include <utility>

PixelImage::PixelImage(int width, int height, COLORREF fill) {
  if (width <= 0 || height <= 0) return;
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), ToDibPixel(fill));
}

COLORREF PixelImage::Pixel(int x, int y) const {
  if (!Contains(x, y)) return CLR_INVALID;
  return FromDibPixel(pixels_[static_cast<std::size_t>(y) * width_ + x]);
}

void PixelImage::SetPixel(int x, int y, COLORREF colour) {
  if (Contains(x, y)) pixels_[static_cast<std::size_t>(y) * width_ + x] = ToDibPixel(colour);
}

void PixelImage::CopyFrom(const PixelImage& source, int sourceX, int sourceY, int width, int height, int x,
                          int y) {
  // Clip the block against the source, then against this picture, moving both corners alike.
  auto clip = [&](int& from, int& to, int& length, int fromLimit, int toLimit) {
    if (from < 0) {
      length += from;
      to -= from;
      from = 0;
    }
    if (to < 0) {
      length += to;
      from -= to;
      to = 0;
    }
    length = std::min({length, fromLimit - from, toLimit - to});
  };
  clip(sourceX, x, width, source.width_, width_);
  clip(sourceY, y, height, source.height_, height_);
  if (width <= 0 || height <= 0) return;
  for (int row = 0; row < height; ++row) {
    const auto* from = &source.pixels_[static_cast<std::size_t>(sourceY + row) * source.width_ + sourceX];
    std::copy(from, from + width, &pixels_[static_cast<std::size_t>(y + row) * width_ + x]);
  }
}

void PixelImage::FloodFill(int x, int y, COLORREF surface, COLORREF fill) {
  const std::uint32_t from = ToDibPixel(surface), to = ToDibPixel(fill);
  // Filling a colour with itself would find the same pixels again and again.
  if (from == to || !Contains(x, y)) return;
  auto at = [this](int px, int py) -> std::uint32_t& {
    return pixels_[static_cast<std::size_t>(py) * width_ + px];
  };
  std::vector<std::pair<int, int>> pending{{x, y}};
  while (!pending.empty()) {
    auto [px, py] = pending.back();
    pending.pop_back();
    if (at(px, py) != from) continue;
    // Fill the whole run of this row, then look above and below it.
    int left = px, right = px;
    while (left > 0 && at(left - 1, py) == from) --left;
    while (right + 1 < width_ && at(right + 1, py) == from) ++right;
    for (int i = left; i <= right; ++i) {
      at(i, py) = to;
      if (py > 0 && at(i, py - 1) == from) pending.emplace_back(i, py - 1);
      if (py + 1 < height_ && at(i, py + 1) == from) pending.emplace_back(i, py + 1);
    }
  }
}
