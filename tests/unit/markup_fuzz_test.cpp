// A long run of random and mutated markup through every kind of DrawMarkup call:
// each call must return, within a bound far above any real caption's time, and
// leave the canvas as it found it. The seed is fixed, so a failure comes back; a
// longer run sets VELNOR_FUZZ_SEED and VELNOR_FUZZ_CASES.
#include <doctest.h>
#include <windows.h>

#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

#include "framework/gdi.h"
#include "fuzz_run.h"
#include "markup_samples.h"
#include "markup_surface.h"

namespace {
constexpr std::uint32_t kSeed = 20261210;
constexpr int kRuns = 100000;
// A caption of a few hundred bytes takes well under a millisecond; a call that
// takes this long has gone quadratic or worse, whatever else the machine runs.
constexpr double kSlowCallMs = 250;

// Bytes a caption may hold beyond its tags: lead bytes of code page 932 that may
// stand alone at the end or before a byte that cannot follow them, and others.
constexpr unsigned char kOddBytes[] = {0x81, 0x82, 0x83, 0x9F, 0xE0, 0xEF, 0xFC, 0x5C, 0x7F, 0x80, 0xA0,
                                       0xFF, 0x00, '\t', '\r', '\n', '&',  ';',  '<',  '>',  '"'};

class MarkupMaker {
 public:
  explicit MarkupMaker(std::uint32_t seed) : random_(seed) {}

  std::string Next() { return Below(3) == 0 ? Random() : Mutated(); }

 private:
  std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

  std::string_view Piece() {
    const auto pieces = MarkupPieces();
    return pieces[Below(pieces.size())];
  }

  std::string Random() {
    std::string markup;
    for (std::size_t n = Below(60); n > 0; --n) {
      if (Below(8) == 0)
        markup += static_cast<char>(kOddBytes[Below(std::size(kOddBytes))]);
      else
        markup += Piece();
    }
    return markup;
  }

  std::string Real() {
    const auto samples = SampleMarkups();
    const auto malformed = MalformedMarkups();
    const std::size_t at = Below(samples.size() + malformed.size());
    return at < samples.size() ? std::string(samples[at])
                               : std::string(malformed[at - samples.size()].markup);
  }

  std::string Mutated() {
    std::string markup = Real();
    for (std::size_t n = Below(6) + 1; n > 0; --n) {
      const std::size_t at = Below(markup.size() + 1);
      switch (Below(7)) {
        case 0:  // delete a run of bytes
          if (at < markup.size()) markup.erase(at, Below(8) + 1);
          break;
        case 1:  // insert an odd byte or any byte at all
          markup.insert(at, 1,
                        static_cast<char>(Below(2) ? kOddBytes[Below(std::size(kOddBytes))] : Below(256)));
          break;
        case 2:  // duplicate a stretch in place
          if (at < markup.size()) markup.insert(at, markup.substr(at, Below(markup.size() - at) + 1));
          break;
        case 3:  // swap two bytes
          if (markup.size() > 1) std::swap(markup[Below(markup.size())], markup[Below(markup.size())]);
          break;
        case 4:  // a tag fragment
          markup.insert(at, Piece());
          break;
        case 5:  // cut short
          markup.resize(at);
          break;
        default:  // a piece of another real caption
          markup.insert(at, Real().substr(0, Below(40)));
          break;
      }
    }
    return markup;
  }

  std::mt19937 random_;
};

HBITMAP RedBitmap(int width, int height) {
  BITMAPINFO info = Dib32Info(width, -height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* pixels = static_cast<DWORD*>(bits);
  for (int i = 0; i < width * height; ++i) pixels[i] = 0xFF0000;
  return bitmap;
}

// Small, empty, inverted and partly outside: rectangles real controls can be given.
constexpr RECT kRects[] = {{0, 0, 120, 60},  {0, 0, 60, 20}, {0, 0, 0, 60},     {10, 10, 10, 10},
                           {50, 40, 20, 10}, {0, 0, 1, 1},   {-30, -5, 40, 30}, {0, 0, 6, 200}};
}  // namespace

TEST_CASE("100,000 random and mutated captions: every call returns in time and restores the canvas") {
  TMarkupPictureContainer pictures;
  pictures.AddPicture("red").AddFrame(RedBitmap(12, 9));
  MarkupSurface surface(120, 60);
  FuzzRun fuzz("markup", kSeed, kRuns, kSlowCallMs);
  MarkupMaker maker(fuzz.Seed());
  std::mt19937 random(fuzz.Seed() ^ 0x5EED0001u);  // the options vary apart from the captions
  auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };

  double slowest = 0;
  std::string slowestMarkup;
  for (int run = 0; run < fuzz.Cases(); ++run) {
    const std::string markup = maker.Next();
    MarkupOptions options;
    options.WrapWords = below(3) != 0;
    options.FocusIndex = below(4) - 1;
    options.HoverIndex = below(4) - 1;
    options.UnderlineHoverOnly = below(2) == 0;
    options.KeepColors = below(4) == 0;
    options.HoverColor = below(2) ? clNone : TColor{0x00FFFF};
    options.Revision = below(4) == 0 ? MarkupRevision::mrPanel : MarkupRevision::mrControl;
    options.PictureContainer = &pictures;
    options.HitX = below(130) - 5;
    options.HitY = below(70) - 5;
    const int kind = below(3);
    options.MeasureOnly = kind == 1;
    options.HitTestOnly = kind == 2;
    const RECT& bounds = kRects[below(static_cast<int>(std::size(kRects)))];

    MarkupResult result;
    const double ms = fuzz.Time([&] { DrawMarkup(surface.Canvas(), markup, bounds, options, result); });
    if (ms > slowest) {
      slowest = ms;
      slowestMarkup = markup;
    }
    if (fuzz.TooSlow(ms) || result.PlainText.size() > markup.size() ||
        !(surface.Canvas().Font() == TestMarkupFont()) || surface.Canvas().BrushColor != clNone) {
      CAPTURE(run);
      CAPTURE(CLiteral(markup));
      CAPTURE(ms);
      CHECK(ms <= kSlowCallMs);
      CHECK(result.PlainText.size() <= markup.size());
      CHECK(surface.Canvas().Font() == TestMarkupFont());
      CHECK(surface.Canvas().BrushColor == clNone);
      break;
    }
  }
  MESSAGE("slowest call: " << slowest << " ms, for " << CLiteral(slowestMarkup));
}
