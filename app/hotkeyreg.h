#pragma once
// The snippet slot record and its store under HKCU\Software\Dastrel\Velnor.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/registry.h"

inline constexpr int kSlotCount = 10;
inline constexpr char kStoreKeyPath[] = "Software\\Dastrel\\Velnor";

// The store's key, opened (made when missing) for reading and writing, with the
// program's messages for a failed read, a wrong type and a failed write.
Registry OpenStore();

struct THotkeyStruct {
  std::string DisplayText;
  std::string PasteText;
  std::int32_t IsCTRL = 0;  // written as 0 or 1; any stored value is held unchanged
  std::int32_t IsALT = 0;
  std::int32_t IsSHIFT = 0;
  char KeyCode = 0;  // the hotkey's key character, 0 for none
};

// Empties a record: both texts empty, the three flags 0, KeyCode 0.
void ClearSlot(THotkeyStruct& slot);

// The owning, ordered list of the ten records; index i is slot number i + 1.
using TSlotList = std::vector<std::unique_ptr<THotkeyStruct>>;
TSlotList MakeClearedSlotList();

// Made for one load or one save; the key is open exactly as long as the object lives.
class THotkeyReg {
 public:
  THotkeyReg();  // opens (creating when missing) the key; a failure leaves no current key
  // Fills every record in list order; a failure raises Error naming the value and
  // leaves the records after it as they were.
  void LoadSlots(TSlotList& list);
  // Writes the six values of slot number index + 1; a failed write raises Error.
  void SaveSlot(const THotkeyStruct& slot, int index);

 private:
  Registry Registry_;
};
