// Entry point: one copy per logon, the data module and then the main window, the
// message loop until Quit, the pastes still pending, and the standard error box for a
// failed start.
#include <windows.h>

#include <cstdlib>

#include "app/copypaste.h"
#include "app/datamod.h"
#include "app/main.h"
#include "app/messages.h"
#include "framework/application.h"

// What the C++ runtime calls for an exception nobody caught. Its own version prints
// the exception's demangled type name to standard error, which a program without a
// console never shows, and the demangler is a twelfth of velnor.exe. Escaping errors
// are shown in the standard error box before they could get here.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace {
const char kMutexName[] = "Velnor by dastrel";

// The single-instance mutex, owned from start to end.
class InstanceMutex {
 public:
  InstanceMutex() : handle_(CreateMutexA(nullptr, TRUE, kMutexName)), alone_(GetLastError() == 0) {}
  ~InstanceMutex() {
    if (!handle_) return;
    if (alone_) ReleaseMutex(handle_);
    CloseHandle(handle_);
  }
  InstanceMutex(const InstanceMutex&) = delete;
  InstanceMutex& operator=(const InstanceMutex&) = delete;
  bool Alone() const { return alone_; }

 private:
  HANDLE handle_;
  bool alone_;
};
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  InstanceMutex mutex;
  if (!mutex.Alone()) {
    MessageBoxA(nullptr, kAlreadyRunning, "Velnor", MB_ICONERROR);
    return 1;
  }
  Application& app = Application::Instance();
  try {
    app.Initialize();
    app.CreateOwned<TDM>(&app);
    app.CreateOwned<TMainFrm>(&app);
    app.Run();
  } catch (...) {
    app.HandleCurrentException(nullptr);
  }
  // A press just before Quit still pastes; no paste runs on past the objects below.
  TCopyPaste::FinishPending();
  app.DestroyOwned();  // the main window, then the data module
  return 0;
}
