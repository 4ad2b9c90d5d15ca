#pragma once
// The program's own windows inside the test process, made the way the entry point
// makes them: the application window, the data module (which takes Ctrl+Shift+Z at
// once) and the main window (which loads the slots from the store, applies their
// hotkeys and goes to the notification area). Torn down in reverse order. Prepare
// the store (slot_store.h) before constructing.
#include "app/datamod.h"
#include "app/main.h"

class ProgramWindows {
 public:
  ProgramWindows();
  ~ProgramWindows();  // the main window, then the data module
  ProgramWindows(const ProgramWindows&) = delete;
  ProgramWindows& operator=(const ProgramWindows&) = delete;

  TDM& DataModule() { return *dm_; }
  TMainFrm& MainForm() { return *main_; }

 private:
  TDM* dm_ = nullptr;
  TMainFrm* main_ = nullptr;
};
