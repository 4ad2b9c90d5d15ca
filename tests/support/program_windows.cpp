#include "program_windows.h"

#include "framework/application.h"

ProgramWindows::ProgramWindows() {
  Application& app = Application::Instance();
  app.Initialize();
  try {
    dm_ = &app.CreateOwned<TDM>(&app);
    main_ = &app.CreateOwned<TMainFrm>(&app, *dm_);
  } catch (...) {
    app.DestroyOwned();
    throw;
  }
}

ProgramWindows::~ProgramWindows() { Application::Instance().DestroyOwned(); }
