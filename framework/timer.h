#pragma once
// A repeating timer on a message window of its own: OnTimer runs on the thread that
// made it, every Interval milliseconds while it is enabled. Destroying it stops it.
#include <memory>

#include "framework/events.h"
#include "framework/message_window.h"

class Timer {
 public:
  Timer() = default;
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  unsigned Interval() const { return interval_; }
  // A new interval restarts the count of a running timer.
  void SetInterval(unsigned milliseconds);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);

  Event<> OnTimer;

 private:
  void Update();
  void Handle(Message& message);

  unsigned interval_ = 1000;
  bool enabled_ = false;
  bool running_ = false;
  std::unique_ptr<MessageWindow> window_;  // made when first started
};
