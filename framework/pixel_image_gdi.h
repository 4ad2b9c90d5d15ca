#pragma once
// Moving pixel images to and from GDI: reading a bitmap (or a bitmap resource) into
// memory, and copying rows of a picture onto a DC.
#include <windows.h>

#include "framework/pixel_image.h"

// The bitmap's pixels; empty when it cannot be read.
PixelImage ReadBitmapPixels(HBITMAP bitmap);

// A bitmap resource (RT_BITMAP) of module, whatever its stored depth or compression;
// empty when the module has none of that name.
PixelImage LoadBitmapPixels(HINSTANCE module, const char* name);

// Copies rows [firstRow, firstRow + rows) of image to (x, y) with a raster operation;
// rows the image does not have are left out.
void DrawPixelRows(HDC dc, int x, int y, const PixelImage& image, int firstRow, int rows,
                   DWORD rop = SRCCOPY);

// The same rows with the pixels of colour transparent left out, so what is under them
// stays visible.
void DrawPixelRowsTransparent(HDC dc, int x, int y, const PixelImage& image, int firstRow, int rows,
                              COLORREF transparent);
