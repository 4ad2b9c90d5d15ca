#include "executable_memory.h"

#include <cstdio>

namespace {
bool Executable(DWORD protection) {
  return (protection &
          (PAGE_EXECUTE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY)) != 0;
}
}  // namespace

std::vector<std::string> ExecutableMemoryOutsideImages(HANDLE process) {
  std::vector<std::string> found;
  MEMORY_BASIC_INFORMATION info{};
  for (const char* at = nullptr; VirtualQueryEx(process, at, &info, sizeof info) == sizeof info;
       at = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
    if (info.State != MEM_COMMIT || info.Type == MEM_IMAGE || !Executable(info.Protect)) continue;
    char line[96];
    std::snprintf(line, sizeof line, "%p, %zu bytes, protection 0x%lx", info.BaseAddress,
                  static_cast<size_t>(info.RegionSize), static_cast<unsigned long>(info.Protect));
    found.push_back(line);
    if (info.RegionSize == 0) break;
  }
  return found;
}
