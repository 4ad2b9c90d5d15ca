#pragma once
// Records the keyboard events the system delivers, as any program would see them,
// through a low-level keyboard hook on the constructing thread. The hook is called
// through that thread's message queue, so it must pump messages (PumpUntil) while
// events are expected; senders wait for the hook's answer, which keeps the recorded
// order the order in which the events were sent.
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

struct KeyEvent {
  DWORD vk;  // as the hook reports it: Ctrl, Shift and Alt arrive as their left-hand keys
  bool up;
  bool injected;  // sent by a program (SendInput, keybd_event), not by the keyboard
  std::chrono::steady_clock::time_point seen;
};

class KeyRecorder {
 public:
  // Pass lets the events go on to the focused window; Swallow ends them at the hook,
  // for tests that only look at the sequence and want no window to act on it.
  enum class Delivery { Pass, Swallow };

  explicit KeyRecorder(Delivery delivery = Delivery::Pass);  // one recorder at a time
  ~KeyRecorder();
  KeyRecorder(const KeyRecorder&) = delete;
  KeyRecorder& operator=(const KeyRecorder&) = delete;

  const std::vector<KeyEvent>& Events() const { return events_; }
  void Clear() { events_.clear(); }
  // The events in order, e.g. "Ctrl down, V down, V up, Ctrl up".
  std::string Sequence() const;
  // The same of the injected events only: what programs sent, without the keyboard's
  // (under Wine, X input such as xdotool's comes as the keyboard's).
  std::string InjectedSequence() const;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);

  Delivery delivery_;
  HHOOK hook_ = nullptr;
  std::vector<KeyEvent> events_;
};

// "Ctrl", "Shift", "Alt" for either hand's key, the character for letters and digits,
// otherwise the hexadecimal code.
std::string KeyName(DWORD vk);
std::string Describe(const KeyEvent& event);  // "V up"
