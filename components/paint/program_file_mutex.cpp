#include "components/paint/program_file_mutex.h"

#include <windows.h>

namespace {
std::string ProgramPath() {
  std::string path(MAX_PATH, '\0');
  // A path longer than the buffer comes back cut; grow until it fits.
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}
}  // namespace

std::string ProgramFileMutexName(std::string_view programPath) {
  // Walked character by character: the second byte of a double-byte character can be
  // a backslash's byte, and is no folder separator.
  size_t start = 0;
  for (size_t i = 0; i < programPath.size(); ++i) {
    if (IsDBCSLeadByte(static_cast<BYTE>(programPath[i])) && i + 1 < programPath.size()) {
      ++i;
      continue;
    }
    if (programPath[i] == '\\') start = i + 1;
  }
  std::string name(programPath.substr(start));
  // The system's capitals for the code page: a double-byte character's second byte
  // is never mistaken for a small letter.
  if (!name.empty()) CharUpperBuffA(name.data(), static_cast<DWORD>(name.size()));
  return name;
}

ProgramFileMutex::ProgramFileMutex() : mutex_(ProgramFileMutexName(ProgramPath()), false) {}
