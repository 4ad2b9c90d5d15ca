// The button panel's layout pass fed random panel sizes (zero, one, negative, huge),
// cell sizes, item counts, bevels, captions and styles, both before the panel has a
// window and on a real shown window, followed by random changes that lay it out
// again. The panel and every button must end where the layout rules put them: whole
// cells from the client width, one pixel row below the grid, buttons row by row
// inside it, never of negative size; every pass returns in time.
#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <iterator>
#include <random>
#include <string>

#include "components/buttonpanel/button_panel.h"
#include "framework/application.h"
#include "framework/form.h"
#include "fuzz_run.h"
#include "wait.h"

namespace {
constexpr std::uint32_t kSeed = 4101999;
constexpr int kCases = 1500;
constexpr int kShowEvery = 20;  // a real window for one case in so many
// Laying out some dozens of windowless buttons takes well under a millisecond.
constexpr double kSlowPassMs = 250;

// Panel lengths as a window's layout or a user can give them, and then some.
constexpr int kLengths[] = {0,   1,   2,   -1,  -5000, 19,    20,      21,
                            139, 140, 280, 300, 1023,  30000, 1000000, INT_MAX / 4};
// Cell lengths: the setters take any number; the pass lays out below one as one.
constexpr int kCells[] = {-100, -1,  0,   1,      2,        3,           20,     50,
                          110,  140, 999, 100000, 50000000, INT_MAX / 2, INT_MAX};

struct Grid {
  int width, height;  // the panel after the pass
  int columns, cellWidth, cellHeight, extent;
};

// The layout rules: R is the client rectangle less the bevel's extent; columns are
// the whole cells across R, at most one per item and at least one; rows hold the rest.
// Cells below one pixel count as one, and cells so large that the panel's right or
// bottom edge would pass the largest coordinate are cut to the largest that fit.
Grid ExpectedGrid(int clientWidth, int items, int buttonWidth, int buttonHeight, int extent, int left,
                  int top) {
  Grid grid{};
  grid.extent = extent;
  const std::int64_t cellWidth = std::max(1, buttonWidth), cellHeight = std::max(1, buttonHeight);
  const std::int64_t across = std::int64_t{clientWidth} - 2 * std::int64_t{extent};
  grid.columns =
      static_cast<int>(std::max<std::int64_t>(1, std::min<std::int64_t>(across / cellWidth, items)));
  const int rows = items > grid.columns ? (items + grid.columns - 1) / grid.columns : 1;
  auto fit = [](std::int64_t cell, int count, int origin, std::int64_t frame) {
    const std::int64_t largest = (INT_MAX - std::int64_t{std::max(0, origin)} - frame) / count;
    return static_cast<int>(std::max<std::int64_t>(1, std::min(cell, largest)));
  };
  grid.cellWidth = fit(cellWidth, grid.columns, left, 2 * std::int64_t{extent});
  grid.cellHeight = fit(cellHeight, rows, top, 2 * std::int64_t{extent} + 1);
  grid.width = grid.cellWidth * grid.columns + 2 * extent;
  grid.height = grid.cellHeight * rows + 2 * extent + 1;
  return grid;
}

class PanelMaker {
 public:
  explicit PanelMaker(std::uint32_t seed) : random_(seed) {}
  std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }
  int Length() {
    return Below(3) == 0 ? static_cast<int>(Below(600)) - 50 : kLengths[Below(std::size(kLengths))];
  }
  int Cell() { return Below(2) == 0 ? static_cast<int>(Below(200)) + 1 : kCells[Below(std::size(kCells))]; }
  int Items() {
    constexpr int kCounts[] = {0, 1, 2, 3, 9, 10, 11};
    return Below(3) == 0 ? static_cast<int>(Below(61)) : kCounts[Below(std::size(kCounts))];
  }
  std::string Caption() {
    std::string caption(Below(40), '\0');
    for (char& c : caption) c = static_cast<char>(Below(4) == 0 ? Below(256) : 'a' + Below(26));
    if (Below(3) == 0) caption += "\r\n(CTRL+ALT+K)";
    if (Below(5) == 0) caption += static_cast<char>(0x81 + Below(0x1F));  // a lone lead byte last
    return caption;
  }
  TBevelSettings Bevel() {
    TBevelSettings bevel;
    if (Below(2) == 0) return bevel;  // the program's: no frame, extent 0
    bevel.Mode = static_cast<TBevelMode>(Below(4));
    bevel.StyleInner = static_cast<TBevelStyle>(Below(7));
    bevel.StyleOuter = static_cast<TBevelStyle>(Below(7));
    bevel.WidthInner = static_cast<int>(Below(6));
    bevel.WidthOuter = static_cast<int>(Below(6));
    bevel.BorderWidth = static_cast<int>(Below(12));
    bevel.BorderInnerWidth = static_cast<int>(Below(4));
    bevel.StandardStyle = static_cast<TLineStyle>(Below(7));
    return bevel;
  }

