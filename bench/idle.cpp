// Idle cost: CPU time and wake-ups (voluntary context switches) of the program's
// Unix process over 10 s of idle, with its main window hidden (after start: only the
// icon) and shown (after a double click on its icon, until the program has one:
// n/a); Velnor against the tray floor, which has no window to show.
#include <windows.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "bench/support/clock.h"
#include "bench/support/driver.h"
#include "bench/support/readiness.h"
#include "bench/support/rows.h"
#include "bench/support/target.h"
#include "bench/support/unix_process.h"

namespace {

constexpr DWORD kIdleMs = 10000;
constexpr DWORD kSettleMs = 2000;
constexpr char kMainWindowTitle[] = "Velnor Preferences";

struct IdleCost {
  double cpuMs = 0, wakeups = 0, preemptions = 0;
};

struct Result {
  IdleCost hidden;
  std::optional<IdleCost> shown;
  int threads = 0;
};

IdleCost MeasureIdle(int unixPid) {
  const UnixCost before = ReadUnixCost(unixPid);
  Sleep(kIdleMs);
  const UnixCost after = ReadUnixCost(unixPid);
  return {after.cpuMs - before.cpuMs, double(after.voluntarySwitches - before.voluntarySwitches),
          double(after.involuntarySwitches - before.involuntarySwitches)};
}

bool MainWindowShown(DWORD processId, double timeoutMs) {
  const double end = NowMs() + timeoutMs;
  do {
    HWND window = FindWindowA(nullptr, kMainWindowTitle);
    DWORD owner = 0;
    if (window) GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window)) return true;
    PumpFor(10);
  } while (NowMs() < end);
  return false;
}

Result Measure(const std::string& exe, bool hasWindow) {
  TrayWatch tray;
  auto program = StartSettled(exe, "", {kQuickSelectKey});
  const int unixPid = FindUnixPid(program->Token());
  if (unixPid < 0) throw std::runtime_error("no Unix process carries " + program->Token());
  Sleep(kSettleMs);
  const bool hasIcon = tray.NewIconAdded();
  Result result;
  result.threads = ReadUnixCost(unixPid).threads;
  result.hidden = MeasureIdle(unixPid);
  if (hasWindow && hasIcon) {
    DoubleClickAt(tray.IconPosition());
    if (MainWindowShown(program->Id(), 3000)) {
      Sleep(kSettleMs);
      result.shown = MeasureIdle(unixPid);
    }
  }
  return result;
}

Samples Of(const std::optional<IdleCost>& cost, double IdleCost::*field) {
  return cost ? Samples::One((*cost).*field) : Samples::NotYet();
}

std::string Describe(const char* name, const Result& r) {
  std::string text = std::string(name) + ": " + std::to_string(r.threads) + " threads, preempted " +
                     std::to_string(int(r.hidden.preemptions)) + " times hidden";
  if (r.shown) text += ", " + std::to_string(int(r.shown->preemptions)) + " shown";
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  return RunDriver(argc, argv, 3, "<velnor.exe> <tray floor.exe> <results file>", [](const auto& args) {
    StoreBenchSlots();
    const Result velnor = Measure(args[0], true);
    const Result floor = Measure(args[1], false);
    const std::string& out = args[2];
    const std::string cpuTarget = "< 5 ms|velnor<5",
                      wakeTarget = "< 2, no wake-up period of 5 s or less|velnor<2";
    const std::string note =
        "Sums over all threads of the program's Unix process (Wine's own included): CPU from "
        "/proc/<pid>/task/*/schedstat, wake-ups = voluntary_ctxt_switches from /proc/<pid>/task/*/status "
        "(Wine's "
        "NtQuerySystemInformation and GetProcessTimes give no usable figures for another process). Work "
        "wineserver does for the program is not counted. " +
        Describe("Velnor", velnor) + "; " + Describe("floor", floor) + ".";
    AppendRow(out, {"Idle CPU in 10 s, window hidden", "ms", "value", cpuTarget,
                    Samples::One(velnor.hidden.cpuMs), Samples::One(floor.hidden.cpuMs), note});
    AppendRow(out, {"Idle wake-ups in 10 s, window hidden", "count", "value", wakeTarget,
                    Samples::One(velnor.hidden.wakeups), Samples::One(floor.hidden.wakeups), "", false});
    AppendRow(out, {"Idle CPU in 10 s, window shown", "ms", "value", cpuTarget,
                    Of(velnor.shown, &IdleCost::cpuMs), Samples::NoFloor(), ""});
    AppendRow(out, {"Idle wake-ups in 10 s, window shown", "count", "value", wakeTarget,
                    Of(velnor.shown, &IdleCost::wakeups), Samples::NoFloor(), "", false});
    Progress("idle: %s", note.c_str());
  });
}
