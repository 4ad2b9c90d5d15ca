// Memory: working set and private bytes of the running program (GetProcessMemoryInfo
// on its process) after start, after 200 pastes, and after opening and closing the
// quick-select popup 100 times; Velnor against the tray floor, which gets the same
// key presses and ignores them. Growth from the 200th paste to the 100th popup is
// reported as asked; it includes the popup's first-use cost, so the leak figures are
// the growth after the warm-up: over pastes 101-200 and over popups 11-100. The first
// pastes cost Wine memory for their threads in any program, so the growth over all
// 200 pastes is compared with the paste floor's.
#include <windows.h>
// psapi.h needs the types windows.h declares first.
#include <psapi.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/support/dialogs.h"
#include "bench/support/driver.h"
#include "bench/support/paste_session.h"
#include "bench/support/readiness.h"
#include "bench/support/rows.h"
#include "bench/support/unix_process.h"

namespace {

constexpr int kRounds = 3;
constexpr int kPastes = 100;  // per half
constexpr int kPopupWarmUp = 10;
constexpr int kPopups = 100;
constexpr char kPopupTitle[] = "FormQuickSel";

struct Reading {
  double workingSetKb = 0, privateKb = 0;
};

struct Profile {
  Reading start, half, pastes;
  std::optional<Reading> popupsWarm, popups;  // none while the program has no popup
  int missedPastes = 0, closedByMessage = 0;
};

Reading Read(const RunningProgram& program, int unixPid) {
  PumpFor(500);  // paste workers end and the program goes back to waiting
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(program.Process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                            sizeof counters))
    throw std::runtime_error("GetProcessMemoryInfo failed: " + std::to_string(GetLastError()));
  const double privateKb = counters.PrivateUsage ? static_cast<double>(counters.PrivateUsage) / 1024.0
                                                 : ReadUnixPrivateKb(unixPid);
  return {static_cast<double>(counters.WorkingSetSize) / 1024.0, privateKb};
}

HWND VisiblePopup() {
  HWND popup = FindWindowA(nullptr, kPopupTitle);
  return popup && IsWindowVisible(popup) ? popup : nullptr;
}

// False when the first press opens no popup: the program does not have it yet.
bool OpenAndClosePopups(int count, Profile& profile) {
  for (int i = 0; i < count; ++i) {
    PressHotkey(kQuickSelectKey);
    HWND popup = nullptr;
    if (!PumpUntil([&] { return (popup = VisiblePopup()) != nullptr; }, 3000)) {
      if (i == 0 && !profile.popupsWarm) return false;
      throw std::runtime_error("the quick-select popup did not open at press " + std::to_string(i + 1));
    }
    // Esc goes to the foreground window: wait until the popup has taken the
    // foreground, and a moment more for its panel to take the focus, as a user would.
    PumpUntil([popup] { return GetForegroundWindow() == popup; }, 1000);
    PumpFor(20);
    PressKey(VK_ESCAPE);
    auto closed = [popup] { return !IsWindow(popup) || !IsWindowVisible(popup); };
    if (!PumpUntil(closed, 1000)) {
      ++profile.closedByMessage;  // Esc did not reach it; the reading is still of an opened and closed popup
      PostMessageA(popup, WM_CLOSE, 0, 0);
      if (!PumpUntil(closed, 2000)) throw std::runtime_error("the quick-select popup does not close");
    }
  }
  return true;
}

// What a subject does with the presses: paste them, open the popup, or ignore them.
struct Subject {
  std::string exe, arguments;
  bool pastes = false, popups = false;
};

Profile Measure(const Subject& subject, TargetWindow& target) {
  auto program = StartSettled(subject.exe, subject.arguments, {SlotKey(0)});
  const int unixPid = FindUnixPid(program->Token());
  if (unixPid < 0) throw std::runtime_error("no Unix process carries " + program->Token());
  Profile profile;
  auto read = [&] { return Read(*program, unixPid); };
  // A floor that ignores a key gets the presses without waiting for anything.
  auto ignored = [](HotkeyChord key, int count) {
    for (int i = 0; i < count; ++i) {
      PressHotkey(key);
      PumpFor(5);
    }
  };
  profile.start = read();
  target.Focus();
  PasteSession session(target, SlotText(0));
  for (Reading* reading : {&profile.half, &profile.pastes}) {
    if (subject.pastes)
      session.Press(kPastes);
    else
      ignored(SlotKey(0), kPastes);
    *reading = read();
  }
  profile.missedPastes = session.Missed();
  if (subject.pastes && session.Missed() == 2 * kPastes)
    throw std::runtime_error("no paste from " + subject.exe + " arrived");
  for (auto [reading, count] :
       {std::pair{&profile.popupsWarm, kPopupWarmUp}, std::pair{&profile.popups, kPopups - kPopupWarmUp}}) {
    if (!subject.popups)
      ignored(kQuickSelectKey, count);
    else if (!OpenAndClosePopups(count, profile))
      break;
    *reading = read();
  }
  return profile;
}

