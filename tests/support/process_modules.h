#pragma once
// The DLLs and the program a running process has loaded, by file name in lower
// case ("user32.dll"), read from outside the process as a debugger would.
#include <windows.h>

#include <set>
#include <string>

std::set<std::string> LoadedModules(DWORD processId);
