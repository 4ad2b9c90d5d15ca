// Soak: the real velnor.exe used for a given number of minutes the ways that make
// snippet tools paste the wrong text, nothing, or leave a key down, with every result
// checked. Bursts of presses alternating two slots at 10, 50 and 200 ms into a target
// edit control; presses while another program holds the clipboard; the taskbar
// re-created; the slot editor, the About box and the quick-select popup opened and
// closed; at the end a press just before the program is closed. Prints one line per
// figure, "soak <what>: <value>", for bench/soak's table.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/support/clock.h"
#include "bench/support/dialog_actions.h"
#include "bench/support/dialogs.h"
#include "bench/support/driver.h"
#include "bench/support/hotkeys.h"
#include "bench/support/paste_score.h"
#include "bench/support/posted_hotkeys.h"
#include "bench/support/readiness.h"
#include "bench/support/target.h"
#include "bench/support/unix_process.h"

namespace {
const std::string kMarker = "velnor bench ";  // every slot text starts so (hotkeys.h)

struct Tally {
  long presses = 0, right = 0, wrong = 0, lost = 0;
  void Add(const PasteScore& score, long pressed) {
    presses += pressed;
    right += score.right;
    wrong += score.wrong;
    lost += score.lost;
  }
};

struct Totals : Tally {
  long crashes = 0, stuck = 0;
  Tally bySpacing[3];   // the bursts at 10, 50 and 200 ms
  long cycles[3] = {};  // editor, About, quick-select
  long closedByMessage = 0;
  long taskbarRecreated = 0;
};

constexpr double kSpacings[3] = {10, 50, 200};

struct Reading {
  long windows = 0, threads = 0, handles = 0;
  double privateKb = 0;
};

class Soak {
 public:
  Soak(const std::string& exe, double minutes) : exe_(exe), deadline_(NowMs() + minutes * 60000.0) {}

