#include "bench/support/paste_session.h"

#include "bench/support/clock.h"
#include "bench/support/hotkeys.h"

double PasteSession::PressOnce() {
  target_.Clear();
  PumpFor(2);
  const double pressed = NowMs();
  PressHotkey(SlotKey(0));
  const double arrived = lastArrival_ = target_.WaitForText(text_, 2000);
  PumpUntilCtrlUp(500);
  PumpFor(10);
  if (arrived < 0) {
    ++missed_;
    return -1;
  }
  return arrived - pressed;
}

std::vector<double> PasteSession::Press(int count) {
  std::vector<double> delays;
  for (int i = 0; i < count; ++i)
    if (const double delay = PressOnce(); delay >= 0) delays.push_back(delay);
  return delays;
}
