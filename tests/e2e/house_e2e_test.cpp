// How the real program holds itself together, seen from outside: it writes no code of
// its own at run time, and a paste stuck in the clipboard when the program ends does
// not take the end down with it.
#include <doctest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "executable_memory.h"
#include "key_input.h"
#include "velnor_session.h"
#include "wait.h"

namespace {
const StoredSlot kGreeting{"Greeting", "Hello, world", 1, 1, 0, 'K'};

// A window of the test on a thread of its own owns the clipboard. Stalled, its thread
// stops reading messages for a while: a program that empties the clipboard meanwhile
// waits in EmptyClipboard for the owner to hear of it (up to five seconds).
class StalledClipboardOwner {
 public:
  StalledClipboardOwner() : thread_([this] { Run(); }) {
    while (!owning_ && !failed_) Sleep(1);
  }
  ~StalledClipboardOwner() {
    SetEvent(release_);
    done_ = true;
    thread_.join();
    CloseHandle(release_);
  }
  StalledClipboardOwner(const StalledClipboardOwner&) = delete;
  StalledClipboardOwner& operator=(const StalledClipboardOwner&) = delete;

  bool Owning() const { return owning_; }
  // The thread stops reading its messages until the owner is released or goes.
  void Stall() { stall_ = true; }

 private:
  void Run() {
    HWND window = CreateWindowExA(0, "STATIC", "clipboard owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  nullptr, nullptr);
    if (!window || !OpenClipboard(window)) {
      failed_ = true;
      return;
    }
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 6);
    std::memcpy(GlobalLock(text), "owned", 6);
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();
    owning_ = true;
    while (!done_) {
      if (stall_) {
        WaitForSingleObject(release_, 8000);
        stall_ = false;
      }
      PumpFor(5);
    }
    DestroyWindow(window);
  }

  HANDLE release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::atomic<bool> owning_{false}, failed_{false}, stall_{false}, done_{false};
  std::thread thread_;
};

std::string Listed(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}
}  // namespace

TEST_CASE("the program writes no code of its own: no executable memory outside its modules") {
  VelnorSession session({{0, kGreeting}});
  REQUIRE(session.Start());
  HANDLE process = session.velnor.Process();
  const std::vector<std::string> atStart = ExecutableMemoryOutsideImages(process);
  CHECK_MESSAGE(atStart.empty(), "after start-up:\n" << Listed(atStart));

  // The window, its menu and minimising again; the popup; a paste.
  REQUIRE(session.tray.DoubleClickIcon());
  REQUIRE(session.velnor.WaitShownWindow("Velnor Preferences") != nullptr);
  PostMessageA(session.velnor.FindWindowOf("Velnor Preferences"), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  REQUIRE(session.tray.WaitIconShown(true));
  REQUIRE(session.OpenQuickSelect() != nullptr);
  PressKey(VK_ESCAPE);
  REQUIRE(session.QuickSelectGone());
  REQUIRE(session.target.Activate());
  PressHotkey(MOD_CONTROL | MOD_ALT, 'K');
  REQUIRE(session.PasteArrives("Hello, world"));

  const std::vector<std::string> afterUse = ExecutableMemoryOutsideImages(process);
  CHECK_MESSAGE(afterUse.empty(), "after the window, the popup and a paste:\n" << Listed(afterUse));
}

TEST_CASE("a paste stuck in the clipboard at the end: the end gives up on it and the program exits cleanly") {
  VelnorSession session({{0, kGreeting}});
  REQUIRE(session.Start());
  REQUIRE(session.target.Activate());
  StalledClipboardOwner owner;
  REQUIRE(owner.Owning());

  // The paste reaches EmptyClipboard 100 ms after the press and waits there for the
  // stalled owner; the program is told to end meanwhile.
  owner.Stall();
  PressHotkey(MOD_CONTROL | MOD_ALT, 'K');
  PumpFor(400);
  HWND main = session.velnor.FindWindowOf("Velnor Preferences");
  REQUIRE(main != nullptr);
  const DWORD closed = GetTickCount();
  PostMessageA(main, WM_CLOSE, 0, 0);
  const DWORD code = session.velnor.WaitExit(8000);
  const DWORD took = GetTickCount() - closed;
  CAPTURE(took);
  // The end waited for the worker as long as it ever does, and gave up: the worker was
  // still in the clipboard, holding what the pastes share, when the program returned.
  CHECK(took >= 1900);
  CHECK(took < 4500);
  CHECK(code == 0);
}
