#include "framework/pixel_image_gdi.h"

#include <algorithm>

#include "framework/gdi.h"

namespace {
BITMAPINFO TopDownInfo(int width, int height) { return Dib32Info(width, -height); }

// The part of [firstRow, firstRow + rows) that image has, as a picture of its own,
// so the DIB handed to GDI is always copied whole (the source-row origin of a partial
// copy differs between bottom-up and top-down DIBs).
PixelImage RowsOf(const PixelImage& image, int firstRow, int rows) {
  const int first = std::max(firstRow, 0);
  const int last = std::min(firstRow + rows, image.Height());
  if (last <= first) return {};
  PixelImage part(image.Width(), last - first, 0);
  part.CopyFrom(image, 0, first, image.Width(), last - first, 0, 0);
  return part;
}

void Blit(HDC dc, int x, int y, const PixelImage& part, DWORD rop) {
  BITMAPINFO info = TopDownInfo(part.Width(), part.Height());
  StretchDIBits(dc, x, y, part.Width(), part.Height(), 0, 0, part.Width(), part.Height(), part.Bits(), &info,
                DIB_RGB_COLORS, rop);
}
}  // namespace

PixelImage ReadBitmapPixels(HBITMAP bitmap) {
  BITMAP header{};
  if (!bitmap || !GetObjectA(bitmap, sizeof header, &header) || header.bmWidth <= 0 || header.bmHeight <= 0)
    return {};
  PixelImage image(header.bmWidth, header.bmHeight, 0);
  BITMAPINFO info = TopDownInfo(header.bmWidth, header.bmHeight);
  WindowDC screen(nullptr);
  if (GetDIBits(screen.Get(), bitmap, 0, header.bmHeight, image.Bits(), &info, DIB_RGB_COLORS) !=
      header.bmHeight)
    return {};
  // The unused byte of a 32-bit DIB comes back as whatever the bitmap held there.
  std::uint32_t* bits = image.Bits();
  std::for_each(bits, bits + static_cast<std::size_t>(image.Width()) * image.Height(),
                [](std::uint32_t& pixel) { pixel &= 0x00FFFFFF; });
  return image;
}

PixelImage LoadBitmapPixels(HINSTANCE module, const char* name) {
  BitmapHandle bitmap(LoadBitmapA(module, name));
  return ReadBitmapPixels(bitmap.Get());
}

void DrawPixelRows(HDC dc, int x, int y, const PixelImage& image, int firstRow, int rows, DWORD rop) {
  PixelImage part = RowsOf(image, firstRow, rows);
  if (part.Empty()) return;
  Blit(dc, x, y + std::max(0, -firstRow), part, rop);
}

void DrawPixelRowsTransparent(HDC dc, int x, int y, const PixelImage& image, int firstRow, int rows,
                              COLORREF transparent) {
  PixelImage part = RowsOf(image, firstRow, rows);
  if (part.Empty()) return;
  // Mask white where the picture is transparent: AND keeps the destination there and
  // clears it elsewhere; the picture, black where transparent, is then ORed in.
  PixelImage mask(part.Width(), part.Height(), RGB(0, 0, 0));
  const std::uint32_t key = ToDibPixel(transparent);
  const std::size_t count = static_cast<std::size_t>(part.Width()) * part.Height();
  for (std::size_t i = 0; i < count; ++i) {
    if (part.Bits()[i] != key) continue;
    mask.Bits()[i] = 0x00FFFFFF;
    part.Bits()[i] = 0;
  }
  const int top = y + std::max(0, -firstRow);
  Blit(dc, x, top, mask, SRCAND);
  Blit(dc, x, top, part, SRCPAINT);
}
