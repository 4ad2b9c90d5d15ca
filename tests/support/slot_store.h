#pragma once
// The program's registry store as a test prepares and inspects it, with plain
// registry calls under HKCU\Software\Dastrel\Velnor.
#include <windows.h>

#include <optional>
#include <string>

struct StoredSlot {
  std::string display, paste;
  DWORD ctrl = 0, alt = 0, shift = 0;
  char key = 0;
};

// Deletes the whole key, so the next start is a first run.
void ClearStore();
// Writes the six values of slot number n (1..10) in the program's own format.
void WriteStoredSlot(int n, const StoredSlot& slot);
// Lets everyone only read the key (and delete it, so it can still be cleared),
// creating it when missing: opening it for writing is refused from then on, so every
// later save fails. False when the key's access could not be changed.
bool DenyWritesToStore();
// Writes one raw value (any type, any bytes), creating the key when missing.
void WriteStoreValue(const std::string& name, DWORD type, const std::string& bytes);
// Type and bytes of one value, or nothing when it is missing.
struct RawValue {
  DWORD type;
  std::string bytes;
};
std::optional<RawValue> ReadStoreValue(const std::string& name);
// "DisplayText" + slot number as two digits, e.g. StoreName("KeyCode", 10) = "KeyCode10".
std::string StoreName(const char* prefix, int n);