// A profile's reading at one stage; none where the program has no such stage.
using Stage = std::optional<Reading> (*)(const Profile&);
std::optional<Reading> AtStart(const Profile& p) { return p.start; }
std::optional<Reading> AtHalf(const Profile& p) { return p.half; }
std::optional<Reading> AfterPastes(const Profile& p) { return p.pastes; }
std::optional<Reading> PopupsWarm(const Profile& p) { return p.popupsWarm; }
std::optional<Reading> AfterPopups(const Profile& p) { return p.popups; }

// One sample per round: the reading at the stage, or its growth from another stage.
Samples Of(const std::vector<Profile>& rounds, Stage at, double Reading::*field, Stage from = nullptr) {
  std::vector<double> values;
  for (const Profile& p : rounds) {
    const std::optional<Reading> to = at(p);
    const std::optional<Reading> base = from ? from(p) : std::optional<Reading>(Reading{});
    if (!to || !base) return Samples::NotYet();
    values.push_back((*to).*field - (*base).*field);
  }
  return Samples::Of(values);
}

struct Field {
  const char* name;
  double Reading::*field;
};

void AppendRows(const std::string& out, const Field& f, const std::vector<Profile>& velnor,
                const std::vector<Profile>& floor, const std::vector<Profile>& pasteFloor,
                const std::string& note) {
  const std::string name = f.name;
  const std::string flat = "<= 64 KB|velnor<=64";
  // The working set has a target against the floor; private bytes are shown beside it.
  const std::string ratio13 = f.field == &Reading::workingSetKb ? "<= 1.3x floor|ratio<=1.3" : "";
  const auto field = f.field;
  AppendRow(out, {"Memory after start: " + name, "KB", "median", ratio13, Of(velnor, AtStart, field),
                  Of(floor, AtStart, field), note});
  AppendRow(out, {"Memory after 200 pastes: " + name, "KB", "median", ratio13, Of(velnor, AfterPastes, field),
                  Of(floor, AfterPastes, field), ""});
  AppendRow(out, {"Memory after 100 popups: " + name, "KB", "median", ratio13, Of(velnor, AfterPopups, field),
                  Of(floor, AfterPopups, field), ""});
  AppendRow(out, {"Growth over pastes 1-200 (floor: paste floor): " + name, "KB", "median", "",
                  Of(velnor, AfterPastes, field, AtStart), Of(pasteFloor, AfterPastes, field, AtStart), ""});
  AppendRow(out, {"Growth over pastes 101-200: " + name, "KB", "median", flat,
                  Of(velnor, AfterPastes, field, AtHalf), Of(floor, AfterPastes, field, AtHalf), "", false});
  AppendRow(out, {"Growth over popups 11-100: " + name, "KB", "median", flat,
                  Of(velnor, AfterPopups, field, PopupsWarm), Of(floor, AfterPopups, field, PopupsWarm), "",
                  false});
  AppendRow(out, {"Growth from 200 pastes to 100 popups: " + name, "KB", "median", "",
                  Of(velnor, AfterPopups, field, AfterPastes), Of(floor, AfterPopups, field, AfterPastes), "",
                  false});
}

}  // namespace

int main(int argc, char** argv) {
  return RunDriver(
      argc, argv, 4, "<velnor.exe> <tray floor.exe> <paste floor.exe> <results file>", [](const auto& args) {
        StoreBenchSlots();
        TargetWindow target;
        // Rounds interleaved, so that one noisy moment of the machine does not decide a
        // ratio: each figure is the median of its rounds.
        std::vector<Profile> velnor, floor, pasteFloor;
        int missedPastes = 0, closedByMessage = 0;
        for (int round = 0; round < kRounds; ++round) {
          Progress("memory: round %d of %d", round + 1, kRounds);
          velnor.push_back(Measure({args[0], "", true, true}, target));
          floor.push_back(Measure({args[1], "", false, false}, target));
          pasteFloor.push_back(Measure({args[2], SlotText(0), true, false}, target));
          missedPastes += velnor.back().missedPastes;
          closedByMessage += velnor.back().closedByMessage;
        }
        const std::string note =
            "Readings: working set from GetProcessMemoryInfo on the program's process, under Wine the Unix "
            "process's VmRSS (Wine's own libraries included); private bytes: Wine 8 reports 0 for another "
            "process, so RssAnon + VmSwap from /proc/<pid>/status, what newer Wine reports. The tray floor "
            "gets "
            "the same presses and ignores them. Growth from 200 pastes to 100 popups includes the popup's "
            "first "
            "opening, hence no target; the leak targets apply after warm-up. Each figure is the median of " +
            std::to_string(kRounds) +
            " interleaved rounds (Velnor, tray floor, paste floor, again). Missed pastes: " +
            std::to_string(missedPastes) +
            "; popups closed by WM_CLOSE after Esc failed: " + std::to_string(closedByMessage) + ".";
        AppendRows(args[3], {"working set", &Reading::workingSetKb}, velnor, floor, pasteFloor, note);
        AppendRows(args[3], {"private bytes", &Reading::privateKb}, velnor, floor, pasteFloor, "");
        Progress("memory: %s", note.c_str());
      });
}