 private:
  std::mt19937 random_;
};

struct PanelCase {
  TForm form{nullptr};
  TButtonPanel panel{&form};

  PanelCase() {
    form.SetBorderStyle(TFormBorderStyle::bsSingle);
    form.SetClientSize(400, 300);
  }

  int Extent() {
    const TBevel& bevel = panel.Bevel();
    return bevel.Mode() == TBevelMode::bmWindows ? 0 : bevel.GetBevelExtend();
  }
  // The client width the pass starts from: the window's once there is one.
  int ClientWidth() {
    if (!panel.HandleAllocated()) return panel.Width();
    RECT client;
    GetClientRect(panel.Handle(), &client);
    return client.right;
  }
};

// Checks the panel and its buttons against grid; false (with the reasons reported)
// when anything is off.
bool MatchesGrid(TButtonPanel& panel, const Grid& grid, int left, int top) {
  bool ok = panel.Left() == left && panel.Top() == top && panel.Width() == grid.width &&
            panel.Height() == grid.height;
  for (int i = 0; i < panel.Buttons().Count(); ++i) {
    const TFlatButton& b = panel.Buttons().GetItem(i).Button();
    const int x = grid.extent + (i % grid.columns) * grid.cellWidth;
    const int y = grid.extent + (i / grid.columns) * grid.cellHeight;
    // Inside the grid, which is inside the panel less its frame and its extra row.
    const bool inside = b.Left() >= grid.extent && b.Top() >= grid.extent &&
                        b.Left() + b.Width() <= grid.width - grid.extent &&
                        b.Top() + b.Height() <= grid.height - grid.extent - 1;
    const bool placed =
        b.Left() == x && b.Top() == y && b.Width() == grid.cellWidth && b.Height() == grid.cellHeight;
    if (!(inside && b.Width() > 0 && b.Height() > 0 && placed)) {
      CAPTURE(i);
      CAPTURE(b.Left());
      CAPTURE(b.Top());
      CAPTURE(b.Width());
      CAPTURE(b.Height());
      CAPTURE(x);
      CAPTURE(y);
      CHECK(inside);
      CHECK(b.Width() > 0);
      CHECK(b.Height() > 0);
      CHECK(placed);
      return false;
    }
  }
  if (!ok) {
    CAPTURE(panel.Left());
    CAPTURE(panel.Top());
    CAPTURE(panel.Width());
    CAPTURE(panel.Height());
    CAPTURE(grid.width);
    CAPTURE(grid.height);
    CHECK(ok);
  }
  return ok;
}
}  // namespace

