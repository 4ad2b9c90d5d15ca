#include "dialog_reference.h"

#include <sstream>

#include "framework/gdi.h"
#include "pixel_surface.h"
#include "screenshot.h"
#include "text.h"

namespace {
// One character per pixel, darker greys as denser characters; colours as '?'.
std::string Map(const PixelArea& area) {
  static const char kRamp[] = "@%#*+=-:. ";
  std::string map;
  for (int y = 0; y < area.height; ++y) {
    for (int x = 0; x < area.width; ++x) {
      const COLORREF c = area.At(x, y);
      if (GetRValue(c) != GetGValue(c) || GetGValue(c) != GetBValue(c)) {
        map += '?';
        continue;
      }
      map += kRamp[GetRValue(c) * 9 / 255];
    }
    map += '\n';
  }
  return map;
}
}  // namespace

PixelArea ShownArea(HWND window, const RECT& area) {
  POINT origin{area.left, area.top};
  ClientToScreen(window, &origin);
  const RECT onScreen{origin.x, origin.y, origin.x + area.right - area.left,
                      origin.y + area.bottom - area.top};
  return {area.right - area.left, area.bottom - area.top, ScreenPixels(onScreen)};
}

COLORREF PinstripeRow(int y) {
  static const BYTE kGreys[4] = {238, 230, 238, 255};
  const BYTE grey = kGreys[y % 4];
  return RGB(grey, grey, grey);
}

LOGFONTA FormFont(bool bold) {
  LOGFONTA font{};
  font.lfHeight = -12;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  const std::string face = Cp932FromUtf8("ＭＳ Ｐゴシック");
  face.copy(font.lfFaceName, sizeof font.lfFaceName - 1);
  return font;
}

namespace {
// The dialog's background under a box whose top is at top.
void FillPinstripe(HDC dc, int top, int width, int height) {
  for (int y = 0; y < height; ++y) {
    BrushHandle row(CreateSolidBrush(PinstripeRow(top + y)));
    const RECT line{0, y, width, y + 1};
    FillRect(dc, &line, row.Get());
  }
}
}  // namespace

LOGFONTA ArialBold(int height) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = FW_BOLD;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpyA(font.lfFaceName, "Arial");
  return font;
}

PixelArea PlainLabelPicture(int top, const std::string& text, const LOGFONTA& logFont) {
  FontHandle font(CreateFontIndirectA(&logFont));
  RECT extent{0, 0, 0, 0};
  {
    PixelSurface measure(1, 1);
    ScopedSelect select(measure.Dc(), font.Get());
    DrawTextA(measure.Dc(), text.c_str(), static_cast<int>(text.size()), &extent,
              DT_CALCRECT | DT_EXPANDTABS);
  }
  const int width = extent.right + 2, height = extent.bottom + 2;
  PixelSurface surface(width, height);
  HDC dc = surface.Dc();
  FillPinstripe(dc, top, width, height);
  ScopedSelect select(dc, font.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT box{0, 0, width, height};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_WORDBREAK | DT_EXPANDTABS);
  return surface.Area();
}

SkinComparison CompareWithStrip(const PixelArea& shown, const PixelArea& strip) {
  SkinComparison result;
  if (shown.width != 72 || shown.height != 24 || strip.width < 72 || strip.height < 24) return result;
  RegionHandle normalClip(CreateRoundRectRgn(3, 1, 70, 24, 13, 12));
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 72; ++x) {
      const bool caption = x >= 12 && x < 60;
      if (caption || !PtInRegion(normalClip.Get(), x, y) || strip.At(x, y) == RGB(192, 192, 192)) continue;
      ++result.compared;
      if (shown.At(x, y) != strip.At(x, y)) ++result.differing;
    }
  return result;
}

PixelArea CaptionLabelPicture(const RECT& box, const std::string& text) {
  const int width = box.right - box.left, height = box.bottom - box.top;
  PixelSurface surface(width, height);
  HDC dc = surface.Dc();
  FillPinstripe(dc, box.top, width, height);
  const LOGFONTA logFont = FormFont(true);
  FontHandle font(CreateFontIndirectA(&logFont));
  ScopedSelect select(dc, font.Get());
  SetBkMode(dc, TRANSPARENT);
  constexpr UINT kFlags = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
  // The shadow first, under the text; the text's box gives up the shadow's pixel on the right.
  RECT shadow{1, 1, width, height + 1};
  SetTextColor(dc, RGB(195, 195, 195));
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &shadow, kFlags);
  RECT face{0, 0, width - 1, height};
  SetTextColor(dc, RGB(0, 0, 0));
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &face, kFlags);
  return surface.Area();
}

std::string Differences(const PixelArea& shown, const PixelArea& expected) {
  if (shown.width != expected.width || shown.height != expected.height) return "the areas differ in size";
  int count = 0, firstX = -1, firstY = -1;
  for (int y = 0; y < shown.height; ++y)
    for (int x = 0; x < shown.width; ++x)
      if (shown.At(x, y) != expected.At(x, y) && count++ == 0) firstX = x, firstY = y;
  if (count == 0) return {};
  std::ostringstream out;
  out << count << " pixels differ, the first at (" << firstX << ", " << firstY << "): shown 0x" << std::hex
      << shown.At(firstX, firstY) << ", expected 0x" << expected.At(firstX, firstY) << std::dec
      << "\nshown:\n"
      << Map(shown) << "expected:\n"
      << Map(expected);
  return out.str();
}
