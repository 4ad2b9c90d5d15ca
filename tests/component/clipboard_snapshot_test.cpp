// A copy of the clipboard's content against the real clipboard: object formats come
// back as objects of their own, a content over the limit is not taken, an empty
// clipboard comes back empty.
#include "framework/clipboard_snapshot.h"

#include <doctest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "clipboard_probe.h"

namespace {
// Opens the clipboard for this thread, with a window of its own, until the end of the scope.
struct OpenClipboardHere {
  OwnerWindow window;
  OpenedClipboard clipboard{window.Handle()};
  bool IsOpen() const { return clipboard.IsOpen(); }
};

std::optional<ClipboardSnapshot> TakeNow(std::size_t limit) {
  OpenClipboardHere clipboard;
  REQUIRE(clipboard.IsOpen());
  return ClipboardSnapshot::Take(limit);
}

void PutBackNow(const ClipboardSnapshot& snapshot) {
  OpenClipboardHere clipboard;
  REQUIRE(clipboard.IsOpen());
  snapshot.PutBack();
}

// Places one object on an emptied clipboard, which then owns it.
void PlaceObject(UINT format, HANDLE object) {
  OpenClipboardHere clipboard;
  REQUIRE(clipboard.IsOpen());
  EmptyClipboard();
  REQUIRE(SetClipboardData(format, object));
}

// What an object on the clipboard holds, as bytes: a bitmap's pixels, a metafile's
// records, a palette's entries.
std::string ObjectContent(UINT format) {
  OpenClipboardHere clipboard;
  REQUIRE(clipboard.IsOpen());
  HANDLE object = GetClipboardData(format);
  if (!object) return "(none)";
  std::string bytes;
  switch (format) {
    case CF_BITMAP: {
      BITMAP info{};
      GetObjectA(object, sizeof info, &info);
      bytes.resize(static_cast<size_t>(info.bmWidthBytes) * static_cast<size_t>(info.bmHeight));
      GetBitmapBits(static_cast<HBITMAP>(object), static_cast<LONG>(bytes.size()), bytes.data());
      break;
    }
    case CF_ENHMETAFILE:
      bytes.resize(GetEnhMetaFileBits(static_cast<HENHMETAFILE>(object), 0, nullptr));
      GetEnhMetaFileBits(static_cast<HENHMETAFILE>(object), static_cast<UINT>(bytes.size()),
                         reinterpret_cast<BYTE*>(bytes.data()));
      break;
    case CF_PALETTE:
      bytes.resize(GetPaletteEntries(static_cast<HPALETTE>(object), 0, 0, nullptr) * sizeof(PALETTEENTRY));
      GetPaletteEntries(static_cast<HPALETTE>(object), 0,
                        static_cast<UINT>(bytes.size() / sizeof(PALETTEENTRY)),
                        reinterpret_cast<PALETTEENTRY*>(bytes.data()));
      break;
  }
  return bytes;
}

HANDLE MakeBitmap() {
  const unsigned char pixels[] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};  // 2 x 2, 16 bits
  return CreateBitmap(2, 2, 1, 16, pixels);
}

HANDLE MakeMetafile() {
  HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  Rectangle(dc, 3, 4, 50, 60);
  MoveToEx(dc, 7, 8, nullptr);
  LineTo(dc, 40, 2);
  return CloseEnhMetaFile(dc);
}

HANDLE MakePalette() {
  struct {
    LOGPALETTE head;
    PALETTEENTRY more[2];
  } palette{{0x300, 3, {{1, 2, 3, 0}}}, {{4, 5, 6, 0}, {7, 8, 9, 0}}};
  return CreatePalette(&palette.head);
}
}  // namespace

TEST_CASE("objects come back as copies of their own, equal to what was there, outliving the snapshot") {
  struct Case {
    std::string name;
    UINT format;
    std::function<HANDLE()> make;
  };
  const Case cases[] = {
      {"a bitmap", CF_BITMAP, MakeBitmap},
      {"an enhanced metafile", CF_ENHMETAFILE, MakeMetafile},
      {"a palette", CF_PALETTE, MakePalette},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    PlaceObject(c.format, c.make());
    const std::string before = ObjectContent(c.format);
    REQUIRE(before != "(none)");
    std::optional<ClipboardSnapshot> kept = TakeNow(1 << 20);
    REQUIRE(kept);
    // Emptying frees the clipboard's objects: only a copy of the snapshot's own lives on.
    REQUIRE(ReplaceClipboard({{CF_TEXT, std::string("other", 6)}}));
    PutBackNow(*kept);
    kept.reset();  // as the program frees it once it went back
    const std::string after = ObjectContent(c.format);
    CHECK_MESSAGE(after == before, after.size() << " bytes back of " << before.size());
    CHECK(ClipboardBlock(CF_TEXT) == std::nullopt);
  }
}

TEST_CASE("the limit: a content larger than it is not taken at all; one within it is taken whole") {
  const std::string big(1 << 20, 'x');
  REQUIRE(ReplaceClipboard({{CF_TEXT, std::string("small", 6)}, {RegisterClipboardFormatA("big one"), big}}));
  CHECK_FALSE(TakeNow(big.size()).has_value());
  std::optional<ClipboardSnapshot> whole = TakeNow(big.size() + 4096);
  REQUIRE(whole);
  CHECK(whole->Bytes() >= big.size() + 6);
}

TEST_CASE("an empty clipboard is kept as empty and comes back empty") {
  REQUIRE(ReplaceClipboard({}));
  std::optional<ClipboardSnapshot> empty = TakeNow(1 << 20);
  REQUIRE(empty);
  CHECK(empty->Formats().empty());
  REQUIRE(ReplaceClipboard({{CF_TEXT, std::string("later", 6)}}));
  PutBackNow(*empty);
  CHECK(ClipboardFormats().empty());
}