  void Run() {
    StoreBenchSlots();
    program_ = StartSettled(exe_, "", {kQuickSelectKey, SlotKey(0), SlotKey(1)});
    unixPid_ = FindUnixPid(program_->Token());
    // Low on the screen, clear of the main window's buttons that the dialog cycles click.
    SetWindowPos(target_.Handle(), nullptr, 100, GetSystemMetrics(SM_CYSCREEN) - 160, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    ShowMainWindow();
    FocusTarget();
    PostedHotkeys posted(
        *program_, [this](double ms) { return PastedSlot(ms); }, 2);
    posted_ = &posted;
    Burst(10, 20, true);
    DialogCycles(1);
    start_ = Read();
    // Two rounds at least, however short the time: growth is measured over the second.
    for (int round = 0; Alive() && (round < 2 || NowMs() < deadline_); ++round) {
      const int presses = round == 0 ? firstPresses_ : firstPresses_ / 5;
      for (int spacing = 0; spacing < 3; ++spacing) {
        if (Alive()) Burst(kSpacings[spacing], presses, spacing < 2, &totals_.bySpacing[spacing]);
      }
      if (Alive()) BusyClipboard();
      if (Alive()) TaskbarRecreated();
      if (Alive()) DialogCycles(round == 0 ? 50 : 20);
      const Reading now = Read();
      // The first round, at full size, is the warm-up: the heaps settle at the most the
      // largest burst and every dialog need, and keep that. Growth is what comes after.
      if (round == 0)
        first_ = now;
      else
        ++laterRounds_;
      last_ = now;
      Progress("soak: round %d done, %ld presses so far, private memory %.0f KB, %ld windows, %.0f s left",
               round + 1, totals_.presses, now.privateKb, now.windows, (deadline_ - NowMs()) / 1000.0);
    }
    if (Alive()) CloseWithPastePending();
    Report();
  }

 private:
  bool Alive() {
    DWORD code = 0;
    if (crashed_ || !program_->HasExited(code)) return !crashed_;
    crashed_ = true;
    ++totals_.crashes;
    Progress("soak: velnor.exe ended by itself, exit code %lu", code);
    return false;
  }

  // Another program's window in front keeps SetForegroundWindow from working (the
  // system's foreground lock), so the target is clicked, as a user would.
  void FocusTarget() {
    RECT frame{};
    GetWindowRect(target_.Handle(), &frame);
    ClickAt({frame.left + 200, frame.top + 16});
    target_.Focus();
  }

  void ShowMainWindow() {
    DoubleClickAt(TrayWatch().IconPosition());
    if (!PumpUntil([&] { return (main_ = ShownWindowOf(program_->Id(), "Velnor Preferences")) != nullptr; },
                   5000))
      throw std::runtime_error("Velnor's main window did not show on a double click on its icon");
    slotButton_ = ClientToScreenAt(main_, {70, 25});  // the first of the ten buttons
  }

  // The slot whose text alone arrived within ms of an emptied target, or -1.
  int PastedSlot(double ms) {
    target_.Clear();
    PumpUntil([&] { return !target_.Text().empty(); }, ms);
    PumpFor(50);
    const std::string text = target_.Text();
    for (int slot = 0; slot < kBenchSlots; ++slot)
      if (text == SlotText(slot)) return slot;
    return -1;
  }

  // Presses alternating slots 1 and 2, spacingMs apart, posted or as real keys; then
  // waits until every text came or none came for 3 s, and scores what landed.
  void Burst(double spacingMs, int presses, bool posted, Tally* tally = nullptr) {
    FocusTarget();
    target_.Clear();
    std::vector<std::string> expected;
    double next = NowMs();
    for (int press = 0; press < presses; ++press) {
      const int slot = press % 2;
      if (posted)
        posted_->Press(slot);
      else
        PressHotkey(SlotKey(slot));
      expected.push_back(SlotText(slot));
      next += spacingMs;
      PumpFor(next - NowMs());
    }
    size_t expectedSize = 0;
    for (const std::string& text : expected) expectedSize += text.size();
    size_t size = 0;
    double lastGrowth = NowMs();
    PumpUntil(
        [&] {
          const size_t now = target_.Text().size();
          if (now != size) size = now, lastGrowth = NowMs();
          return now >= expectedSize || NowMs() - lastGrowth > 3000;
        },
        600000);
    PumpFor(300);  // a paste too many would show by now
    const PasteScore score = ScorePastes(expected, target_.Text(), kMarker);
    totals_.Add(score, presses);
    if (tally) tally->Add(score, presses);
    CheckModifiers();
    Progress("soak: %d presses %s %.0f ms apart: %ld right, %ld wrong, %ld lost", presses,
             posted ? "posted" : "keyed", spacingMs, score.right, score.wrong, score.lost);
  }

  // No key of a paste may stay down; one that does is counted and let go.
  void CheckModifiers() {
    for (int key : {VK_CONTROL, VK_MENU, VK_SHIFT, int{'V'}}) {
      if (!(GetAsyncKeyState(key) & 0x8000)) continue;
      ++totals_.stuck;
      Progress("soak: key %d left down", key);
      INPUT up{};
      up.type = INPUT_KEYBOARD;
      up.ki.wVk = static_cast<WORD>(key);
      up.ki.dwFlags = KEYEVENTF_KEYUP;
      SendInput(1, &up, sizeof up);
    }
  }

  // A press while this program holds the clipboard open pastes nothing and shows
  // nothing; the next press after it let go pastes.
  void BusyClipboard() {
    FocusTarget();
    target_.Clear();
    if (!OpenClipboard(nullptr)) throw std::runtime_error("cannot open the clipboard to hold it");
    PressHotkey(SlotKey(0));
    PumpFor(500);
    CloseClipboard();
    const bool quiet = target_.Text().empty() && !ShownWindowOf(program_->Id(), nullptr, "#32770");
    CheckModifiers();
    PressHotkey(SlotKey(1));
    PumpUntil([&] { return !target_.Text().empty(); }, 3000);
    PumpFor(100);
    // The held press counts as right when nothing came of it.
    const PasteScore after = ScorePastes({SlotText(1)}, target_.Text(), kMarker);
    totals_.Add({quiet ? 1L : 0L, quiet ? 0L : 1L, 0}, 1);
    totals_.Add(after, 1);
    CheckModifiers();
  }

  // The shell restarted: every program with an icon is told to add it again.
  void TaskbarRecreated() {
    static const UINT kTaskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, kTaskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
    ++totals_.taskbarRecreated;
    Burst(200, 2, false);  // still pastes
  }

  void DialogCycles(int cycles) {
    for (int i = 0; i < cycles && Alive(); ++i) {
      if (!EditorCycle(*program_, slotButton_)) ++totals_.closedByMessage;
      if (!AboutCycle(*program_, slotButton_)) ++totals_.closedByMessage;
      FocusTarget();
      QuickSelectCycle(*program_);
      ++totals_.cycles[0], ++totals_.cycles[1], ++totals_.cycles[2];
    }
    FocusTarget();
  }

  // A press, and the program closed while its paste waits: the paste lands whole, the
  // program ends by itself, soon and with exit code 0.
  void CloseWithPastePending() {
    FocusTarget();
    target_.Clear();
    PressHotkey(SlotKey(0));
    const double closed = NowMs();
    PostMessageA(main_, WM_CLOSE, 0, 0);
    DWORD code = STILL_ACTIVE;
    PumpUntil([&] { return program_->HasExited(code) && target_.Text() == SlotText(0); }, 5000);
    endMs_ = program_->HasExited(code) ? NowMs() - closed : -1;
    endCode_ = code;
    totals_.Add(ScorePastes({SlotText(0)}, target_.Text(), kMarker), 1);
    CheckModifiers();
  }

  Reading Read() {
    PumpFor(500);
    Reading reading;
    reading.windows = WindowsOf(program_->Id());
    reading.threads = ReadUnixCost(unixPid_).threads;
    reading.privateKb = ReadUnixPrivateKb(unixPid_);
    DWORD handles = 0;
    if (GetProcessHandleCount(program_->Process(), &handles)) reading.handles = static_cast<long>(handles);
    return reading;
  }

  void Report() {
    auto line = [](const char* what, const std::string& value) {
      std::printf("soak %s: %s\n", what, value.c_str());
    };
    const auto n = [](long value) { return std::to_string(value); };
    line("presses", n(totals_.presses));
    line("pastes verified right", n(totals_.right));
    line("wrong", n(totals_.wrong));
    line("lost", n(totals_.lost));
    for (int spacing = 0; spacing < 3; ++spacing) {
      const Tally& t = totals_.bySpacing[spacing];
      const std::string what = "bursts " + n(static_cast<long>(kSpacings[spacing])) + " ms apart (" +
                               (spacing < 2 ? "posted" : "keyed") + ")";
      line(what.c_str(), n(t.presses) + " presses, " + n(t.right) + " right, " + n(t.wrong) + " wrong, " +
                             n(t.lost) + " lost");
    }
    line("crashes", n(totals_.crashes));
    line("stuck modifiers", n(totals_.stuck));
    line("dialog cycles (editor, About, quick-select)",
         n(totals_.cycles[0]) + ", " + n(totals_.cycles[1]) + ", " + n(totals_.cycles[2]));
    line("taskbar re-created", n(totals_.taskbarRecreated) + " times");
    const auto kb = [&](double value) { return n(static_cast<long>(value)); };
    line("private memory in the first round", "+" + kb(first_.privateKb - start_.privateKb) + " KB (" +
                                                  kb(start_.privateKb) + " -> " + kb(first_.privateKb) +
                                                  " KB, kept from the largest burst and the dialogs)");
    const std::string over = laterRounds_ == 1 ? " over the round after the first"
                                               : " over the " + n(laterRounds_) + " rounds after the first";
    if (laterRounds_ == 0) {
      line("deltas", "not measured: no round after the first");
    } else {
      // "<change><unit> (<from> -> <to><unit>) over ...", one form for every figure.
      const auto delta = [&](const char* what, long from, long to, const char* unit) {
        line(what, n(to - from) + unit + " (" + n(from) + " -> " + n(to) + unit + ")" + over);
      };
      delta("windows delta", first_.windows, last_.windows, "");
      delta("threads delta", first_.threads, last_.threads, "");
      // Wine reports no handle count for another process.
      if (first_.handles > 0) delta("kernel handles delta", first_.handles, last_.handles, "");
      delta("private memory delta", static_cast<long>(first_.privateKb), static_cast<long>(last_.privateKb),
            " KB");
    }
    line("close with a paste pending", endMs_ < 0 ? std::string("did not end")
                                                  : "ended in " + n(static_cast<long>(endMs_)) +
                                                        " ms, exit code " + n(static_cast<long>(endCode_)));
    std::fflush(stdout);
  }

  std::string exe_;
  double deadline_;
  // Presses per spacing in the first round, 1,000 unless VELNOR_SOAK_PRESSES says
  // otherwise (a quick look); later rounds press a fifth of that.
  int firstPresses_ = [] {
    const char* presses = std::getenv("VELNOR_SOAK_PRESSES");
    return presses ? std::max(2, std::atoi(presses)) : 1000;
  }();
  std::unique_ptr<RunningProgram> program_;
  int unixPid_ = -1;
  TargetWindow target_;
  HWND main_ = nullptr;
  POINT slotButton_{};
  PostedHotkeys* posted_ = nullptr;
  Totals totals_;
  Reading start_, first_, last_;  // after the warm-up press, the first round, the last
  long laterRounds_ = 0;
  bool crashed_ = false;
  double endMs_ = -1;
  DWORD endCode_ = 0;
};
}  // namespace

int main(int argc, char** argv) {
  return RunDriver(argc, argv, 2, "<velnor.exe> <minutes>",
                   [](const auto& args) { Soak(args[0], std::stod(args[1])).Run(); });
}
