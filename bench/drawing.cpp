// In-process cost of drawing, each against the same system work done plainly on the
// same memory DC: DrawMarkup of a caption against DrawTextExA of its text, how
// DrawMarkup's time grows with the caption's length, a 72-wide skinned button's
// BuildSkin against the same face made with BitBlt and ExtFloodFill, and a full paint
// of the dialogs' pinstriped background panel, as it stands and after a resize, against
// BitBlt tiling. Velnor and its floor alternate call by call, so both see the same
// load; one untimed round first.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/support/clock.h"
#include "bench/support/driver.h"
#include "bench/support/rows.h"
#include "components/dialog/back_panel.h"
#include "components/dialog/markup.h"
#include "components/dialog/skin_button.h"
#include "framework/bmp_file.h"
#include "framework/font.h"
#include "framework/gdi.h"
#include "framework/pixel_image_gdi.h"

namespace {

constexpr int kRounds = 300;
// The 100-line caption takes over ten milliseconds a call: fewer rounds keep the run short.
constexpr int kGrowthRounds = 100;
constexpr double kUsPerMs = 1000;
// Tall enough for the longest caption: DrawMarkup stops at the bottom of its rectangle.
constexpr RECT kBounds{0, 0, 480, 1800};

// Calls every subject once per round, in turn; one sample per call, in microseconds.
std::vector<std::vector<double>> Interleaved(const std::vector<std::function<void()>>& subjects,
                                             int rounds = kRounds) {
  std::vector<std::vector<double>> us(subjects.size());
  for (int round = -1; round < rounds; ++round) {
    for (size_t i = 0; i < subjects.size(); ++i) {
      const double start = NowMs();
      subjects[i]();
      GdiFlush();
      if (round >= 0) us[i].push_back((NowMs() - start) * kUsPerMs);
    }
  }
  return us;
}

std::vector<double> PerLine(std::vector<double> us, int lines) {
  for (double& v : us) v /= lines;
  return us;
}

// A caption of as many lines as asked, each with bold, a colour, an entity and an
// anchor, and the text it shows.
struct Caption {
  std::string markup;
  std::string plain;
  int lines;
};

Caption CaptionOf(int lines) {
  Caption c{"", "", lines};
  for (int i = 1; i <= lines; ++i) {
    const std::string n = std::to_string(i), br = i > 1 ? "<BR>" : "", crlf = i > 1 ? "\r\n" : "";
    c.markup += br + "<B>Slot " + n +
                "</B> pastes <FONT COLOR=\"#C00000\">its text</FONT> &amp; <A HREF=\"slot" + n +
                "\">edits it</A>";
    c.plain += crlf + "Slot " + n + " pastes its text & edits it";
  }
  return c;
}

// A label's paint: a canvas made for the call, the caption laid out and drawn.
MarkupResult DrawCaption(HDC dc, const TFont& font, const Caption& caption) {
  MarkupCanvas canvas(dc, MarkupFontFrom(font));
  MarkupResult result;
  DrawMarkup(canvas, caption.markup, kBounds, MarkupOptions{}, result);
  return result;
}

// The floor: the plain text in the same font and colour, wrapped in the same rectangle.
void DrawPlain(HDC dc, const TFont& font, std::string& plain) {
  ScopedSelect select(dc, font.Handle());
  SetTextColor(dc, ColorToRGB(font.Color()));
  SetBkMode(dc, TRANSPARENT);
  RECT rect = kBounds;
  DrawTextExA(dc, plain.data(), static_cast<int>(plain.size()), &rect,
              DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX, nullptr);
}

// A figure that is not what it claims to be is a failure to measure.
void CheckDrawn(HDC dc, const TFont& font, const Caption& caption) {
  const MarkupResult result = DrawCaption(dc, font, caption);
  if (result.AnchorCount != caption.lines || result.ExtentY <= 0 || result.ExtentY >= kBounds.bottom)
    throw std::runtime_error("the " + std::to_string(caption.lines) + "-line caption was not laid out whole");
}

struct OwnedDC {
  HDC dc;
  ~OwnedDC() { DeleteDC(dc); }
};

// The floor of BuildSkin: the strip loaded from the resources, its four 72-wide frames
// copied one under another and the five corner areas flooded with the parent colour.
void SkinFloor(HDC like, const char* strip, COLORREF parent) {
  BitmapHandle bitmap(LoadBitmapA(GetModuleHandleA(nullptr), strip));
  if (!bitmap) throw std::runtime_error(std::string("no bitmap resource ") + strip);
  OwnedDC source{CreateCompatibleDC(like)};
  ScopedSelect selectStrip(source.dc, bitmap.Get());
  MemoryDC face(like, kSkinFrameWidth, kSkinFaceHeight);
  for (int frame = 0; frame < kSkinFrames; ++frame)
    BitBlt(face.Get(), 0, frame * kSkinSlice, kSkinFrameWidth, kSkinSlice, source.dc, frame * kSkinFrameWidth,
           0, SRCCOPY);
  const COLORREF key = GetPixel(face.Get(), 0, 0);
  BrushHandle brush(CreateSolidBrush(parent));
  ScopedSelect selectBrush(face.Get(), brush.Get());
  const int right = kSkinFrameWidth - 1, bottom = kSkinFaceHeight - 1;
  const POINT seeds[] = {
      {0, 0}, {0, 2 * kSkinSlice}, {0, 3 * kSkinSlice}, {right, 3 * kSkinSlice}, {0, bottom}};
  for (const POINT& seed : seeds) ExtFloodFill(face.Get(), seed.x, seed.y, key, FLOODFILLSURFACE);
}

void MarkupRows(const std::string& results, HDC dc, const TFont& font) {
  const Caption three = CaptionOf(3);
  std::string plain = three.plain;
  CheckDrawn(dc, font, three);
  const auto drawn =
      Interleaved({[&] { DrawCaption(dc, font, three); }, [&] { DrawPlain(dc, font, plain); }});
  const auto sample = [](int rounds) {
    return "each line has bold, a #C00000 colour, an entity and an anchor; the default label font on a 480 x "
           "1800 "
           "memory DC, " +
           std::to_string(rounds) + " calls of each after one untimed call.";
  };
  AppendRow(results,
            {"DrawMarkup, three lines", "us", "median", "<= 4x floor|ratio<=4", Samples::Of(drawn[0]),
             Samples::Of(drawn[1]),
             "A canvas made per call, as a paint does; " + sample(kRounds) +
                 " The floor is DrawTextExA of the plain text (DT_WORDBREAK) in the same font and colour."});

  const int lengths[] = {1, 10, 100};
  std::vector<std::function<void()>> subjects;
  std::vector<Caption> captions;
  for (int lines : lengths) captions.push_back(CaptionOf(lines));
  for (const Caption& caption : captions) {
    CheckDrawn(dc, font, caption);
    subjects.push_back([&] { DrawCaption(dc, font, caption); });
  }
  const auto grown = Interleaved(subjects, kGrowthRounds);
  const Samples single = Samples::Of(PerLine(grown[0], 1));
  AppendRow(results,
            {"DrawMarkup per line, 1 line", "us", "median", "", single, Samples::NoFloor(),
             "The same lines, 1, 10 and 100 of them, drawn in turn; " + sample(kGrowthRounds) +
                 " The longer captions' floor column is the 1-line time, so the ratio is the growth."});
  for (size_t i = 1; i < captions.size(); ++i)
    AppendRow(results, {"  " + std::to_string(captions[i].lines) + " lines, per line", "us", "median",
                        "linear: <= 1x 1 line|ratio<=1", Samples::Of(PerLine(grown[i], captions[i].lines)),
                        single, ""});
}

void SkinRow(const std::string& results, HDC dc) {
  TSkinButton button(nullptr);
  button.SetBounds(0, 0, kSkinFrameWidth, kSkinSlice);
  if (button.Face().Width() != kSkinFrameWidth || button.Face().Height() != kSkinFaceHeight)
    throw std::runtime_error("the skinned button composed no face");
  const char* strip = SkinResourceName(button.SkinOptions().Skin());
  const COLORREF parent = ColorToRGB(button.GetParentColor());
  const auto built = Interleaved({[&] { button.BuildSkin(); }, [&] { SkinFloor(dc, strip, parent); }});
  AppendRow(
      results,
      {"BuildSkin, 72-wide button", "us", "median", "", Samples::Of(built[0]), Samples::Of(built[1]),
       "The default skin's strip, no parent window. The floor is the same face made plainly: "
       "LoadBitmapA of the strip, four 72 x 24 BitBlts into a 72 x 96 bitmap compatible with the "
       "memory DC, and ExtFloodFill of the five corner areas with the parent colour (BuildSkin itself reads "
       "the strip once with GetDIBits and composes the face in memory). " +
           std::to_string(kRounds) + " calls of each after one untimed call."});
}

constexpr int kPanelWidth = 318, kPanelHeight = 209;
constexpr char kTile[] = "PINSTRIPE";

// The tile's BMP file as the program carries it, decoded and made a bitmap of the
// surface's kind once, outside the timing.
PixelImage TilePixels() {
  const HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, kTile, RT_RCDATA);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* bytes = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
  std::optional<PixelImage> tile = bytes ? DecodeBmp24({bytes, SizeofResource(module, found)}) : std::nullopt;
  if (!tile) throw std::runtime_error(std::string("no 24-bit BMP resource ") + kTile);
  return std::move(*tile);
}

