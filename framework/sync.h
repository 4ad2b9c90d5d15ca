#pragma once
// A lock and a condition straight from the system (slim reader/writer lock, condition
// variable). The standard library's would bring the POSIX thread layer, its clocks
// and its error classes into the program: 16 KB more, for the same few
// system calls.
#include <windows.h>

#include <chrono>
#include <mutex>  // std::lock_guard only: it takes any type with lock() and unlock()

class SlimMutex {
 public:
  SlimMutex() = default;
  SlimMutex(const SlimMutex&) = delete;
  SlimMutex& operator=(const SlimMutex&) = delete;

  // The names std::lock_guard expects.
  void lock() { AcquireSRWLockExclusive(&lock_); }
  void unlock() { ReleaseSRWLockExclusive(&lock_); }

 private:
  friend class Condition;
  SRWLOCK lock_ = SRWLOCK_INIT;
};

class Condition {
 public:
  Condition() = default;
  Condition(const Condition&) = delete;
  Condition& operator=(const Condition&) = delete;

  // With mutex held: gives it up while waiting for a notification or the timeout,
  // and holds it again on return. False when the time ran out; a true return may
  // also be a spurious wake-up, so callers check what they wait for.
  bool WaitFor(SlimMutex& mutex, std::chrono::milliseconds timeout) {
    return SleepConditionVariableSRW(&condition_, &mutex.lock_, Milliseconds(timeout), 0) != 0;
  }
  // With mutex held: waits until done() holds or the timeout passed; done()'s last value.
  template <class Done>
  bool WaitFor(SlimMutex& mutex, std::chrono::milliseconds timeout, Done done) {
    const ULONGLONG deadline = GetTickCount64() + Milliseconds(timeout);
    while (!done()) {
      const ULONGLONG now = GetTickCount64();
      if (now >= deadline) return false;
      SleepConditionVariableSRW(&condition_, &mutex.lock_, static_cast<DWORD>(deadline - now), 0);
    }
    return true;
  }
  void NotifyOne() { WakeConditionVariable(&condition_); }
  void NotifyAll() { WakeAllConditionVariable(&condition_); }

 private:
  static DWORD Milliseconds(std::chrono::milliseconds timeout) {
    return timeout.count() <= 0 ? 0 : static_cast<DWORD>(timeout.count());
  }

  CONDITION_VARIABLE condition_ = CONDITION_VARIABLE_INIT;
};

// Milliseconds since the system started, for measuring waits.
inline ULONGLONG TickNow() { return GetTickCount64(); }
