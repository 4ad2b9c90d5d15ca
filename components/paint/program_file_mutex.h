#pragma once
// The button and label components, once started in a program, hold an unowned mutex
// named after the program file's name in capitals, without its folder ("TOOL.EXE"
// for C:\Apps\tool.exe), for as long as the program runs. They note whether it
// existed already; nothing reads that note.
#include <string>
#include <string_view>

#include "framework/named_mutex.h"

// The name for a program file's full path: what follows the last backslash, in capitals.
std::string ProgramFileMutexName(std::string_view programPath);

class ProgramFileMutex {
 public:
  ProgramFileMutex();
  bool Existed() const { return mutex_.Existed(); }

 private:
  NamedMutex mutex_;
};
