#include "process_modules.h"

// The system headers below build on windows.h.
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>

std::set<std::string> LoadedModules(DWORD processId) {
  std::set<std::string> names;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId);
  if (snapshot == INVALID_HANDLE_VALUE) return names;
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry)) {
    std::string name = entry.szModule;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    names.insert(name);
  }
  CloseHandle(snapshot);
  return names;
}
