#include "components/dialog/panel_image.h"

#include <optional>

#include "components/dialog/ole_picture.h"
#include "framework/error.h"
#include "framework/gdi.h"

namespace {
constexpr int kHimetricPerInch = 2540;

// A file opened for reading, closed with CloseHandle.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const std::string& path)
      : handle_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~ReadOnlyFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

// A file's bytes, or nothing when it cannot be opened or read whole. Read through the
// system rather than a file stream: the streams' locale machinery would add several
// hundred kilobytes to the program for this one call.
std::optional<std::string> ReadWholeFile(const std::string& path) {
  ReadOnlyFile file(path);
  LARGE_INTEGER size{};
  if (file.Get() == INVALID_HANDLE_VALUE || !GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
      size.QuadPart > MAXDWORD)
    return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
      got != bytes.size())
    return std::nullopt;
  return bytes;
}

OLE_XSIZE_HIMETRIC HimetricWidth(IPicture* picture) {
  OLE_XSIZE_HIMETRIC width = 0;
  if (FAILED(picture->get_Width(&width))) return 0;
  return width;
}

OLE_YSIZE_HIMETRIC HimetricHeight(IPicture* picture) {
  OLE_YSIZE_HIMETRIC height = 0;
  if (FAILED(picture->get_Height(&height))) return 0;
  return height;
}
}  // namespace

int TPanelImage::Width() const {
  return picture_ ? MulDiv(HimetricWidth(picture_.Get()), LogPixelsX(), kHimetricPerInch) : 0;
}

int TPanelImage::Height() const {
  return picture_ ? MulDiv(HimetricHeight(picture_.Get()), LogPixelsY(), kHimetricPerInch) : 0;
}

void TPanelImage::LoadFromData(std::string_view bytes) {
  // Emptied first: a rejected picture must not leave the previous one drawn
  // under bytes that are no longer its own.
  Clear();
  ComPtr<IPicture> decoded = DecodeOlePicture(bytes);
  data_.assign(bytes);
  picture_ = std::move(decoded);
  empty_ = false;
  Changed();
}

void TPanelImage::LoadFromFile(const std::string& path) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) {
    Clear();
    return;
  }
  try {
    LoadFromData(*bytes);
  } catch (const Error&) {
    // Left empty, so nothing is drawn.
  }
}

void TPanelImage::LoadFromResourceName(HINSTANCE module, const char* name) {
  HRSRC found = FindResourceA(module, name, RT_RCDATA);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) {
    Clear();
    throw Error(kImageNotLoaded);
  }
  LoadFromData({static_cast<const char*>(bytes), SizeofResource(module, found)});
}

void TPanelImage::Assign(const TPanelImage& source) {
  if (&source == this) return;
  if (source.Empty()) {
    Clear();
    return;
  }
  LoadFromData(source.data_);
}

void TPanelImage::Clear() {
  const bool was = !empty_;
  data_.clear();
  picture_.Reset();
  empty_ = true;
  if (was) Changed();
}

void TPanelImage::Draw(HDC dc, const RECT& rect) const {
  if (empty_ || !picture_) return;
  const OLE_XSIZE_HIMETRIC width = HimetricWidth(picture_.Get());
  const OLE_YSIZE_HIMETRIC height = HimetricHeight(picture_.Get());
  // The source rectangle runs upwards from the bottom edge, as HIMETRIC does.
  picture_->Render(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, height, width,
                   -height, nullptr);
}

bool TPanelImage::Opaque() const {
  if (empty_ || !picture_) return false;
  SHORT type = PICTYPE_NONE;
  DWORD attributes = 0;
  return SUCCEEDED(picture_->get_Type(&type)) && type == PICTYPE_BITMAP &&
         SUCCEEDED(picture_->get_Attributes(&attributes)) && !(attributes & PICTURE_TRANSPARENT);
}

void TPanelImage::DrawTiled(HDC dc, const std::vector<POINT>& origins) const {
  if (origins.empty()) return;
  const int width = Width(), height = Height();
  if (!Opaque()) {
    for (const POINT& at : origins) Draw(dc, {at.x, at.y, at.x + width, at.y + height});
    return;
  }
  // Rendering goes through the picture object each time; one rendering copied is far cheaper.
  MemoryDC tile(dc, width, height);
  Draw(tile.Get(), {0, 0, width, height});
  for (const POINT& at : origins) BitBlt(dc, at.x, at.y, width, height, tile.Get(), 0, 0, SRCCOPY);
}
