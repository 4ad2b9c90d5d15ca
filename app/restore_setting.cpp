#include "app/restore_setting.h"

#include "app/hotkeyreg.h"
#include "app/messages.h"

namespace {
Registry OpenStore() {
  Registry store(HKEY_CURRENT_USER, KEY_ALL_ACCESS,
                 {kRegistryReadFailed, kRegistryBadType, kRegistryWriteFailed});
  // Without the key the switch reads as off and its write reports the failure.
  static_cast<void>(store.OpenKey(kStoreKeyPath, true));
  return store;
}
}  // namespace

bool ReadRestoreClipboard() { return OpenStore().ReadExactDword(kRestoreClipboardValue) == 1u; }

void WriteRestoreClipboard(bool on) { OpenStore().WriteInteger(kRestoreClipboardValue, on ? 1 : 0); }
