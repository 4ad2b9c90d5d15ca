#include "framework/system_library.h"

FARPROC FindSystemFunction(const char* dll, const char* name) {
  HMODULE module = GetModuleHandleA(dll);
  // The DLLs asked for are known DLLs, which Windows loads from the system folder
  // only, whatever lies beside the program.
  if (!module) module = LoadLibraryA(dll);
  return module ? GetProcAddress(module, name) : nullptr;
}
