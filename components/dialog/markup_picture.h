#pragma once
// Pictures that markup shows by name: a picture of one or more frames, and the
// named lists the renderer looks them up in (the application's picture container,
// and a control's cache of pictures loaded from a source string).
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/gdi.h"

class TMarkupPicture {
 public:
  bool Empty() const { return frames_.empty(); }
  int Width() const;  // of the first frame
  int Height() const;
  int FrameCount() const { return static_cast<int>(frames_.size()); }
  int GetMaxWidth() const;
  int GetMaxHeight() const;
  // The offset of the current frame inside the picture's area.
  POINT FramePosition() const;
  int CurrentFrame() const { return current_; }
  void SetCurrentFrame(int index);

  // The picture takes ownership of the bitmap.
  void AddFrame(HBITMAP bitmap, POINT position = {0, 0});
  void Clear();

  // The current frame with its top-left corner at (x, y).
  void Draw(HDC dc, int x, int y) const;
  // The current frame stretched over the rectangle.
  void StretchDraw(HDC dc, const RECT& rect) const;

  // "file://PATH" reads a bitmap file, "res://NAME" a bitmap resource of the
  // program; the picture stays empty for anything else (nothing is fetched over
  // a network), so loading is always finished when this returns.
  void LoadFromURL(std::string_view source);

 private:
  struct Frame {
    BitmapHandle bitmap;
    SIZE size;
    POINT position;
  };
  std::vector<Frame> frames_;
  int current_ = 0;
};

// Pictures by name, compared without regard to case: the markup upper-cases the
// names it asks for.
class TMarkupPictureList {
 public:
  TMarkupPicture* FindPicture(std::string_view name);
  // A new empty picture under that name.
  TMarkupPicture& AddPicture(std::string name);
  void Clear() { entries_.clear(); }

 private:
  struct Entry {
    std::string name;
    std::unique_ptr<TMarkupPicture> picture;
  };
  std::vector<Entry> entries_;
};

// Named pictures the application supplies.
using TMarkupPictureContainer = TMarkupPictureList;
// Pictures loaded from source strings, owned by the control that draws them.
using TMarkupPictureCache = TMarkupPictureList;
