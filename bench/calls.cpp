// In-process cost of start-up's slot work, per call: TextToShortCut on the ten slot
// hotkey texts, and the ten ApplyHotkey calls a fresh data module gets at start-up
// against the bare RegisterHotKey that each of them comes down to. One untimed
// warm-up round first; the cold first call is given in the note.
#include <windows.h>

#include <string>
#include <vector>

#include "app/datamod.h"
#include "app/shortcut.h"
#include "bench/support/clock.h"
#include "bench/support/driver.h"
#include "bench/support/hotkeys.h"
#include "bench/support/rows.h"

namespace {

constexpr int kRounds = 30;
constexpr double kUsPerMs = 1000;

std::string SlotHotkeyText(int index) { return "CTRL+ALT+" + std::string(1, char(SlotKey(index).key)); }

struct Timings {
  double cold = 0;
  std::vector<double> warm;
};

// Runs round(record) kRounds + 1 times; the first round is the warm-up.
template <typename Round>
Timings Time(Round round) {
  Timings timings;
  std::vector<double> first;
  round(first);
  timings.cold = first.empty() ? 0 : first.front();
  for (int r = 0; r < kRounds; ++r) round(timings.warm);
  return timings;
}

void TextToShortCutRound(std::vector<double>& us) {
  for (int i = 0; i < kBenchSlots; ++i) {
    const std::string text = SlotHotkeyText(i);
    const double start = NowMs();
    volatile TShortCut value = TextToShortCut(text);
    us.push_back((NowMs() - start) * kUsPerMs);
    (void)value;
  }
}

void ApplyHotkeyRound(std::vector<double>& us) {
  TDM dm(nullptr);  // registers Ctrl+Shift+Z; its destructor withdraws every key
  for (int i = 0; i < kBenchSlots; ++i) {
    const std::string text = SlotHotkeyText(i);
    const double start = NowMs();
    dm.ApplyHotkey(i, text);
    us.push_back((NowMs() - start) * kUsPerMs);
  }
}

void RegisterHotKeyRound(std::vector<double>& us) {
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  for (int i = 0; i < kBenchSlots; ++i) {
    const HotkeyChord key = SlotKey(i);
    const double start = NowMs();
    RegisterHotKey(window, i + 1, key.modifiers, key.key);
    us.push_back((NowMs() - start) * kUsPerMs);
  }
  for (int i = 0; i < kBenchSlots; ++i) UnregisterHotKey(window, i + 1);
  DestroyWindow(window);
}

std::string Cold(const char* name, double us) {
  char text[64];
  std::snprintf(text, sizeof text, "%s %.1f us", name, us);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  return RunDriver(argc, argv, 1, "<results file>", [](const auto& args) {
    const Timings text = Time(TextToShortCutRound);
    const Timings apply = Time(ApplyHotkeyRound);
    const Timings floor = Time(RegisterHotKeyRound);
    const std::string rounds = std::to_string(kRounds) +
                               " rounds of the ten slot texts (CTRL+ALT+1 .. 0) after one "
                               "warm-up round; first, cold call: ";
    AppendRow(args[0], {"TextToShortCut, per call", "us", "median", "", Samples::Of(text.warm),
                        Samples::NoFloor(), rounds + Cold("TextToShortCut", text.cold) + "."});
    AppendRow(args[0], {"ApplyHotkey at start-up, per call", "us", "median", "", Samples::Of(apply.warm),
                        Samples::Of(floor.warm),
                        rounds + Cold("ApplyHotkey", apply.cold) + ", " + Cold("RegisterHotKey", floor.cold) +
                            ". A fresh data module per round; the floor is one RegisterHotKey on a "
                            "message-only window per slot."});
    Progress("calls: done");
  });
}