TEST_CASE("random panel and cell sizes, counts, bevels and captions: the grid is where the rules put it") {
  Application::Instance().Initialize();
  FuzzRun fuzz("button_panel", kSeed, kCases, kSlowPassMs);
  PanelMaker maker(fuzz.Seed());
  for (int run = 0; run < fuzz.Cases(); ++run) {
    CAPTURE(run);
    PanelCase c;
    TButtonPanel& panel = c.panel;
    const int left = static_cast<int>(maker.Below(40)), top = static_cast<int>(maker.Below(40));
    const int width = maker.Length(), height = maker.Length();
    const int items = maker.Items();
    const int cellWidth = maker.Below(4) == 0 ? 20 : maker.Cell();
    const int cellHeight = maker.Below(4) == 0 ? 20 : maker.Cell();
    CAPTURE(width);
    CAPTURE(height);
    CAPTURE(items);
    CAPTURE(cellWidth);
    CAPTURE(cellHeight);

    // Set up as a window's layout function does, while the form loads.
    c.form.BeginLoading();
    panel.SetParent(&c.form);
    panel.SetBounds(left, top, width, height);
    for (int i = 0; i < items; ++i) {
      TPanelButton& item = panel.Buttons().Add();
      item.SetCtlXP(maker.Below(2) == 0);
      item.SetString(static_cast<int>(maker.Below(3)), maker.Caption());
    }
    panel.SetButtonHeight(cellHeight);
    panel.SetButtonWidth(cellWidth);
    panel.SetButtonStyle(static_cast<TUserButtonStyle>(maker.Below(14)));
    panel.SetButtonParentCtlXP(maker.Below(2) == 0);
    // A real window for some. Not with the system's client edge: that frame lies outside
    // the client area the pass measures, so each size notice takes a column away.
    const bool showing = run % kShowEvery == 0;
    TBevelSettings bevel = maker.Bevel();
    if (showing && bevel.Mode == TBevelMode::bmWindows) bevel.Mode = TBevelMode::bmCustom;
    panel.Bevel().SetSettings(bevel);
    panel.SetTransparent(maker.Below(2) == 0);
    if (maker.Below(2)) panel.OnButtonClick = [](Component*, Component*, int) {};
    const int extent = c.Extent();
    CAPTURE(extent);
    double ms = fuzz.Time([&] { c.form.EndLoading(); });
    Grid grid = ExpectedGrid(width, items, cellWidth, cellHeight, extent, left, top);
    if (!MatchesGrid(panel, grid, left, top) || fuzz.TooSlow(ms)) {
      CHECK(ms <= kSlowPassMs);
      break;
    }

    // Created at those bounds, the window's size notice lays the panel out again.
    const bool shown = showing && grid.width < 30000 && grid.height < 30000;
    if (shown) {
      c.form.Show();
      REQUIRE_MESSAGE(PumpUntil([&] { return panel.HandleAllocated() && IsWindowVisible(panel.Handle()); }),
                      "the panel's window did not show");
      PumpFor(20);
      RECT client;
      GetClientRect(panel.Handle(), &client);
      CHECK(client.right == grid.width);
      CHECK(client.bottom == grid.height);
      if (!MatchesGrid(panel, grid, left, top)) break;
    }

    // Random changes, each of which lays the panel out again from the client width it
    // finds. A real window is kept below the window system's largest size (32767).
    bool ok = true;
    for (std::size_t change = maker.Below(5); change > 0 && ok; --change) {
      const std::size_t what = maker.Below(5);
      const int number =
          what == 4   ? maker.Length()
          : what == 3 ? static_cast<int>(maker.Below(static_cast<std::size_t>(panel.Buttons().Count()) + 1))
                      : maker.Cell();
      const int count = panel.Buttons().Count() + (what == 2 || what == 3 ? 1 : 0);
      const int clientWidth = what == 4 ? (shown ? std::max(0, number) : number) : c.ClientWidth();
      const Grid next = ExpectedGrid(clientWidth, count, what == 0 ? number : panel.ButtonWidth(),
                                     what == 1 ? number : panel.ButtonHeight(), extent, left, top);
      if (shown && (next.width >= 30000 || next.height >= 30000)) continue;
      CAPTURE(what);
      CAPTURE(number);
      CAPTURE(clientWidth);
      ms = fuzz.Time([&] {
        switch (what) {
          case 0:
            panel.SetButtonWidth(number);
            break;
          case 1:
            panel.SetButtonHeight(number);
            break;
          case 2:
            panel.AddButton();
            break;
          case 3:
            panel.InsertButton(number);
            break;
          default:
            panel.SetBounds(left, top, number, panel.Height());
            break;
        }
      });
      grid = next;
      ok = MatchesGrid(panel, grid, left, top) && !fuzz.TooSlow(ms);
      CHECK(ms <= kSlowPassMs);
    }
    if (!ok) break;
    // A pass over a laid-out panel keeps everything where it is.
    ms = fuzz.Time([&] { panel.SetBorders(); });
    if (!MatchesGrid(panel, grid, left, top) || fuzz.TooSlow(ms)) {
      CHECK(ms <= kSlowPassMs);
      break;
    }
  }
  MESSAGE("slowest pass: " << fuzz.SlowestMs() << " ms");
}
