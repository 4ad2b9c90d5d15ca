#pragma once
// The keys the benchmarks press and probe, and the probe itself.
#include <windows.h>

#include <string>

struct HotkeyChord {
  UINT modifiers;  // MOD_CONTROL, MOD_ALT, MOD_SHIFT
  UINT key;        // virtual key
};

inline constexpr HotkeyChord kQuickSelectKey{MOD_CONTROL | MOD_SHIFT, 'Z'};

// The ten slots the benchmarks give Velnor: slot n is CTRL+ALT+n (slot 10 CTRL+ALT+0)
// and pastes "velnor bench n". Slot 1's key is also the floors' slot hotkey.
inline constexpr int kBenchSlots = 10;
HotkeyChord SlotKey(int index);  // index 0..9
std::string SlotText(int index);
// Writes the ten slots to HKCU\Software\Dastrel\Velnor; throws std::runtime_error.
void StoreBenchSlots();

// True when another thread holds the key: our own registration fails with 1409.
// The probe holds the key for one server round trip when it is free, so a program
// registering at that very moment loses; the drivers detect that and redo the run.
bool HotkeyTaken(HotkeyChord key);

// One SendInput: modifiers down, key down, key up, modifiers up.
void PressHotkey(HotkeyChord key);
void PressKey(WORD key);
void DoubleClickAt(POINT screen);
