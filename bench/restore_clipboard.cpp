// The switch that gives the user's clipboard back: from the target's read of a paste
// to the user's content being back on the clipboard, and the paste's latency with the
// switch on against the same program with it off, in the same run. Before every press
// the clipboard holds the user's content (a text and a format of its own), so both
// runs paste over the same content and only the keeping differs.
#include <windows.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/support/clock.h"
#include "bench/support/driver.h"
#include "bench/support/paste_session.h"
#include "bench/support/readiness.h"
#include "bench/support/rows.h"
#include "tests/support/clipboard_listener.h"

namespace {

constexpr int kWarmUp = 5;
constexpr int kPresses = 100;  // per round
// Off and on take turns, so neither gains from coming later (a warmer system).
constexpr int kRounds = 2;
constexpr double kPasteWait = 100;
constexpr double kBackBound = 2000;

UINT UserMark() {
  static const UINT format = RegisterClipboardFormatA("Velnor bench: the user's own content");
  return format;
}

bool UserContentShows() { return IsClipboardFormatAvailable(UserMark()) != FALSE; }

void PlaceUserContent(HWND owner) {
  if (!OpenClipboard(owner)) throw std::runtime_error("cannot open the clipboard for the user's content");
  EmptyClipboard();
  for (const auto& [format, bytes] :
       {std::pair<UINT, std::string>{CF_TEXT, std::string("the user's text", 16)},
        std::pair<UINT, std::string>{UserMark(), "mark"}}) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    SetClipboardData(format, block);
  }
  CloseClipboard();
}

void StoreSwitch(bool on) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Dastrel\\Velnor", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot create HKCU\\Software\\Dastrel\\Velnor");
  const DWORD value = on ? 1 : 0;
  const LONG result = RegSetValueExA(key, "RestoreClipboard", 0, REG_DWORD,
                                     reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) throw std::runtime_error("cannot write RestoreClipboard");
}

struct Result {
  std::vector<double> beyond;  // press to paste, minus the 100 ms wait
  std::vector<double> back;    // the paste's arrival to the user's content back
  int missed = 0;
  int notBack = 0;
};

void Measure(const std::string& exe, bool on, TargetWindow& target, Result& result) {
  StoreSwitch(on);
  auto program = StartSettled(exe, "", {SlotKey(0)});
  target.Focus();
  // Notices arrive while the session pumps: the first one showing the user's content
  // again after a press is its return.
  double backAt = -1;
  ClipboardListener listener([&backAt] {
    if (backAt < 0 && UserContentShows()) backAt = NowMs();
  });
  if (!listener.Listening()) throw std::runtime_error("cannot listen to the clipboard");
  PasteSession session(target, SlotText(0));
  for (int press = 0; press < kWarmUp + kPresses; ++press) {
    if (!UserContentShows()) PlaceUserContent(target.Handle());
    backAt = -1;
    const double delay = session.PressOnce();
    if (delay < 0 || press < kWarmUp) continue;
    result.beyond.push_back(delay - kPasteWait);
    if (!on) continue;
    const double deadline = NowMs() + kBackBound;
    while (backAt < 0 && NowMs() < deadline) PumpFor(1);
    if (backAt < 0)
      ++result.notBack;
    else
      result.back.push_back(backAt - session.LastArrival());
  }
  result.missed += session.Missed();
  if (result.beyond.empty()) throw std::runtime_error("no paste from " + exe + " arrived");
}

}  // namespace

int main(int argc, char** argv) {
  return RunDriver(argc, argv, 2, "<velnor.exe> <results file>", [](const auto& args) {
    StoreBenchSlots();
    TargetWindow target;
    Result off, on;
    for (int round = 0; round < kRounds; ++round) {
      Measure(args[0], false, target, off);
      Measure(args[0], true, target, on);
    }
    StoreSwitch(false);
    if (on.back.empty()) throw std::runtime_error("the user's content never came back with the switch on");
    const std::string note =
        "Velnor with RestoreClipboard 1 against Velnor with it 0 (the floor column), in the same run; a text "
        "and a registered format on the clipboard before every press; " +
        std::to_string(kRounds) + " rounds of off then on, each " + std::to_string(kPresses) +
        " presses after " + std::to_string(kWarmUp) + " warm-up presses; missed: on " +
        std::to_string(on.missed) + ", off " + std::to_string(off.missed) + "; content not back within " +
        std::to_string(static_cast<int>(kBackBound)) + " ms: " + std::to_string(on.notBack) + ".";
    const std::string target10 = "<= 1.1x switch off|ratio<=1.1";
    AppendRow(args[1], {"Restore clipboard on: hotkey to paste beyond 100 ms, median", "ms", "median",
                        target10, Samples::Of(on.beyond), Samples::Of(off.beyond), note});
    AppendRow(args[1], {"Restore clipboard on: hotkey to paste beyond 100 ms, p99", "ms", "p99", target10,
                        Samples::Of(on.beyond), Samples::Of(off.beyond), ""});
    const std::string backNote =
        "From the edit control's EN_CHANGE with the pasted text (just after its read) to the clipboard "
        "notice "
        "that shows the user's content again.";
    AppendRow(args[1], {"Restore clipboard: paste read to content back, median", "ms", "median", "",
                        Samples::Of(on.back), Samples::NoFloor(), backNote});
    AppendRow(args[1], {"Restore clipboard: paste read to content back, p99", "ms", "p99", "",
                        Samples::Of(on.back), Samples::NoFloor(), ""});
    Progress("restore clipboard: %s", note.c_str());
  });
}
