// Click to editor painted: from a real click (SendInput) on the first slot button of
// Velnor's shown main window until the slot editor stands painted, against the editor
// floor, whose button opens a modal dialog of plain controls of the same kinds and
// count. Openings alternate between the two programs, so both see the same load;
// each is closed with its Cancel button (WM_CLOSE when the click did not close it).
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/support/clock.h"
#include "bench/support/dialogs.h"
#include "bench/support/driver.h"
#include "bench/support/readiness.h"
#include "bench/support/rows.h"
#include "bench/support/target.h"

namespace {

constexpr int kOpenings = 30;
// Both editors' Cancel button, in their client areas: what is looked at for paint.
constexpr RECT kCancelButton{168, 176, 240, 200};
constexpr POINT kCancelMiddle{204, 188};

struct Side {
  std::string name;
  std::unique_ptr<RunningProgram> program;
  const char* editorTitle;
  POINT button{};  // on screen
  std::vector<COLORREF> painted{};
  std::vector<double> times{};
  int closedByMessage = 0;
};

HWND WaitShown(const Side& side, const char* title, double timeoutMs) {
  HWND window = nullptr;
  PumpUntil([&] { return (window = ShownWindowOf(side.program->Id(), title)) != nullptr; }, timeoutMs);
  return window;
}

// One opening; the time from just before the click until painted.
double Open(Side& side) {
  MovePointerTo(side.button);
  const double start = NowMs();
  PressAt(side.button);
  HWND editor = nullptr;
  auto painted = [&] {
    if (!editor) editor = ShownWindowOf(side.program->Id(), side.editorTitle);
    return editor && Painted(editor, kCancelButton, side.painted);
  };
  const bool done = PumpUntil(painted, 5000);
  const double elapsed = NowMs() - start;
  if (!editor) throw std::runtime_error(side.name + ": the click opened no editor");
  if (!done) throw std::runtime_error(side.name + ": the editor was not painted within 5 s");
  if (!CloseByClick(editor, kCancelMiddle)) ++side.closedByMessage;
  PumpFor(100);  // the owner enabled and repainted again
  return elapsed;
}

// The first opening learns what the finished Cancel button looks like.
void WarmUp(Side& side) {
  ClickAt(side.button);
  HWND editor = WaitShown(side, side.editorTitle, 5000);
  if (!editor) throw std::runtime_error(side.name + ": the click opened no editor");
  side.painted = SettledPixels(editor, kCancelButton);
  if (!CloseByClick(editor, kCancelMiddle)) ++side.closedByMessage;
  PumpFor(300);
}

}  // namespace

int main(int argc, char** argv) {
  return RunDriver(argc, argv, 3, "<velnor.exe> <editor floor.exe> <results file>", [](const auto& args) {
    StoreBenchSlots();
    Side velnor{"Velnor", StartSettled(args[0], "", {kQuickSelectKey}), "HotKey Preferences"};
    DoubleClickAt(TrayWatch().IconPosition());
    HWND main = WaitShown(velnor, "Velnor Preferences", 5000);
    if (!main) throw std::runtime_error("Velnor's main window did not show on a double click on its icon");
    velnor.button = ClientToScreenAt(main, {70, 25});  // the first of the ten 140 x 50 buttons
    Side floor{"editor floor", StartSettled(args[1], "", {}), "Editor floor"};
    HWND floorMain = WaitShown(floor, "Editor floor main", 5000);
    if (!floorMain) throw std::runtime_error("the editor floor's window did not show");
    floor.button = ClientToScreenAt(floorMain, {70, 25});
    WarmUp(velnor);
    WarmUp(floor);
    for (int i = 0; i < kOpenings; ++i) {
      Side& first = i % 2 ? floor : velnor;
      Side& second = i % 2 ? velnor : floor;
      first.times.push_back(Open(first));
      second.times.push_back(Open(second));
    }
    const std::string note =
        std::to_string(kOpenings) +
        " openings each after one warm-up, alternating Velnor and floor. Painted: " +
        "the editor window is visible, GetUpdateRect reports nothing left to paint for it and every window "
        "in "
        "it, and the screen's pixels of its Cancel button (client 168,176 72 x 24) are those of the finished "
        "button, taken once from the warm-up opening left to settle; polled every 1 ms from just before the "
        "SendInput press and release on the first slot button, the pointer moved there 50 ms before. The "
        "floor (bench/editor_floor.cpp) opens a modal window of "
        "a panel, 7 labels, 3 edit boxes, 3 check boxes and 3 push buttons in the editor's places. Closed by "
        "WM_CLOSE after the Cancel click failed: Velnor " +
        std::to_string(velnor.closedByMessage) + ", floor " + std::to_string(floor.closedByMessage) + ".";
    AppendRow(args[2], {"Click to editor painted", "ms", "median", "", Samples::Of(velnor.times),
                        Samples::Of(floor.times), note});
    velnor.program->Stop();
    floor.program->Stop();
    Progress("click to editor: %s", note.c_str());
  });
}
