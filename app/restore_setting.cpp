#include "app/restore_setting.h"

#include "app/hotkeyreg.h"

bool ReadRestoreClipboard() { return OpenStore().ReadExactDword(kRestoreClipboardValue) == 1u; }

void WriteRestoreClipboard(bool on) { OpenStore().WriteInteger(kRestoreClipboardValue, on ? 1 : 0); }
