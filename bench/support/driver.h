#pragma once
// The frame every driver shares: its command line, progress output, and the one
// place where an error ends it (a figure never does; only a failure to measure).
#include <functional>
#include <string>
#include <vector>

// Runs body with the arguments after the program name; when there are not exactly
// argumentCount of them, or body throws, prints why and returns 1.
int RunDriver(int argc, char** argv, int argumentCount, const char* usage,
              const std::function<void(const std::vector<std::string>&)>& body);

void Progress(const char* format, ...) __attribute__((format(printf, 1, 2)));
