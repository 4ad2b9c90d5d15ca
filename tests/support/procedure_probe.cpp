#include "procedure_probe.h"

bool ProcedureReleased(WNDPROC procedure) {
  MEMORY_BASIC_INFORMATION info{};
  VirtualQuery(reinterpret_cast<void*>(procedure), &info, sizeof info);
  return info.State != MEM_COMMIT;
}
