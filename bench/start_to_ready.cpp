// Start to ready: from CreateProcess until Ctrl+Shift+Z is taken (the probe's
// RegisterHotKey starts failing) and the notification icon has been added, for
// Velnor with ten configured slots and for the tray floor, in alternating runs.
// Whether Velnor has an icon at all is learnt in its warm-up start; until it has
// one its combined figure is n/a and only the hotkey part is measured.
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/support/clock.h"
#include "bench/support/driver.h"
#include "bench/support/readiness.h"
#include "bench/support/rows.h"

namespace {

constexpr int kRuns = 20;
constexpr int kAttempts = 4;

struct Side {
  std::string name, exe;
  bool hasIcon = true;
  std::vector<double> keys{}, icon{}, ready{};
  int retries = 0, killed = 0;
};

void WaitUntilKeyFree() {
  const double end = NowMs() + 3000;
  while (HotkeyTaken(kQuickSelectKey)) {
    if (NowMs() > end) throw std::runtime_error("Ctrl+Shift+Z stays taken after the previous program ended");
    Sleep(5);
  }
}

// One start; false when the program lost the key to the probe or never got ready.
bool StartOnce(Side& side, double iconTimeoutMs, bool record) {
  WaitUntilKeyFree();
  Sleep(300);  // let explorer finish with the previous program's icon and windows
  TrayWatch tray;
  ReadyTimes times;
  {
    RunningProgram program(side.exe);
    ReadyWait wait{{kQuickSelectKey}, side.hasIcon && tray.Available() ? &tray : nullptr, iconTimeoutMs, 1};
    times = WaitReady(program, wait);
    if (!program.Stop()) ++side.killed;
    if (times.keysMs < 0) return false;
    if (wait.tray && times.trayMs < 0) {
      if (!record) {  // the warm-up start tells whether the program has an icon
        side.hasIcon = false;
        return true;
      }
      return false;
    }
  }
  if (record) {
    side.keys.push_back(times.keysMs);
    if (side.hasIcon) {
      side.icon.push_back(times.trayMs);
      side.ready.push_back(times.ReadyMs());
    }
  }
  return true;
}

void Start(Side& side, double timeoutMs, bool record) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (StartOnce(side, timeoutMs, record)) return;
    ++side.retries;
  }
  throw std::runtime_error(side.name + " did not get ready in " + std::to_string(kAttempts) + " starts");
}

// The figures that include the icon are n/a for a program that has none yet.
Samples WithIcon(const Side& side, const std::vector<double>& values) {
  return side.hasIcon ? Samples::Of(values) : Samples::NotYet();
}

std::string Runs(const Side& side) {
  return std::to_string(side.keys.size()) + " runs, " + std::to_string(side.retries) + " redone, " +
         std::to_string(side.killed) + " killed";
}

}  // namespace

int main(int argc, char** argv) {
  return RunDriver(argc, argv, 3, "<velnor.exe> <tray floor.exe> <results file>", [](const auto& args) {
    StoreBenchSlots();
    if (!TrayWatch().Available())
      throw std::runtime_error("no notification area (Shell_TrayWnd) in this desktop");
    Side velnor{"Velnor", args[0]}, floor{"tray floor", args[1]};
    Start(floor, 5000, false);
    Start(velnor, 3000, false);
    Progress("start to ready: warm-up done, Velnor adds %s notification icon", velnor.hasIcon ? "a" : "no");
    for (int run = 0; run < kRuns; ++run) {
      Side& first = run % 2 ? floor : velnor;
      Side& second = run % 2 ? velnor : floor;
      Start(first, 5000, true);
      Start(second, 5000, true);
    }
    const std::string note = "Velnor: " + Runs(velnor) + "; floor: " + Runs(floor) + ". ";
    AppendRow(args[2],
              {"Start to ready (Ctrl+Shift+Z taken, icon added)", "ms", "median",
               "<= 1.25x floor|ratio<=1.25", WithIcon(velnor, velnor.ready), WithIcon(floor, floor.ready),
               note + "Ready when a probe's RegisterHotKey(Ctrl+Shift+Z) fails with 1409 and Wine's "
                      "explorer has made the window of a new tray icon; polled every 1 ms from "
                      "just before CreateProcess."});
    AppendRow(args[2], {"  of which: Ctrl+Shift+Z taken", "ms", "median", "", Samples::Of(velnor.keys),
                        Samples::Of(floor.keys), ""});
    AppendRow(args[2], {"  of which: tray icon added", "ms", "median", "", WithIcon(velnor, velnor.icon),
                        WithIcon(floor, floor.icon), ""});
    Progress("start to ready: %s", note.c_str());
  });
}
