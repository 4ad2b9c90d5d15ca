// Dialog cycles: whether opening and closing the program's dialogs leaves anything
// behind. The slot editor is opened 200 times from the first slot button of the
// shown main window and closed with OK on the slot's unchanged, valid data (nothing
// changes, no message is shown); the About box is opened 200 times from the button
// panel's right-click menu and closed with its OK button. After the first and after the last cycle of
// each: the working set, the GDI and USER objects GetGuiResources reports for the
// program's process, and the windows the process has. The growth from the first
// cycle's reading to the last one's should be none.
#include <windows.h>
// psapi.h needs the types windows.h declares first.
#include <psapi.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "bench/support/dialog_actions.h"
#include "bench/support/dialogs.h"
#include "bench/support/driver.h"
#include "bench/support/readiness.h"
#include "bench/support/rows.h"
#include "bench/support/target.h"

namespace {

constexpr int kCycles = 200;

struct Reading {
  double workingSetKb = 0, gdiObjects = 0, userObjects = 0, windows = 0;
};

struct Cycles {
  Reading first, last;
  int closedByMessage = 0;
};

Reading Read(const RunningProgram& program) {
  PumpFor(500);  // the program done with the last close
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(program.Process(), &counters, sizeof counters))
    throw std::runtime_error("GetProcessMemoryInfo failed: " + std::to_string(GetLastError()));
  return {static_cast<double>(counters.WorkingSetSize) / 1024.0,
          static_cast<double>(GetGuiResources(program.Process(), GR_GDIOBJECTS)),
          static_cast<double>(GetGuiResources(program.Process(), GR_USEROBJECTS)),
          static_cast<double>(WindowsOf(program.Id()))};
}

// A cycle whose button did not close its window is counted.
void Count(bool closedByButton, Cycles& cycles) {
  if (!closedByButton) ++cycles.closedByMessage;
}

Cycles Run(const RunningProgram& program, const std::function<void(Cycles&)>& cycle) {
  Cycles cycles;
  cycle(cycles);
  cycles.first = Read(program);
  for (int i = 1; i < kCycles; ++i) cycle(cycles);
  cycles.last = Read(program);
  return cycles;
}

void AppendGrowth(const std::string& out, const std::string& what, const Cycles& cycles,
                  const std::string& note) {
  struct Field {
    const char* name;
    const char* unit;
    double Reading::*field;
    const char* target;
  };
  const Field fields[] = {{"working set", "KB", &Reading::workingSetKb, "<= 64 KB|velnor<=64"},
                          {"GDI objects", "count", &Reading::gdiObjects, "no growth|velnor<=0"},
                          {"USER objects", "count", &Reading::userObjects, "no growth|velnor<=0"},
                          {"windows", "count", &Reading::windows, "no growth|velnor<=0"}};
  bool first = true;
  for (const Field& f : fields) {
    // A process with windows has USER objects: none reported means no figures at all.
    const bool reported =
        (f.field != &Reading::gdiObjects && f.field != &Reading::userObjects) || cycles.first.userObjects > 0;
    AppendRow(out, {(first ? "" : "  ") + std::string("Growth over ") + what + " cycles 1-200: " + f.name,
                    f.unit, "value", f.target,
                    reported ? Samples::One(cycles.last.*f.field - cycles.first.*f.field) : Samples::NotYet(),
                    Samples::NoFloor(), first ? note : "", false});
    first = false;
  }
}

std::string Describe(const Reading& r) {
  return std::to_string(static_cast<long>(r.workingSetKb)) + " KB, " +
         std::to_string(static_cast<long>(r.gdiObjects)) + " GDI, " +
         std::to_string(static_cast<long>(r.userObjects)) + " USER objects, " +
         std::to_string(static_cast<long>(r.windows)) + " windows";
}

}  // namespace

int main(int argc, char** argv) {
  return RunDriver(argc, argv, 2, "<velnor.exe> <results file>", [](const auto& args) {
    StoreBenchSlots();
    auto program = StartSettled(args[0], "", {kQuickSelectKey});
    DoubleClickAt(TrayWatch().IconPosition());
    HWND main = nullptr;
    if (!PumpUntil([&] { return (main = ShownWindowOf(program->Id(), "Velnor Preferences")) != nullptr; },
                   5000))
      throw std::runtime_error("Velnor's main window did not show on a double click on its icon");
    const POINT slotButton = ClientToScreenAt(main, {70, 25});  // the first of the ten 140 x 50 buttons
    const Cycles editor =
        Run(*program, [&](Cycles& cycles) { Count(EditorCycle(*program, slotButton), cycles); });
    const Cycles about =
        Run(*program, [&](Cycles& cycles) { Count(AboutCycle(*program, slotButton), cycles); });
    program->Stop();
    const std::string common =
        " After the first cycle and after the 200th, 500 ms later: the working set from "
        "GetProcessMemoryInfo on the program's process (under Wine the Unix process's VmRSS), GDI and USER "
        "objects from GetGuiResources on it, and the windows, top-level and child, EnumWindows and "
        "EnumChildWindows find of the process. Each opening waited for the window to be shown with nothing "
        "left to paint. Where GetGuiResources gives 0 USER objects for a process with windows (Wine: a stub, "
        "0 for every process, its own included) the GDI and USER rows are n/a; the GDI objects are then "
        "counted in-process, from the handle table, by tests/component/dialog_resources_test.cpp over 20 "
        "cycles of each dialog.";
    AppendGrowth(
        args[1], "slot editor", editor,
        "The first slot button of the shown main window clicked (SendInput), the editor closed with OK "
        "on the slot's unchanged, valid data, so no message and no change; closed by WM_CLOSE after "
        "the OK click failed: " +
            std::to_string(editor.closedByMessage) + ". After cycle 1: " + Describe(editor.first) +
            "; after cycle 200: " + Describe(editor.last) + "." + common);
    AppendGrowth(
        args[1], "About box", about,
        "About(&A) chosen in the button panel's right-click menu (SendInput right click on the first slot "
        "button, then the A key), the box closed with its OK "
        "button; closed by WM_CLOSE after the OK click failed: " +
            std::to_string(about.closedByMessage) + ". After cycle 1: " + Describe(about.first) +
            "; after cycle 200: " + Describe(about.last) + ".");
    Progress("dialog cycles: editor %s -> %s; About %s -> %s", Describe(editor.first).c_str(),
             Describe(editor.last).c_str(), Describe(about.first).c_str(), Describe(about.last).c_str());
  });
}
