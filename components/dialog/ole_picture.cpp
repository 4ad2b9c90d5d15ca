#include "components/dialog/ole_picture.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <utility>

#include "framework/error.h"
#include "framework/system_library.h"

namespace {
using LoadPictureFunction = HRESULT(WINAPI*)(IStream*, LONG, BOOL, REFIID, void**);
using MakeStreamFunction = HRESULT(WINAPI*)(HGLOBAL, BOOL, IStream**);

// The OLE libraries are looked up on the first picture, not imported: only the
// dialogs show pictures, and a tray program that never opens one should not carry
// OLE all day. A library that cannot be loaded counts as its call failing.

// The loader olepro32 exports by ordinal 251, looked up once; oleaut32's
// OleLoadPicture is the same function and serves where that export is missing.
LoadPictureFunction PictureLoader() {
  static const LoadPictureFunction loader = [] {
    if (auto found = SystemFunction<LoadPictureFunction>("olepro32.dll", MAKEINTRESOURCEA(251))) return found;
    return SystemFunction<LoadPictureFunction>("oleaut32.dll", "OleLoadPicture");
  }();
  return loader;
}

MakeStreamFunction StreamMaker() {
  static const auto maker = SystemFunction<MakeStreamFunction>("ole32.dll", "CreateStreamOnHGlobal");
  return maker;
}

// Global memory that is freed unless a stream has taken it over.
class GlobalMemory {
 public:
  // Zeroed: the block may be larger than asked for, and nothing of what was there before may show.
  explicit GlobalMemory(SIZE_T size) : handle_(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)) {}
  ~GlobalMemory() {
    if (handle_) GlobalFree(handle_);
  }
  GlobalMemory(const GlobalMemory&) = delete;
  GlobalMemory& operator=(const GlobalMemory&) = delete;
  HGLOBAL Get() const { return handle_; }
  HGLOBAL Release() { return std::exchange(handle_, nullptr); }

 private:
  HGLOBAL handle_;
};

// A bitmap file shorter than its own two headers. Wine's decoder does not always
// notice: it reads the missing header bytes from memory it never filled, so the same
// cut file is refused or taken for a picture depending on what that memory held
// before. Such a file is refused here, the same way every time.
bool BitmapHeadersCut(std::string_view bytes) {
  constexpr std::size_t kFileHeader = 14;  // "BM", file size, reserved, bits offset
  if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  if (bytes.size() < kFileHeader + 4) return true;
  std::uint32_t infoHeader = 0;  // the size of the header after the file header, stored first
  std::memcpy(&infoHeader, bytes.data() + kFileHeader, sizeof infoHeader);
  return bytes.size() - kFileHeader < infoHeader;
}

bool CopyInto(HGLOBAL memory, std::string_view bytes) {
  void* target = GlobalLock(memory);
  if (!target) return false;
  std::memcpy(target, bytes.data(), bytes.size());
  GlobalUnlock(memory);
  return true;
}
}  // namespace

ComPtr<IPicture> DecodeOlePicture(std::string_view bytes) {
  // A stream with nothing in it has no picture to offer; the loader is not asked.
  if (bytes.empty()) throw Error(kImageEmptyStream);
  // The loader takes the size as a LONG: more than that cannot be handed over.
  if (bytes.size() > static_cast<std::size_t>(LONG_MAX)) throw Error(kImageNoMemory);
  if (BitmapHeadersCut(bytes)) throw Error(kImageInvalidFormat);
  GlobalMemory memory(bytes.size());
  if (!memory.Get() || !CopyInto(memory.Get(), bytes)) throw Error(kImageNoMemory);
  ComPtr<IStream> stream;
  const MakeStreamFunction makeStream = StreamMaker();
  if (!makeStream || FAILED(makeStream(memory.Get(), TRUE, stream.Put()))) throw Error(kImageNoStream);
  if (!stream) throw Error(kImageEmptyStream);
  memory.Release();  // the stream frees it now
  // The stream starts as long as the block, which the allocator may have rounded up:
  // the loader must see the picture's bytes and nothing after them.
  ULARGE_INTEGER size{};
  size.QuadPart = bytes.size();
  if (FAILED(stream->SetSize(size))) throw Error(kImageNoStream);
  ComPtr<IPicture> picture;
  const LoadPictureFunction load = PictureLoader();
  if (!load) throw Error(kImageInvalidFormat);
  const HRESULT loaded = load(stream.Get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(picture.Put()));
  if (FAILED(loaded)) throw Error(kImageInvalidFormat);
  // A loader that reports success without a picture has still failed.
  if (!picture) throw Error(kImageNotLoaded);
  return picture;
}
