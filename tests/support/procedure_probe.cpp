#include "procedure_probe.h"

bool IsLoadedImageCode(WNDPROC procedure) {
  MEMORY_BASIC_INFORMATION info{};
  if (!VirtualQuery(reinterpret_cast<void*>(procedure), &info, sizeof info)) return false;
  return info.State == MEM_COMMIT && info.Type == MEM_IMAGE;
}
