#pragma once
// A memory DC that shows a bitmap it does not own, to copy from or draw on;
// the DC is deleted and the bitmap deselected at the end of the scope.
#include <windows.h>

#include "framework/gdi.h"

class BitmapDC {
 public:
  BitmapDC(HDC compatibleWith, HBITMAP bitmap)
      : dc_(CreateCompatibleDC(compatibleWith)), select_(dc_.dc, bitmap) {}
  BitmapDC(const BitmapDC&) = delete;
  BitmapDC& operator=(const BitmapDC&) = delete;
  HDC Get() const { return dc_.dc; }

 private:
  struct DeletedDC {
    HDC dc;
    ~DeletedDC() { DeleteDC(dc); }
  } dc_;
  ScopedSelect select_;
};
