// Entry point: one copy per logon, the data module and then the main window, the
// message loop until Quit, the pastes still pending, and the standard error box for a
// failed start.
#include <windows.h>

#include <cstdlib>

#include "app/datamod.h"
#include "app/main.h"
#include "app/messages.h"
#include "components/paint/program_file_mutex.h"
#include "framework/application.h"
#include "framework/named_mutex.h"
#include "framework/window_class_name.h"

// What the C++ runtime calls for an exception nobody caught. Its own version prints
// the exception's demangled type name to standard error, which a program without a
// console never shows, and the demangler is a twelfth of velnor.exe. Escaping errors
// are shown in the standard error box before they could get here.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace {
const char kMutexName[] = "Velnor by dastrel";
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Its windows' classes are "VelnorControl", "VelnorApplication", ...
  SetWindowClassPrefix("Velnor");
  // What the components set up for the whole program comes first, before any code of
  // the program's own, as it would when the component modules start.
  ProgramFileMutex componentsMutex;
  // One copy per logon: the first owns this until it returns. Any answer but a new
  // mutex (another copy's, normally) refuses the start.
  NamedMutex instance(kMutexName, true);
  if (instance.CreateError() != 0) {
    MessageBoxA(nullptr, kAlreadyRunning, "Velnor", MB_ICONERROR);
    return 1;
  }
  Application& app = Application::Instance();
  TDM* dataModule = nullptr;
  try {
    app.Initialize();
    dataModule = &app.CreateOwned<TDM>(&app);
    app.CreateOwned<TMainFrm>(&app, *dataModule);
    app.Run();
  } catch (...) {
    app.HandleCurrentException(nullptr);
  }
  // A press just before Quit still pastes; a paste that cannot finish in time keeps
  // what it shares with the others alive, past the objects below.
  if (dataModule) dataModule->FinishPendingPastes();
  app.DestroyOwned();  // the main window, then the data module
  return 0;
}
