// The program's dialogs leave nothing behind: opening, painting and closing the slot
// editor and the About box many times, as the main window opens them (made, shown,
// closed, destroyed), ends with as many GDI objects and windows in the process as
// after the first time. Wine's GetGuiResources reports 0 for every process, so the
// GDI objects are counted from the process's handle table instead: every handle
// index GetObjectType knows.
#include <doctest.h>

#include <string>
#include <vector>

#include "app/about.h"
#include "app/hotkeypref.h"
#include "program_windows.h"
#include "slot_store.h"
#include "wait.h"

namespace {
constexpr int kCycles = 20;

int GdiObjects() {
  if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(reported);
  int count = 0;
  for (UINT_PTR index = 1; index < 0x10000; ++index)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++count;
  return count;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM lParam) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == GetCurrentProcessId()) ++*reinterpret_cast<int*>(lParam);
  return TRUE;
}

int Windows() {
  int count = 0;
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

// Shown and painted, then closed; destroyed as the main window's handler ends.
template <class Form>
void Cycle(TMainFrm& main, void (*prepare)(Form&, TMainFrm&)) {
  Form form(&main);
  prepare(form, main);
  form.Show();
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpFor(10);
  form.Close();
  PumpFor(5);
}

struct Counts {
  int gdi, windows;
};

Counts Now() {
  PumpFor(20);
  return {GdiObjects(), Windows()};
}
}  // namespace

TEST_CASE("the GDI object count sees an object made and deleted here") {
  const int before = GdiObjects();
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  CHECK(GdiObjects() == before + 1);
  DeleteObject(brush);
  CHECK(GdiObjects() == before);
}

TEST_CASE("opening and closing a dialog many times leaves no GDI object and no window behind") {
  struct Case {
    const char* name;
    void (*cycle)(TMainFrm&);
  };
  const Case cases[] = {
      {"slot editor",
       [](TMainFrm& main) {
         Cycle<THotkeyPrefFrm>(main, [](THotkeyPrefFrm& editor, TMainFrm& owner) {
           editor.SlotIndex = 0;
           editor.Slot = (*owner.SlotList)[0].get();
         });
       }},
      {"About box", [](TMainFrm& main) { Cycle<TAboutFrm>(main, [](TAboutFrm&, TMainFrm&) {}); }},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    ClearStore();
    WriteStoredSlot(1, {"Greeting", "Hello, world", 1, 1, 0, 'K'});
    {
      ProgramWindows windows;
      c.cycle(windows.MainForm());  // first use: fonts, skins and pictures some controls keep
      const Counts first = Now();
      for (int i = 1; i < kCycles; ++i) c.cycle(windows.MainForm());
      const Counts last = Now();
      CHECK(last.gdi == first.gdi);
      CHECK(last.windows == first.windows);
    }
    ClearStore();
  }
}
