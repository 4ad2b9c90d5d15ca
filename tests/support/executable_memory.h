#pragma once
// Memory of a process that can run code but belongs to no loaded module: what a
// program makes when it writes code of its own at run time (procedure thunks, say).
#include <windows.h>

#include <string>
#include <vector>

// One line per such region of the process: its address, size and protection.
std::vector<std::string> ExecutableMemoryOutsideImages(HANDLE process);
