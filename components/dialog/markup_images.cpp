#include "components/dialog/markup_images.h"

#include <shellapi.h>

#include <algorithm>
#include <cmath>

#include "components/dialog/markup_text.h"
#include "components/dialog/markup_values.h"
#include "framework/gdi.h"
#include "framework/system_library.h"

namespace {
// The image-list calls, looked up on the first picture of a list rather than
// imported: the common controls library is loaded by whoever made the list, and a
// program that shows no such picture need not load it at all. Missing calls draw
// nothing and count no images.
struct ImageListCalls {
  decltype(&ImageList_Draw) draw =
      SystemFunction<decltype(&ImageList_Draw)>("comctl32.dll", "ImageList_Draw");
  decltype(&ImageList_GetIconSize) iconSize =
      SystemFunction<decltype(&ImageList_GetIconSize)>("comctl32.dll", "ImageList_GetIconSize");
  decltype(&ImageList_GetImageCount) imageCount =
      SystemFunction<decltype(&ImageList_GetImageCount)>("comctl32.dll", "ImageList_GetImageCount");
};

const ImageListCalls& ImageLists() {
  static const ImageListCalls calls;
  return calls;
}

void DrawListImage(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
  if (ImageLists().draw) ImageLists().draw(list, index, dc, x, y, style);
}

SIZE ScaleToDevice(HDC dc, int width, int height) {
  return {MulDiv(width, GetDeviceCaps(dc, LOGPIXELSX), 96),
          MulDiv(height, GetDeviceCaps(dc, LOGPIXELSY), 96)};
}

int PrintSize(int pixels, double scale) {
  const double scaled = std::round(pixels * scale);
  return scaled > 0 && scaled < 1 << 20 ? static_cast<int>(scaled) : 0;  // NaN and absurd scales draw nothing
}

// An image-list entry drawn at its own size on white, then stretched over the
// target (on a printer, image lists cannot draw scaled themselves).
void StretchImage(HDC dc, HIMAGELIST images, int index, int width, int height, const RECT& target) {
  BITMAPINFO info = Dib32Info(width, height);
  void* bits = nullptr;
  BitmapHandle bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return;
  {
    MemoryDC scratch(dc, 1, 1);
    ScopedSelect select(scratch.Get(), bitmap.Get());
    RECT all{0, 0, width, height};
    FillRect(scratch.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawListImage(images, index, scratch.Get(), 0, 0, ILD_TRANSPARENT);
    GdiFlush();
  }
  StretchDIBits(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, 0, 0,
                width, height, bits, &info, DIB_RGB_COLORS, SRCCOPY);
}

enum class ListImage { liImageList, liSystemIcon };

// One image-list entry at the cursor: at its own size on screen, stretched by
// PrintScale when printing. A printed image-list picture leaves the cursor
// over itself (the panel's revision puts it back on the line).
SIZE PlaceListImage(LinePass& line, HIMAGELIST list, int index, ListImage kind) {
  MarkupState& s = line.state;
  int width = 0;
  int height = 0;
  if (ImageLists().iconSize) ImageLists().iconSize(list, &width, &height);
  HDC dc = s.canvas.Handle();
  if (line.Drawing() && !s.options.Printing) {
    DrawListImage(list, index, dc, line.C.left, line.C.top,
                  kind == ListImage::liSystemIcon ? ILD_TRANSPARENT : ILD_NORMAL);
  } else if (line.Drawing()) {
    const RECT target{line.C.left, line.C.top, line.C.left + PrintSize(width, s.options.PrintScale),
                      line.C.top + PrintSize(height, s.options.PrintScale)};
    StretchImage(dc, list, index, width, height, target);
    if (kind == ListImage::liImageList) {
      line.C.right = target.right;
      line.C.bottom = target.bottom;
      if (s.PanelRevision()) line.C = line.R;
    }
  }
  return ScaleToDevice(dc, width, height);
}

SIZE ImageListPicture(LinePass& line, const std::string& source) {
  const HIMAGELIST images = line.state.options.Images;
  const int index = ReadNumber(std::string_view(source).substr(std::min<std::size_t>(4, source.size())));
  const int count = ImageLists().imageCount ? ImageLists().imageCount(images) : 0;
  if (!images || index < 0 || index >= count) return {0, 0};
  return PlaceListImage(line, images, index, ListImage::liImageList);
}

SIZE SystemIcon(LinePass& line, const std::string& source, bool large) {
  const std::string rest = source.substr(std::min<std::size_t>(5, source.size()));
  const UINT sizeFlag = large ? SHGFI_LARGEICON : SHGFI_SMALLICON;
  SHFILEINFOA info{};
  HIMAGELIST icons = nullptr;
  int index = 0;
  const MarkupNumber number = ReadMarkupNumber(rest);
  if (number.complete) {
    // Any name will do to reach the system image list itself.
    icons =
        reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("x", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                                                    SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | sizeFlag));
    index = number.value;
  } else if (!rest.empty()) {
    const bool exists = GetFileAttributesA(rest.c_str()) != INVALID_FILE_ATTRIBUTES;
    const UINT flags = SHGFI_SYSICONINDEX | sizeFlag | (exists ? 0 : SHGFI_USEFILEATTRIBUTES);
    icons = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA(rest.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), flags));
    index = info.iIcon;
  }
  if (!icons) return {0, 0};
  return PlaceListImage(line, icons, index, ListImage::liSystemIcon);
}

