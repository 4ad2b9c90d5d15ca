#pragma once
// A copy of everything on the clipboard that can be copied, to be put back later byte
// for byte with its formats in their order. Global memory formats (the text formats,
// DIBs, file lists, locale, registered formats) are copied as bytes; bitmaps,
// enhanced metafiles and palettes as objects of their own. What cannot be copied
// without knowing its owner's meaning (metafile pictures, owner display, private and
// GDI-object formats) is left out.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class ClipboardSnapshot {
 public:
  // Copies the open clipboard's content. Nothing when the copies together would need
  // more than limitBytes: nothing is kept then, rather than a part.
  static std::optional<ClipboardSnapshot> Take(std::size_t limitBytes);

  // Empties the open clipboard and places fresh copies of the kept formats, in the
  // order they were listed; a format the system refuses or that finds no memory is
  // left out. An empty snapshot leaves the clipboard empty.
  void PutBack() const;

  std::vector<UINT> Formats() const;
  std::size_t Bytes() const { return bytes_; }

 private:
  ClipboardSnapshot() = default;

  // The kept copy of an object format, released the way its kind is released.
  class KeptObject {
   public:
    KeptObject(UINT format, HANDLE handle) : format_(format), handle_(handle) {}
    KeptObject(KeptObject&& other) noexcept : format_(other.format_), handle_(other.handle_) {
      other.handle_ = nullptr;
    }
    KeptObject& operator=(KeptObject&&) = delete;
    ~KeptObject();
    KeptObject(const KeptObject&) = delete;
    KeptObject& operator=(const KeptObject&) = delete;
    HANDLE Get() const { return handle_; }
    // Gives the handle up to a new owner (the clipboard).
    [[nodiscard]] HANDLE Release() {
      HANDLE handle = handle_;
      handle_ = nullptr;
      return handle;
    }

   private:
    UINT format_;
    HANDLE handle_;
  };

  struct Entry {
    UINT format;
    std::string bytes;  // a global memory format's content
    KeptObject object;  // an object format's copy, else empty
  };
  std::vector<Entry> entries_;
  std::size_t bytes_ = 0;
};
