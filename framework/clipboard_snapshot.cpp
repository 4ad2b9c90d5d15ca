#include "framework/clipboard_snapshot.h"

#include <cstring>
#include <memory>

#include "framework/clipboard.h"
#include "framework/error.h"

namespace {
enum class FormatKind { Memory, Object, Skipped };

FormatKind KindOf(UINT format) {
  switch (format) {
    case CF_BITMAP:
    case CF_ENHMETAFILE:
    case CF_PALETTE:
      return FormatKind::Object;
    case CF_METAFILEPICT:  // global memory holding a metafile handle, not the picture
      return FormatKind::Skipped;
    default:
      break;
  }
  // Registered formats are global memory by convention; the predefined ones up to
  // CF_DIBV5 that are left are too. Owner display, private and GDI-object formats
  // mean what their owner says they mean.
  if (format >= 0xC000 || (format >= CF_TEXT && format <= CF_DIBV5)) return FormatKind::Memory;
  return FormatKind::Skipped;
}

std::size_t ObjectBytes(UINT format, HANDLE object) {
  switch (format) {
    case CF_BITMAP: {
      BITMAP bitmap{};
      if (!GetObjectA(object, sizeof bitmap, &bitmap)) return 0;
      return static_cast<std::size_t>(bitmap.bmWidthBytes) * static_cast<std::size_t>(bitmap.bmHeight) *
             bitmap.bmPlanes;
    }
    case CF_ENHMETAFILE:
      return GetEnhMetaFileBits(static_cast<HENHMETAFILE>(object), 0, nullptr);
    case CF_PALETTE:
      return GetPaletteEntries(static_cast<HPALETTE>(object), 0, 0, nullptr) * sizeof(PALETTEENTRY);
    default:
      return 0;
  }
}

HANDLE CopyOfObject(UINT format, HANDLE object) {
  switch (format) {
    case CF_BITMAP: {
      // Same size and depth, same bits: CopyImage would turn it into the screen's depth.
      BITMAP info{};
      if (!GetObjectA(object, sizeof info, &info)) return nullptr;
      const LONG size = info.bmWidthBytes * info.bmHeight * info.bmPlanes;
      std::unique_ptr<char[]> bits(new char[static_cast<std::size_t>(size)]);
      if (GetBitmapBits(static_cast<HBITMAP>(object), size, bits.get()) != size) return nullptr;
      HBITMAP copy = CreateBitmap(info.bmWidth, info.bmHeight, info.bmPlanes, info.bmBitsPixel, nullptr);
      if (copy && SetBitmapBits(copy, static_cast<DWORD>(size), bits.get()) != size) {
        DeleteObject(copy);
        return nullptr;
      }
      return copy;
    }
    case CF_ENHMETAFILE:
      return CopyEnhMetaFileA(static_cast<HENHMETAFILE>(object), nullptr);
    case CF_PALETTE: {
      const UINT count = GetPaletteEntries(static_cast<HPALETTE>(object), 0, 0, nullptr);
      if (count == 0) return nullptr;
      // LOGPALETTE declares one entry and is followed by the rest.
      std::unique_ptr<char[]> storage(new char[sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY)]);
      auto* palette = reinterpret_cast<LOGPALETTE*>(storage.get());
      palette->palVersion = 0x300;
      palette->palNumEntries = static_cast<WORD>(count);
      GetPaletteEntries(static_cast<HPALETTE>(object), 0, count, palette->palPalEntry);
      return CreatePalette(palette);
    }
    default:
      return nullptr;
  }
}

// A global block's bytes; nothing for an empty or unlockable one.
std::optional<std::string> BlockBytes(HANDLE block) {
  const SIZE_T size = GlobalSize(block);
  if (size == 0) return std::nullopt;
  const void* source = GlobalLock(block);
  if (!source) return std::nullopt;
  std::string bytes(static_cast<const char*>(source), size);
  GlobalUnlock(block);
  return bytes;
}
}  // namespace

ClipboardSnapshot::KeptObject::~KeptObject() {
  if (!handle_) return;
  if (format_ == CF_ENHMETAFILE)
    DeleteEnhMetaFile(static_cast<HENHMETAFILE>(handle_));
  else
    DeleteObject(handle_);
}

std::optional<ClipboardSnapshot> ClipboardSnapshot::Take(std::size_t limitBytes) {
  ClipboardSnapshot snapshot;
  for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
    const FormatKind kind = KindOf(format);
    if (kind == FormatKind::Skipped) continue;
    // Asking may make the owner render it; it may also have nothing to give.
    HANDLE data = GetClipboardData(format);
    if (!data) continue;
    // Measured before anything is copied, so an oversized content costs no copy.
    const std::size_t size = kind == FormatKind::Memory ? GlobalSize(data) : ObjectBytes(format, data);
    if (size > limitBytes - snapshot.bytes_) return std::nullopt;
    if (kind == FormatKind::Memory) {
      std::optional<std::string> bytes = BlockBytes(data);
      if (!bytes) continue;
      snapshot.entries_.push_back({format, std::move(*bytes), KeptObject(format, nullptr)});
    } else {
      HANDLE copy = CopyOfObject(format, data);
      if (!copy) continue;
      snapshot.entries_.push_back({format, {}, KeptObject(format, copy)});
    }
    snapshot.bytes_ += size;
  }
  return snapshot;
}

void ClipboardSnapshot::PutBack() const {
  EmptyClipboard();
  for (const Entry& entry : entries_) {
    if (!entry.object.Get()) {
      try {
        ClipboardMemory(entry.bytes.data(), entry.bytes.size()).HandTo(entry.format);
      } catch (const Error&) {
        // Out of memory: the other formats still go back.
      }
      continue;
    }
    // The kept copy stays the snapshot's; the clipboard gets one of its own.
    KeptObject copy(entry.format, CopyOfObject(entry.format, entry.object.Get()));
    if (copy.Get() && SetClipboardData(entry.format, copy.Get())) static_cast<void>(copy.Release());
  }
}

std::vector<UINT> ClipboardSnapshot::Formats() const {
  std::vector<UINT> formats;
  for (const Entry& entry : entries_) formats.push_back(entry.format);
  return formats;
}
