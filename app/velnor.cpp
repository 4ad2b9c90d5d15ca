// Entry point: the snippet core on its own. The data module and the ten slot
// records loaded from the store; every stored slot hotkey pastes into the focused window.
#include <windows.h>

#include "app/datamod.h"
#include "app/hotkeyreg.h"
#include "app/shortcut.h"
#include "framework/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application::Instance().SetTitle("Velnor");
  try {
    TDM dm(nullptr);
    TSlotList slots = MakeClearedSlotList();
    THotkeyReg().LoadSlots(slots);
    for (int i = 0; i < kSlotCount; ++i) dm.ApplyHotkey(i, MakeHotkeyText(*slots[i]));
    dm.SetSlots(&slots);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    dm.SetSlots(nullptr);
  } catch (...) {
    Application::Instance().HandleCurrentException(nullptr);
  }
  return 0;
}
