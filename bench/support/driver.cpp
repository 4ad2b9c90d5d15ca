#include "bench/support/driver.h"

#include <cstdarg>
#include <cstdio>
#include <exception>

int RunDriver(int argc, char** argv, int argumentCount, const char* usage,
              const std::function<void(const std::vector<std::string>&)>& body) {
  if (argc != argumentCount + 1) {
    std::fprintf(stderr, "usage: %s %s\n", argv[0], usage);
    return 1;
  }
  try {
    body(std::vector<std::string>(argv + 1, argv + argc));
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
    return 1;
  }
}

void Progress(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::putchar('\n');
  std::fflush(stdout);
}
