#include "fuzz_run.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {
// The whole of the variable as a number below limit, or what the suite set when the
// variable is absent; anything else stops the test rather than quietly run the default.
unsigned long long FromEnvironment(const char* variable, unsigned long long fallback,
                                   unsigned long long limit) {
  const char* text = std::getenv(variable);
  if (!text || !*text) return fallback;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text, &end, 0);
  if (*end != '\0' || *text == '-' || value > limit)
    throw std::invalid_argument(std::string(variable) + " is not a number up to " + std::to_string(limit) +
                                ": \"" + text + "\"");
  return value;
}
}  // namespace

FuzzRun::FuzzRun(const char* name, std::uint32_t seed, int cases, double slowCallMs)
    : seed_(static_cast<std::uint32_t>(FromEnvironment("VELNOR_FUZZ_SEED", seed, UINT32_MAX))),
      cases_(static_cast<int>(
          FromEnvironment("VELNOR_FUZZ_CASES", static_cast<unsigned long long>(cases), INT32_MAX))),
      slowCallMs_(slowCallMs) {
  std::printf("fuzz %s: %d cases, seed %lu\n", name, cases_, static_cast<unsigned long>(seed_));
  std::fflush(stdout);
}

double FuzzRun::NowMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::string CLiteral(const std::string& bytes) {
  std::string text = "\"";
  for (unsigned char c : bytes) {
    if (c >= ' ' && c < 0x7F && c != '"' && c != '\\') {
      text += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof(hex), "\\x%02X", c);
      text += hex;
      text += "\" \"";  // a following hex digit must not join the escape
    }
  }
  return text + "\"";
}
