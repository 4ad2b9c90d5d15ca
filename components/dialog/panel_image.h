#pragma once
// The background panel's picture holder: the picture file's bytes exactly as
// loaded (saved back unchanged), and the picture the OLE loader decoded from them.
#include <windows.h>
// The system headers below build on windows.h.
#include <ocidl.h>

#include <string>
#include <string_view>
#include <vector>

#include "framework/com_ptr.h"
#include "framework/events.h"

class TPanelImage {
 public:
  TPanelImage() = default;
  TPanelImage(const TPanelImage&) = delete;
  TPanelImage& operator=(const TPanelImage&) = delete;

  bool Empty() const { return empty_; }
  // In pixels at the holder's 96 dots per inch; 0 while empty.
  int Width() const;
  int Height() const;
  int LogPixelsX() const { return 96; }
  int LogPixelsY() const { return 96; }

  // Copies the bytes and decodes them; a picture the loader rejects raises its
  // message and leaves the holder empty. The layout's "Data" item and streams
  // come in here.
  void LoadFromData(std::string_view bytes);
  // A file that cannot be read or decoded leaves the holder empty, silently.
  void LoadFromFile(const std::string& path);
  // An RT_RCDATA resource of module; a missing one raises "Could not load image".
  void LoadFromResourceName(HINSTANCE module, const char* name);
  void Assign(const TPanelImage& source);
  void Clear();
  // The bytes as they were loaded.
  const std::string& Data() const { return data_; }

  // The picture stretched over rect; nothing while empty.
  void Draw(HDC dc, const RECT& rect) const;
  // The picture at its own size at each origin. An opaque bitmap is rendered once
  // and copied from there; a picture with see-through parts (an icon, a metafile, a
  // transparent GIF) is rendered at every place so what lies beneath still shows.
  void DrawTiled(HDC dc, const std::vector<POINT>& origins) const;
  // Counts every change of the picture, so a drawing made from it can tell it is old.
  unsigned Revision() const { return revision_; }

  Event<> OnChange;

 private:
  void Changed() {
    ++revision_;
    if (OnChange) OnChange();
  }
  bool Opaque() const;

  std::string data_;
  bool empty_ = true;
  ComPtr<IPicture> picture_;
  unsigned revision_ = 0;
};
