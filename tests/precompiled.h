// The system and test-framework headers nearly every test includes, compiled once
// per build and reused by every test program (a test still includes what it uses).
#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>
