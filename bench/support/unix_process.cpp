#include "bench/support/unix_process.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// /proc files report size 0, so they are read until the end, never by size.
std::string ReadWholeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return text;
}

std::vector<std::string> NumericEntries(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (found.cFileName[0] >= '0' && found.cFileName[0] <= '9') names.emplace_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

long long FieldValue(const std::string& status, const char* name) {
  const size_t at = status.find(name);
  if (at == std::string::npos) return 0;
  return std::atoll(status.c_str() + at + std::strlen(name));
}

}  // namespace

int FindUnixPid(const std::string& token) {
  for (const std::string& pid : NumericEntries("Z:\\proc")) {
    std::string commandLine = ReadWholeFile("Z:\\proc\\" + pid + "\\cmdline");
    for (char& c : commandLine)
      if (c == '\0') c = ' ';
    commandLine += ' ';
    if (commandLine.find(" " + token + " ") != std::string::npos) return std::atoi(pid.c_str());
  }
  return -1;
}

UnixCost ReadUnixCost(int pid) {
  UnixCost cost;
  const std::string tasks = "Z:\\proc\\" + std::to_string(pid) + "\\task";
  for (const std::string& tid : NumericEntries(tasks)) {
    const std::string schedstat = ReadWholeFile(tasks + "\\" + tid + "\\schedstat");
    const std::string status = ReadWholeFile(tasks + "\\" + tid + "\\status");
    if (schedstat.empty() || status.empty()) continue;  // the thread has just ended
    cost.cpuMs += std::strtod(schedstat.c_str(), nullptr) / 1e6;
    cost.voluntarySwitches += FieldValue(status, "\nvoluntary_ctxt_switches:");
    cost.involuntarySwitches += FieldValue(status, "\nnonvoluntary_ctxt_switches:");
    ++cost.threads;
  }
  return cost;
}

double ReadUnixPrivateKb(int pid) {
  const std::string status = ReadWholeFile("Z:\\proc\\" + std::to_string(pid) + "\\status");
  return static_cast<double>(FieldValue(status, "\nRssAnon:") + FieldValue(status, "\nVmSwap:"));
}
