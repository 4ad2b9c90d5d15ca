// Hotkey to paste: from the SendInput of slot 1's hotkey to the pasted text's
// arrival in this process's edit control, both read on this process's performance
// counter, minus the paste's own 100 ms wait; 200 presses after 5 warm-up presses,
// Velnor against the paste floor.
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/support/driver.h"
#include "bench/support/paste_session.h"
#include "bench/support/readiness.h"
#include "bench/support/rows.h"

namespace {

constexpr int kWarmUp = 5;
constexpr int kPresses = 200;
constexpr double kPasteWait = 100;

struct Result {
  std::vector<double> beyond;
  int missed = 0;
};

Result Measure(const std::string& exe, const std::string& arguments, TargetWindow& target) {
  auto program = StartSettled(exe, arguments, {SlotKey(0)});
  target.Focus();
  PasteSession session(target, SlotText(0));
  if (session.Press(kWarmUp).empty()) throw std::runtime_error("no paste from " + exe + " arrived");
  Result result;
  for (double delay : session.Press(kPresses)) result.beyond.push_back(delay - kPasteWait);
  result.missed = session.Missed();
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  return RunDriver(argc, argv, 3, "<velnor.exe> <paste floor.exe> <results file>", [](const auto& args) {
    StoreBenchSlots();
    TargetWindow target;
    const Result velnor = Measure(args[0], "", target);
    const Result floor = Measure(args[1], SlotText(0), target);
    const std::string note =
        "SendInput of CTRL+ALT+1 until the edit control's EN_CHANGE with the whole text, "
        "minus 100 ms; " +
        std::to_string(kPresses) + " presses after " + std::to_string(kWarmUp) +
        " warm-up presses; missed: Velnor " + std::to_string(velnor.missed) + ", floor " +
        std::to_string(floor.missed) + ".";
    const std::string target10 = "<= 1.1x floor|ratio<=1.1";
    AppendRow(args[2], {"Hotkey to paste beyond 100 ms, median", "ms", "median", target10,
                        Samples::Of(velnor.beyond), Samples::Of(floor.beyond), note});
    AppendRow(args[2], {"Hotkey to paste beyond 100 ms, p99", "ms", "p99", target10,
                        Samples::Of(velnor.beyond), Samples::Of(floor.beyond), ""});
    Progress("hotkey to paste: %s", note.c_str());
  });
}
