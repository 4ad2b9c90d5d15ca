#include "app/hotkeyreg.h"

#include <windows.h>

#include <utility>

#include "app/messages.h"

namespace {
// One of the six per-slot value names, e.g. "IsCTRL01" for slot number 1.
std::string ValueName(const char* stem, int number) {
  // The system's formatter: the C library's would bring its floating-point printing
  // into the program for two digits. The stems are a few letters, far below its limit.
  char name[32];
  wsprintfA(name, "%s%02d", stem, number);
  return name;
}
}  // namespace

void ClearSlot(THotkeyStruct& slot) { slot = THotkeyStruct{}; }

TSlotList MakeClearedSlotList() {
  TSlotList list;
  list.reserve(kSlotCount);
  for (int i = 0; i < kSlotCount; ++i) list.push_back(std::make_unique<THotkeyStruct>());
  return list;
}

Registry OpenStore() {
  Registry store(HKEY_CURRENT_USER, KEY_ALL_ACCESS,
                 {kRegistryReadFailed, kRegistryBadType, kRegistryWriteFailed});
  // Left unchecked on purpose: without a key a load finds no values (cleared records,
  // the switch off) and the first write reports the failure with the value's name.
  static_cast<void>(store.OpenKey(kStoreKeyPath, true));
  return store;
}

THotkeyReg::THotkeyReg() : Registry_(OpenStore()) {}

void THotkeyReg::LoadSlots(TSlotList& list) {
  for (size_t i = 0; i < list.size(); ++i) {
    THotkeyStruct& slot = *list[i];
    const int n = static_cast<int>(i) + 1;
    slot.DisplayText = Registry_.ReadString(ValueName("DisplayText", n));
    slot.PasteText = Registry_.ReadString(ValueName("PasteText", n));
    // A missing flag or key keeps what the record held.
    for (auto [stem, field] :
         {std::pair{"IsCTRL", &THotkeyStruct::IsCTRL}, std::pair{"IsALT", &THotkeyStruct::IsALT},
          std::pair{"IsSHIFT", &THotkeyStruct::IsSHIFT}}) {
      if (auto value = Registry_.ReadIntegerIfExists(ValueName(stem, n))) slot.*field = *value;
    }
    if (auto key = Registry_.ReadStringIfExists(ValueName("KeyCode", n)))
      slot.KeyCode = key->empty() ? 0 : (*key)[0];
  }
}

void THotkeyReg::SaveSlot(const THotkeyStruct& slot, int index) {
  const int n = index + 1;
  Registry_.WriteString(ValueName("DisplayText", n), slot.DisplayText);
  Registry_.WriteString(ValueName("PasteText", n), slot.PasteText);
  Registry_.WriteInteger(ValueName("IsCTRL", n), slot.IsCTRL);
  Registry_.WriteInteger(ValueName("IsALT", n), slot.IsALT);
  Registry_.WriteInteger(ValueName("IsSHIFT", n), slot.IsSHIFT);
  // WriteString adds the NUL, so a KeyCode of 0 is stored as two NUL bytes.
  Registry_.WriteString(ValueName("KeyCode", n), std::string(1, slot.KeyCode));
}
