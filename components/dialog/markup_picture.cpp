#include "components/dialog/markup_picture.h"

#include <algorithm>

#include "components/dialog/markup_text.h"

namespace {
// A memory DC showing a bitmap it does not own.
class SourceDC {
 public:
  SourceDC(HDC compatibleWith, HBITMAP bitmap)
      : dc_(CreateCompatibleDC(compatibleWith)), previous_(SelectObject(dc_, bitmap)) {}
  ~SourceDC() {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  SourceDC(const SourceDC&) = delete;
  SourceDC& operator=(const SourceDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

HBITMAP LoadBitmapFrom(std::string_view source) {
  if (StartsWithNoCase(source, "file://")) {
    std::string path(source.substr(7));
    // "file:///C:/x.bmp" names the drive after a third slash.
    if (path.size() > 2 && path[0] == '/' && path[2] == ':') path.erase(0, 1);
    return static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  }
  if (StartsWithNoCase(source, "res://")) {
    const std::string name(source.substr(6));
    return static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  }
  return nullptr;
}
}  // namespace

int TMarkupPicture::Width() const { return frames_.empty() ? 0 : frames_.front().size.cx; }
int TMarkupPicture::Height() const { return frames_.empty() ? 0 : frames_.front().size.cy; }

int TMarkupPicture::GetMaxWidth() const {
  int width = 0;
  for (const Frame& frame : frames_) width = std::max<int>(width, frame.size.cx);
  return width;
}

int TMarkupPicture::GetMaxHeight() const {
  int height = 0;
  for (const Frame& frame : frames_) height = std::max<int>(height, frame.size.cy);
  return height;
}

POINT TMarkupPicture::FramePosition() const {
  return frames_.empty() ? POINT{0, 0} : frames_[current_].position;
}

void TMarkupPicture::SetCurrentFrame(int index) {
  if (index >= 0 && index < FrameCount()) current_ = index;
}

void TMarkupPicture::AddFrame(HBITMAP bitmap, POINT position) {
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof(info), &info)) {
    if (bitmap) DeleteObject(bitmap);
    return;
  }
  frames_.push_back(Frame{BitmapHandle(bitmap), SIZE{info.bmWidth, info.bmHeight}, position});
}

void TMarkupPicture::Clear() {
  frames_.clear();
  current_ = 0;
}

void TMarkupPicture::Draw(HDC dc, int x, int y) const {
  if (frames_.empty()) return;
  const Frame& frame = frames_[current_];
  SourceDC source(dc, frame.bitmap.Get());
  BitBlt(dc, x, y, frame.size.cx, frame.size.cy, source.Get(), 0, 0, SRCCOPY);
}

void TMarkupPicture::StretchDraw(HDC dc, const RECT& rect) const {
  if (frames_.empty()) return;
  const Frame& frame = frames_[current_];
  SourceDC source(dc, frame.bitmap.Get());
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source.Get(), 0, 0,
             frame.size.cx, frame.size.cy, SRCCOPY);
  SetStretchBltMode(dc, oldMode);
}

void TMarkupPicture::LoadFromURL(std::string_view source) {
  Clear();
  AddFrame(LoadBitmapFrom(source));
}

TMarkupPicture* TMarkupPictureList::FindPicture(std::string_view name) {
  for (Entry& entry : entries_)
    if (entry.name.size() == name.size() && FindNoCase(entry.name, name) == 0) return entry.picture.get();
  return nullptr;
}

TMarkupPicture& TMarkupPictureList::AddPicture(std::string name) {
  entries_.push_back(Entry{std::move(name), std::make_unique<TMarkupPicture>()});
  return *entries_.back().picture;
}
