#pragma once
// What every fuzz test shares: its seed and number of cases, fixed for the suite and
// settable for a longer run (VELNOR_FUZZ_SEED, VELNOR_FUZZ_CASES), the line a soak
// script adds up ("fuzz <name>: <cases> cases, seed <seed>"), a clock for the bound
// on each call, and failing input written back as C source.
#include <cstdint>
#include <string>
#include <utility>

class FuzzRun {
 public:
  // seed and cases are the suite's; the environment replaces them. Prints the line
  // at once, so a run that crashes has already said how to repeat it.
  FuzzRun(const char* name, std::uint32_t seed, int cases, double slowCallMs);

  std::uint32_t Seed() const { return seed_; }
  int Cases() const { return cases_; }
  double SlowCallMs() const { return slowCallMs_; }

  // Runs call and returns how long it took in milliseconds; the slowest is kept.
  template <class Call>
  double Time(Call&& call) {
    const double start = NowMs();
    std::forward<Call>(call)();
    const double ms = NowMs() - start;
    if (ms > slowest_) slowest_ = ms;
    return ms;
  }
  bool TooSlow(double ms) const { return ms > slowCallMs_; }
  double SlowestMs() const { return slowest_; }

 private:
  static double NowMs();

  std::uint32_t seed_;
  int cases_;
  double slowCallMs_;
  double slowest_ = 0;
};

// bytes as a C string literal, so a failing input can be pasted into a test.
std::string CLiteral(const std::string& bytes);
