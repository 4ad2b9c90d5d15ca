// The program's windows and pastes leave nothing behind: opening, painting and closing
// the slot editor, the About box and the quick-select popup many times, as the program
// opens them (made, shown, closed, destroyed), and pasting many times into another
// program's edit control, ends with as many GDI objects and USER objects (windows and menus) in the
// process as after a warm-up, and with its private bytes within a small margin.
//
// Wine's GetGuiResources reports 0 for every process, so GDI objects are counted from
// the process's handle table (every index GetObjectType knows) and USER objects from
// the user handle table (every handle IsWindow or IsMenu knows that is this process's).
// Wine leaves PrivateUsage 0 but fills PagefileUsage, the same figure on Windows,
// with the process's resident anonymous memory (and swap), so that is what is read.
//
// VELNOR_SOAK_CYCLES and VELNOR_SOAK_PASTES set the number of measured cycles and
// pastes (a soak run takes 500 and 10000); each measured thing prints one line:
//   resources editor: 20 cycles, gdi +0, user +0, private +8 KB
#include <doctest.h>
#include <windows.h>
// After windows.h, whose types they use.
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/about.h"
#include "app/datamod.h"
#include "app/hotkeypref.h"
#include "app/quicksel.h"
#include "program_windows.h"
#include "slot_store.h"
#include "wait.h"
#include "windowed_program.h"

namespace {
// Quick enough for every suite run; the soak script sets more.
constexpr int kDefaultCycles = 20;
constexpr int kDefaultPastes = 30;
// The first uses make what some controls keep for the process's life (fonts, skins,
// pictures, the theme's data) and let the heaps reach their working size.
constexpr int kWarmUpCycles = 3;
// Private bytes move by whole pages whatever leaks: a freed block's page may stay
// resident, the heap takes and returns memory in steps, and each paste's thread brings
// a stack and takes it away again. Runs without a leak stay within 20 KB; 64 KB (16
// pages) lets that pass, while a leak of 8 KB a cycle fails 20 cycles and one of
// 200 bytes fails a soak of 500.
constexpr long long kPrivateMarginKb = 64;
constexpr char kPasteText[] = "Hello, world";

int FromEnvironment(const char* name, int fallback) {
  char text[32] = {};
  const DWORD length = GetEnvironmentVariableA(name, text, sizeof text);
  if (length == 0 || length >= sizeof text) return fallback;
  const int value = std::atoi(text);
  return value > 0 ? value : fallback;
}

int GdiObjects() {
  if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
    return static_cast<int>(reported);
  int count = 0;
  for (UINT_PTR index = 1; index < 0x10000; ++index)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++count;
  return count;
}

// User handles are even numbers from 0x20 below 0xFFF0 in their low word; a handle
// given without its high word matches the entry whatever its generation.
int UserObjects() {
  if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS))
    return static_cast<int>(reported);
  int count = 0;
  for (UINT_PTR value = 0x20; value < 0xFFF0; value += 2) {
    HWND window = reinterpret_cast<HWND>(value);
    DWORD owner = 0;
    if (IsWindow(window) && GetWindowThreadProcessId(window, &owner) && owner == GetCurrentProcessId())
      ++count;
    // Menus are this process's own: IsMenu knows no other process's.
    if (IsMenu(reinterpret_cast<HMENU>(value))) ++count;
  }
  return count;
}

long long PrivateKb() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof counters);
  // The same figure on Windows; Wine leaves PrivateUsage 0 and gives it here.
  const SIZE_T bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
  return static_cast<long long>(bytes / 1024);
}

int Threads() {
  int count = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  CloseHandle(snapshot);
  return count;
}

struct Counts {
  int gdi, user;
  long long privateKb;
};

// Once the threads that were not there at the start have ended: a paste's worker
// frees itself a moment after its text arrived.
Counts Now(int threadsAtStart) {
  if (!PumpUntil([&] { return Threads() <= threadsAtStart; }))
    MESSAGE("threads still running: " << Threads() << ", at the start " << threadsAtStart);
  PumpFor(20);
  return {GdiObjects(), UserObjects(), PrivateKb()};
}

// Shown and painted, then closed; destroyed as the code that opened it ends.
template <class Form, class Owner>
void Cycle(Owner&& owner, void (*prepare)(Form&, TMainFrm&), TMainFrm& main) {
  Form form(std::forward<Owner>(owner));
  prepare(form, main);
  form.Show();
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpFor(10);
  form.Close();
  PumpFor(5);
}

// Warms up, then runs the measured repetitions; prints the figures and checks them.
void Measure(const char* name, const char* unit, int repetitions, const std::function<void()>& once) {
  const int threads = Threads();
  for (int i = 0; i < kWarmUpCycles; ++i) once();
  const Counts first = Now(threads);
  for (int i = 0; i < repetitions; ++i) once();
  const Counts last = Now(threads);
  const long long grown = last.privateKb - first.privateKb;
  std::printf("resources %s: %d %s, gdi %+d, user %+d, private %+lld KB\n", name, repetitions, unit,
              last.gdi - first.gdi, last.user - first.user, grown);
  std::fflush(stdout);
  CAPTURE(name);
  CHECK(last.gdi == first.gdi);
  CHECK(last.user == first.user);
  CHECK(grown <= kPrivateMarginKb);
}