// The floor: the tile copied across the panel's rectangle, the last column and row cut.
void TileFloor(HDC dc, HDC tile, int tileWidth, int tileHeight) {
  for (int y = 0; y < kPanelHeight; y += tileHeight)
    for (int x = 0; x < kPanelWidth; x += tileWidth)
      BitBlt(dc, x, y, std::min(tileWidth, kPanelWidth - x), std::min(tileHeight, kPanelHeight - y), tile, 0,
             0, SRCCOPY);
}

void PanelRow(const std::string& results, HDC dc) {
  TBackPanel panel(nullptr);
  panel.BeginLoading();
  panel.SetBounds(0, 0, kPanelWidth, kPanelHeight);
  panel.Background().LoadFromResourceName(GetModuleHandleA(nullptr), kTile);
  panel.SetBackgroundPosition(TBackGroundPosition::bpTiled);
  panel.SetBorderColor(clBlack);
  panel.EndLoading();
  const PixelImage pixels = TilePixels();
  if (panel.Background().Width() != pixels.Width() || panel.Background().Height() != pixels.Height())
    throw std::runtime_error("the panel did not take the tile");
  MemoryDC tile(dc, pixels.Width(), pixels.Height());
  DrawPixelRows(tile.Get(), 0, 0, pixels, 0, pixels.Height());
  const auto painted = Interleaved(
      {[&] { panel.PaintTo(dc); }, [&] { TileFloor(dc, tile.Get(), pixels.Width(), pixels.Height()); }});
  const std::string size = std::to_string(pixels.Width()) + " x " + std::to_string(pixels.Height());
  AppendRow(
      results,
      {"Background panel paint, 318 x 209", "us", "median", "", Samples::Of(painted[0]),
       Samples::Of(painted[1]),
       "The dialogs' settings: the " + size +
           " pinstripe tiled, border colour black, buffered, "
           "no text or caption, no window; PaintTo onto the memory DC. The floor is BitBlt of the same tile, "
           "held as a bitmap, across the same rectangle. " +
           std::to_string(kRounds) +
           " calls of each after one untimed call. After every resize: the panel 318 x 209 and "
           "318 x 208 in turn, so nothing kept from the paint before fits."});

  // The panel keeps what it painted until its size or settings change: a paint after
  // every resize shows what making it again costs.
  bool shorter = false;
  const auto resized = Interleaved({[&] {
                                      shorter = !shorter;
                                      panel.SetBounds(0, 0, kPanelWidth, kPanelHeight - (shorter ? 1 : 0));
                                      panel.PaintTo(dc);
                                    },
                                    [&] { TileFloor(dc, tile.Get(), pixels.Width(), pixels.Height()); }});
  AppendRow(results, {"  after every resize", "us", "median", "", Samples::Of(resized[0]),
                      Samples::Of(resized[1]), ""});
}

}  // namespace

int main(int argc, char** argv) {
  return RunDriver(argc, argv, 1, "<results file>", [](const auto& args) {
    WindowDC screen(nullptr);
    MemoryDC surface(screen.Get(), kBounds.right, kBounds.bottom);
    const TFont font;
    MarkupRows(args[0], surface.Get(), font);
    SkinRow(args[0], surface.Get());
    PanelRow(args[0], surface.Get());
    Progress("drawing: done");
  });
}