SIZE NamedPicture(LinePass& line, const TMarkupPicture& picture, int width, int height) {
  MarkupState& s = line.state;
  HDC dc = s.canvas.Handle();
  const bool sized = width >= 1 && height >= 1;
  const RECT& C = line.C;
  if (line.Drawing()) {
    if (sized) {
      picture.StretchDraw(dc, {C.left, C.top, C.left + width, C.top + height});
    } else {
      // An animation's frames may cover only part of its area: the rest shows the background.
      if (picture.FrameCount() > 1) {
        s.canvas.PenColor = s.entryBrush;
        s.canvas.FillRect({C.left, C.top, C.left + picture.GetMaxWidth(), C.top + picture.GetMaxHeight()},
                          s.entryBrush);
      }
      const POINT position = picture.FramePosition();
      picture.Draw(dc, C.left + position.x, C.top + position.y);
    }
  }
  return sized ? ScaleToDevice(dc, width, height)
               : ScaleToDevice(dc, picture.GetMaxWidth(), picture.GetMaxHeight());
}
}  // namespace

TMarkupPicture* LookupPicture(MarkupState& state, const std::string& source) {
  const MarkupOptions& o = state.options;
  if (!Contains(source, ":") && o.PictureContainer) return o.PictureContainer->FindPicture(source);
  if (Contains(source, "://") && o.PictureCache) {
    if (!o.PictureCache->FindPicture(source)) o.PictureCache->AddPicture(source).LoadFromURL(source);
    return o.PictureCache->FindPicture(source);
  }
  return nullptr;
}

void PictureTag(LinePass& line, std::string_view markup) {
  MarkupState& s = line.state;
  ++s.pictureCounter;
  const std::string attributes = TagAttributes(markup, 2);
  std::string source = AttributeValue(attributes, "SRC");
  // Over a picture inside an anchor, its ALT picture shows instead.
  if (Contains(attributes, "ALT") && s.hitPicture == s.pictureCounter)
    source = AttributeValue(attributes, "ALT");
  const int width = ReadPixels(AttributeValue(attributes, "WIDTH"));
  const int height = ReadPixels(AttributeValue(attributes, "HEIGHT"));

  SIZE size{0, 0};
  if (Contains(source, "IDX:")) {
    size = ImageListPicture(line, source);
  } else if (Contains(source, "SSYS:") || Contains(source, "LSYS:")) {
    size = SystemIcon(line, source, Contains(source, "LSYS:"));
  } else if (const TMarkupPicture* picture = LookupPicture(s, source); picture && !picture->Empty()) {
    size = NamedPicture(line, *picture, width, height);
  }

  const int x = s.options.HitX - line.R.left;
  const int y = s.options.HitY;
  if (x > line.lineWidth && x < line.lineWidth + size.cx && y > line.C.top && y < line.C.top + size.cy &&
      s.anchorOpen) {
    line.pictureHit = true;
    s.result.HitHref = s.anchorTarget;
    s.hitPicture = s.pictureCounter;
  }

  if (line.lineWidth + size.cx > line.RWidth() && size.cx < line.RWidth()) {
    line.deferred = true;  // the picture starts the next line
    return;
  }
  line.Widen(size.cx);
  line.C.left += size.cx;
  s.lineHeight = std::max<int>(s.lineHeight, size.cy);

  if (Contains(attributes, "ALIGN")) {
    if (Contains(attributes, "\"TOP"))
      s.pictureOffset = s.lineHeight - s.GhHeight();
    else if (Contains(attributes, "\"MIDDLE"))
      s.pictureOffset = (s.lineHeight - s.GhHeight()) / 2;
  }
}