const StoredSlot kSlot{"Greeting", kPasteText, 1, 1, 0, 'K'};
}  // namespace

TEST_CASE("the resource counts see an object made and deleted here") {
  const Counts before = Now(Threads());
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  CHECK(GdiObjects() == before.gdi + 1);
  DeleteObject(brush);
  CHECK(GdiObjects() == before.gdi);

  // A top-level window, a child window and a menu each count once. The thread's
  // first window brings an input method window along, which goes with its last one.
  HWND keeper = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  const int users = UserObjects();
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, window, nullptr, nullptr, nullptr);
  HMENU menu = CreatePopupMenu();
  CHECK(child != nullptr);
  CHECK(UserObjects() == users + 3);
  DestroyMenu(menu);
  DestroyWindow(window);
  CHECK(UserObjects() == users);
  DestroyWindow(keeper);

  // Memory written to is private memory, a megabyte of it well beyond the margin.
  std::vector<char> block(1 << 20, 'x');
  CHECK(PrivateKb() - before.privateKb >= 1024 - kPrivateMarginKb / 4);
  CHECK(block.back() == 'x');
}

TEST_CASE("opening and closing the program's windows many times leaves no object and no memory behind") {
  struct Case {
    const char* name;
    void (*cycle)(ProgramWindows&);
  };
  const Case cases[] = {
      {"editor",
       [](ProgramWindows& windows) {
         Cycle<THotkeyPrefFrm>(
             windows.MainForm(),
             [](THotkeyPrefFrm& editor, TMainFrm& main) {
               editor.SlotIndex = 0;
               editor.Slot = (*main.SlotList)[0].get();
             },
             windows.MainForm());
       }},
      {"about",
       [](ProgramWindows& windows) {
         Cycle<TAboutFrm>(
             &windows.MainForm(), [](TAboutFrm&, TMainFrm&) {}, windows.MainForm());
       }},
      // Owned by the data module, as the system hotkey opens it.
      {"quicksel",
       [](ProgramWindows& windows) {
         Cycle<TFormQuickSel>(
             windows.DataModule(), [](TFormQuickSel&, TMainFrm&) {}, windows.MainForm());
       }},
  };
  const int cycles = FromEnvironment("VELNOR_SOAK_CYCLES", kDefaultCycles);
  for (const Case& c : cases) {
    CAPTURE(c.name);
    ClearStore();
    WriteStoredSlot(1, kSlot);
    {
      ProgramWindows windows;
      Measure(c.name, "cycles", cycles, [&] { c.cycle(windows); });
    }
    ClearStore();
  }
}

// An edit control in another process, that of Wine's notepad: Wine keeps memory in the
// reading process for each read of the clipboard (about 2 KB of heap each time, freed
// with the process), which is the target application's, not the program's.
class ForeignEdit {
 public:
  ForeignEdit() : notepad_("notepad.exe") {
    if (notepad_.Window()) edit_ = FindWindowExA(notepad_.Window(), nullptr, "Edit", nullptr);
  }
  ~ForeignEdit() {
    // Unchanged, it closes without asking whether to save.
    Clear();
    SendMessageTimeoutA(edit_, EM_SETMODIFY, FALSE, 0, SMTO_NORMAL, 2000, nullptr);
  }
  ForeignEdit(const ForeignEdit&) = delete;
  ForeignEdit& operator=(const ForeignEdit&) = delete;

  bool Activate() {
    if (!edit_) return false;
    SetForegroundWindow(notepad_.Window());
    return PumpUntil([&] { return GetForegroundWindow() == notepad_.Window(); }, 3000);
  }
  std::string Text() const {
    char text[256] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(edit_, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000,
                        &copied);
    return text;
  }
  void Clear() const {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""), SMTO_NORMAL, 2000, &result);
  }

 private:
  WindowedProgram notepad_;
  HWND edit_ = nullptr;
};

TEST_CASE("many pastes into another program's edit control leave no object and no memory behind") {
  ClearStore();
  WriteStoredSlot(1, kSlot);
  {
    ProgramWindows windows;
    ForeignEdit target;
    REQUIRE(target.Activate());
    int missed = 0;
    // One paste at a time, each seen arriving, into an emptied control.
    auto paste = [&] {
      target.Clear();
      windows.DataModule().PasteSlot(0, {});
      if (!PumpUntil([&] { return target.Text() == kPasteText; })) ++missed;
    };
    Measure("pastes", "pastes", FromEnvironment("VELNOR_SOAK_PASTES", kDefaultPastes), paste);
    CHECK(missed == 0);
  }
  ClearStore();
}
