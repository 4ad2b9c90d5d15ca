#pragma once
// Functions of system DLLs that only some windows need, looked up when first needed
// instead of imported: an imported DLL is loaded at start-up and held all day by a
// program that may never open the window that uses it.
#include <windows.h>

// The export of a system DLL, loading the DLL if the process has not yet; nullptr
// when either is missing, which the caller treats as the call failing. A DLL loaded
// here stays loaded for the rest of the run: objects it made (a COM stream, a
// picture) may outlive any one caller, and they call back into it when released.
FARPROC FindSystemFunction(const char* dll, const char* name);

template <class Function>
Function SystemFunction(const char* dll, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(FindSystemFunction(dll, name)));
}
