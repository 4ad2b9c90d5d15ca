#include "framework/timer.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

Timer::~Timer() {
  if (running_) KillTimer(window_->Handle(), kTimerId);
}

void Timer::SetInterval(unsigned milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  Update();
}

void Timer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Update();
}

void Timer::Update() {
  if (running_) {
    KillTimer(window_->Handle(), kTimerId);
    running_ = false;
  }
  // An interval of 0 would be raised to the system minimum and fire all the time.
  if (!enabled_ || interval_ == 0) return;
  if (!window_) window_ = std::make_unique<MessageWindow>([this](Message& message) { Handle(message); });
  running_ = SetTimer(window_->Handle(), kTimerId, interval_, nullptr) != 0;
}

void Timer::Handle(Message& message) {
  if (message.Msg != WM_TIMER) {
    message.Result = window_->Default(message);
    return;
  }
  if (message.WParam == kTimerId && OnTimer) OnTimer();
}
