// The notification-area icon against the real shell of the Wine virtual desktop.
// What the shell holds is observed from outside, the way the user sees it: adding an
// icon under the component's window and id fails exactly while the component's icon
// is there, and the notification area's pixels show which picture was last sent.
#include "components/system/tray_icon.h"

#include <doctest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/system/wnd_proc_hook.h"
#include "framework/application.h"
#include "framework/error.h"
#include "framework/form.h"
#include "framework/menu.h"
#include "message_box_watcher.h"
#include "notification_area.h"
#include "procedure_probe.h"
#include "tray_probe.h"
#include "wait.h"
#include "x_input.h"

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
// Long enough for the shell to have repainted after a change that should not come.
constexpr DWORD kSettleMs = 300;

class SolidIcon {
 public:
  explicit SolidIcon(COLORREF colour) {
    constexpr int kSize = 32;
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateCompatibleBitmap(screen, kSize, kSize);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, picture);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all{0, 0, kSize, kSize};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    std::vector<std::uint8_t> opaque(kSize * kSize / 8, 0);
    HBITMAP mask = CreateBitmap(kSize, kSize, 1, 1, opaque.data());
    ICONINFO info{TRUE, 0, 0, mask, picture};
    handle_ = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(picture);
  }
  ~SolidIcon() { DestroyIcon(handle_); }
  SolidIcon(const SolidIcon&) = delete;
  SolidIcon& operator=(const SolidIcon&) = delete;
  HICON Handle() const { return handle_; }

 private:
  HICON handle_;
};

COLORREF TrayColour() {
  HDC screen = GetDC(nullptr);
  COLORREF colour = GetPixel(screen, kTrayIconSpot.x, kTrayIconSpot.y);
  ReleaseDC(nullptr, screen);
  return colour;
}
bool TrayShows(COLORREF colour) {
  return PumpUntil([colour] { return TrayColour() == colour; });
}
bool TrayKeeps(COLORREF colour) {
  PumpFor(kSettleMs);
  return TrayColour() == colour;
}
bool TrayEmpty() {
  return PumpUntil([] {
    COLORREF c = TrayColour();
    return c != kRed && c != kGreen && c != kBlue;
  });
}

// The test's own record for the component's window and id 0, made independently
// of the component's.
bool Shell(DWORD message, HWND window, HICON icon) {
  NOTIFYICONDATAA record{};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = window;
  record.uFlags = NIF_ICON | NIF_MESSAGE;
  record.uCallbackMessage = WM_USER + 101;
  record.hIcon = icon;
  return Shell_NotifyIconA(message, &record);
}

// Window procedures as numbers, which the test framework can compare and print.
std::uintptr_t ProcedureOf(HWND window) { return GetWindowLongPtrA(window, GWLP_WNDPROC); }
std::uintptr_t Address(WNDPROC procedure) { return reinterpret_cast<std::uintptr_t>(procedure); }

const char* ButtonName(MouseButton button) {
  switch (button) {
    case MouseButton::Left:
      return "L";
    case MouseButton::Right:
      return "R";
    case MouseButton::Middle:
      return "M";
  }
  return "?";
}

// A form and its tray icon with the main window's layout: Active false, a hint, an icon.
struct TrayFixture {
  SolidIcon red{kRed};
  TForm form{nullptr};
  TTrayIcon tray{&form};
  HWND app = nullptr;
  std::uintptr_t formProcedure = 0;
  std::vector<std::string> log;
  POINT lastPoint{-1, -1};

  TrayFixture() {
    Application::Instance().Initialize();
    app = Application::Instance().Handle();
    form.SetCaption("Tray test");
    form.SetBorderStyle(TFormBorderStyle::bsSingle);
    form.SetClientSize(200, 100);
    formProcedure = ProcedureOf(form.Handle());
    form.BeginLoading();
    tray.SetActive(false);
    tray.SetHint("Velnor");
    tray.Icon().Assign(red.Handle());
    form.EndLoading();
    REQUIRE(TrayEmpty());  // nothing left over from an earlier test
  }

  void Record() {
    auto point = [this](int x, int y) { lastPoint = {x, y}; };
    tray.OnMouseMove = [this, point](Component*, TShiftState, int x, int y) {
      log.push_back("move");
      point(x, y);
    };
    tray.OnMouseDown = [this, point](Component* sender, MouseButton button, TShiftState shift, int x, int y) {
      CHECK(sender == &tray);
      log.push_back(std::string("down ") + ButtonName(button) +
                    (shift.Contains(ShiftFlag::Double) ? " double" : ""));
      point(x, y);
    };
    tray.OnMouseUp = [this, point](Component*, MouseButton button, TShiftState shift, int x, int y) {
      log.push_back(std::string("up ") + ButtonName(button) + (shift == TShiftState{} ? "" : " shifted"));
      point(x, y);
    };
    tray.OnClick = [this](Component* sender) {
      CHECK(sender == &tray);
      log.push_back("click");
    };
    tray.OnDblClick = [this](Component*) { log.push_back("dblclick"); };
    tray.OnPopUp = [this](Component*) { log.push_back("popup"); };
  }

  void Notify(LPARAM mouseMessage) {
    SendMessageA(tray.WindowHandle(), kTrayIconCallbackMessage, 0, mouseMessage);
  }
};

void Put(std::vector<std::uint8_t>& bytes, size_t offset, std::uint64_t value, size_t width) {
  for (size_t i = 0; i < width; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Where the shell reads each field of the first-version record, by architecture:
// handles are pointer-wide and aligned, so the 64-bit record is not the 32-bit one widened.
struct RecordLayout {
  std::uint32_t size;
  size_t window, id, flags, message, icon, tip;
};
#if defined(_WIN64)
constexpr RecordLayout kLayout{104, 8, 16, 20, 24, 32, 40};
constexpr std::uint64_t kWindowBits = 0x0000'7F12'00AB'CDEFull, kIconBits = 0x0000'7E34'1234'5678ull;
#else
constexpr RecordLayout kLayout{88, 4, 8, 12, 16, 20, 24};
constexpr std::uint64_t kWindowBits = 0x00AB'CDEF, kIconBits = 0x1234'5678;
#endif
}  // namespace

TEST_CASE("the shell gets the first-version record (88 bytes, 104 on 64-bit), the hint cut to 63 bytes") {
  const std::string seventy(70, 'x');
  struct Case {
    const char* name;
    std::string hint;
    std::string tip;
  };
  const Case cases[] = {
      {"short hint", "Velnor", "Velnor"},
      {"70 bytes", seventy, seventy.substr(0, 63)},
      {"exactly 63", seventy.substr(0, 63), seventy.substr(0, 63)},
      {"cut inside a double-byte character", std::string(62, 'a') + "\x83~b", std::string(62, 'a') + "\x83"},
      {"empty", "", ""},
  };
  HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(kWindowBits));
  HICON icon = reinterpret_cast<HICON>(static_cast<std::uintptr_t>(kIconBits));
  for (const Case& c : cases) {
    CAPTURE(c.name);
    NOTIFYICONDATAA record = TrayIconRecord(window, icon, c.hint);
    std::vector<std::uint8_t> expected(sizeof record, 0);
    Put(expected, 0, kLayout.size, 4);
    Put(expected, kLayout.window, kWindowBits, sizeof(HWND));
    Put(expected, kLayout.id, 0, 4);
    Put(expected, kLayout.flags, 7, 4);
    Put(expected, kLayout.message, 0x465, 4);
    Put(expected, kLayout.icon, kIconBits, sizeof(HICON));
    std::memcpy(&expected[kLayout.tip], c.tip.data(), c.tip.size());
    std::vector<std::uint8_t> actual(sizeof record);
    std::memcpy(actual.data(), &record, sizeof record);
    for (size_t i = 0; i < actual.size(); ++i) {
      CAPTURE(i);
      CHECK(int{actual[i]} == int{expected[i]});
    }
  }
}

TEST_CASE("the component's record names its private window and current icon and hint") {
  TrayFixture f;
  NOTIFYICONDATAA record = f.tray.Record();
  CHECK(record.hWnd == f.tray.WindowHandle());
  CHECK(record.hIcon == f.tray.Icon().Handle());
  CHECK(std::string(record.szTip) == "Velnor");
  CHECK(IsWindow(f.tray.WindowHandle()));
}

TEST_CASE(
    "activation adds one icon, hides the application window and hooks the form; deactivation undoes it") {
  TrayFixture f;
  // The layout's Active false ran the deactivation: nothing shown, nothing hooked, and
  // the application window left as it was (no taskbar button flashing at start-up).
  CHECK_FALSE(f.tray.Active());
  CHECK_FALSE(ShellHasIcon(f.tray.WindowHandle()));
  CHECK_FALSE(IsWindowVisible(f.app));
  CHECK(ProcedureOf(f.form.Handle()) == f.formProcedure);

  Application::Instance().ShowMainForm = true;
  f.tray.SetActive(true);
  CHECK(f.tray.Active());
  CHECK(ShellHasIcon(f.tray.WindowHandle()));
  CHECK(TrayShows(kRed));
  CHECK_FALSE(IsWindowVisible(f.app));
  CHECK_FALSE(Application::Instance().ShowMainForm);
  CHECK(f.tray.Hooked());
  CHECK(ProcedureOf(f.form.Handle()) != f.formProcedure);

  f.tray.SetActive(false);
  CHECK_FALSE(f.tray.Active());
  CHECK_FALSE(ShellHasIcon(f.tray.WindowHandle()));
  CHECK(TrayEmpty());
  CHECK(IsWindowVisible(f.app));
  CHECK(Application::Instance().ShowMainForm);
  CHECK_FALSE(f.tray.Hooked());
  CHECK(ProcedureOf(f.form.Handle()) == f.formProcedure);
}

TEST_CASE("activation while the application window and the form show hides the application window only") {
  TrayFixture f;
  f.form.Show();
  ShowWindow(f.app, SW_SHOW);
  REQUIRE(IsWindowVisible(f.form.Handle()));
  REQUIRE(IsWindowVisible(f.app));

  f.tray.SetActive(true);
  CHECK(ShellHasIcon(f.tray.WindowHandle()));
  CHECK_FALSE(IsWindowVisible(f.app));
  // The form is left to its owner: the main window hides itself when it goes to the icon.
  CHECK(IsWindowVisible(f.form.Handle()));
}

TEST_CASE("setting Active to its current value does nothing") {
  TrayFixture f;
  SUBCASE("active") {
    f.tray.SetActive(true);
    REQUIRE(TrayShows(kRed));
    // Behind the component's back: the icon goes and the taskbar button comes back.
    Shell(NIM_DELETE, f.tray.WindowHandle(), nullptr);
    ShowWindow(f.app, SW_SHOW);
    f.tray.SetActive(true);
    CHECK_FALSE(ShellHasIcon(f.tray.WindowHandle()));
    CHECK(IsWindowVisible(f.app));
  }
  SUBCASE("inactive") {
    SolidIcon green(kGreen);
    Shell(NIM_ADD, f.tray.WindowHandle(), green.Handle());
    ShowWindow(f.app, SW_HIDE);
    f.tray.SetActive(false);
    CHECK(TrayKeeps(kGreen));
    CHECK_FALSE(IsWindowVisible(f.app));
    Shell(NIM_DELETE, f.tray.WindowHandle(), nullptr);
  }
}

TEST_CASE("a layout that leaves Active at its default shows the icon when loading ends") {
  Application::Instance().Initialize();
  SolidIcon red(kRed);
  TForm form(nullptr);
  TTrayIcon tray(&form);
  form.BeginLoading();
  tray.Icon().Assign(red.Handle());
  CHECK_FALSE(ShellHasIcon(tray.WindowHandle()));
  form.EndLoading();
  CHECK(tray.Active());
  CHECK(tray.Hooked());
  CHECK(TrayShows(kRed));
}

TEST_CASE("Hint and Icon changes reach the shell while active, and only then") {
  TrayFixture f;
  SolidIcon green(kGreen), blue(kBlue);
  // The test puts a green picture under the component's id; a NIM_MODIFY from the
  // component puts its own picture back, so the pixels tell whether one was sent.
  struct Step {
    const char* name;
    std::function<void()> act;
    COLORREF shown;
  };
  SUBCASE("active") {
    f.tray.SetActive(true);
    REQUIRE(TrayShows(kRed));
    const Step steps[] = {
        {"unchanged hint", [&] { f.tray.SetHint("Velnor"); }, kGreen},
        {"new hint", [&] { f.tray.SetHint("Velnor 2"); }, kRed},
        {"new icon", [&] { f.tray.Icon().Assign(blue.Handle()); }, kBlue},
    };
    for (const Step& step : steps) {
      CAPTURE(step.name);
      Shell(NIM_MODIFY, f.tray.WindowHandle(), green.Handle());
      REQUIRE(TrayShows(kGreen));
      step.act();
      CHECK(TrayKeeps(step.shown));
    }
  }
  SUBCASE("inactive") {
    Shell(NIM_ADD, f.tray.WindowHandle(), green.Handle());
    REQUIRE(TrayShows(kGreen));
    f.tray.SetHint("Velnor 2");
    f.tray.Icon().Assign(blue.Handle());
    CHECK(TrayKeeps(kGreen));
    Shell(NIM_DELETE, f.tray.WindowHandle(), nullptr);
    // The changed settings are what the next activation shows.
    f.tray.SetActive(true);
    CHECK(TrayShows(kBlue));
    CHECK(std::string(f.tray.Record().szTip) == "Velnor 2");
  }
}

TEST_CASE("icon notifications become events in the documented order") {
  TrayFixture f;
  f.Record();
  struct Case {
    const char* name;
    std::vector<LPARAM> notifications;
    std::vector<std::string> events;
  };
  const Case cases[] = {
      {"left double click",
       {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP},
       {"down L", "click", "up L", "dblclick", "down L double", "click", "up L"}},
      {"right press without a menu, release", {WM_RBUTTONDOWN, WM_RBUTTONUP}, {"down R", "click", "up R"}},
      {"right double click", {WM_RBUTTONDBLCLK}, {"dblclick", "down R double"}},
      {"middle button",
       {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK},
       {"down M", "click", "up M", "dblclick", "down M double"}},
      {"pointer move", {WM_MOUSEMOVE}, {"move"}},
      {"other messages are ignored", {WM_KEYDOWN, WM_MOUSEWHEEL, WM_CONTEXTMENU}, {}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    f.log.clear();
    for (LPARAM n : c.notifications) f.Notify(n);
    CHECK(f.log == c.events);
  }

  // Only the callback message counts as a notification.
  f.log.clear();
  SendMessageA(f.tray.WindowHandle(), kTrayIconCallbackMessage + 1, 0, WM_LBUTTONDOWN);
  CHECK(f.log.empty());

  // X and Y are where the pointer is when the notification arrives.
  SetCursorPos(123, 234);
  REQUIRE(PumpUntil([] {
    POINT p;
    return GetCursorPos(&p) && p.x == 123 && p.y == 234;
  }));
  f.Notify(WM_LBUTTONDOWN);
  CHECK(f.lastPoint.x == 123);
  CHECK(f.lastPoint.y == 234);
}

TEST_CASE("an error escaping an icon event is shown and delivery goes on") {
  TrayFixture f;
  f.Record();
  f.tray.OnDblClick = [](Component*) { throw Error("Tray handler failed"); };
  MessageBoxWatcher watcher(Application::Instance().Title());
  f.Notify(WM_LBUTTONDBLCLK);
  REQUIRE(PumpUntil([&] { return !watcher.Texts().empty(); }));
  CHECK(watcher.Texts().front() == "Tray handler failed.");
  f.log.clear();
  f.Notify(WM_LBUTTONUP);
  CHECK(f.log == std::vector<std::string>{"click", "up L"});
}

namespace {
// The popup menu runs its own modal loop; a timer inside that loop finds the menu
// window, notes where it is and closes it.
struct MenuProbe {
  TPopupMenu* menu = nullptr;
  std::vector<std::string>* log = nullptr;
  RECT rect{};
  bool seen = false;
};
MenuProbe probe;

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) {
  HWND window = FindWindowA("#32768", nullptr);
  if (!probe.menu->OpenHandle() || !window || !IsWindowVisible(window)) return;
  if (!probe.seen) {
    probe.seen = true;
    probe.log->push_back("menu shown");
    GetWindowRect(window, &probe.rect);
  }
  EndMenu();
}
}  // namespace

TEST_CASE("a right-button press shows the popup menu at the pointer, after OnPopUp") {
  TrayFixture f;
  f.Record();
  TPopupMenu menu(&f.form);
  menu.Add("PreferencesP1", "Preferences(&P)");
  menu.Add("N1", "-");
  menu.Add("QuitQ1", "Quit(&Q)");
  f.tray.SetPopupMenu(&menu);
  f.tray.OnPopUp = [&](Component* sender) {
    CHECK(sender == &f.tray);
    CHECK(menu.OpenHandle() == nullptr);
    f.log.push_back("popup");
  };
  probe = {&menu, &f.log, {}, false};
  SetCursorPos(300, 200);
  REQUIRE(PumpUntil([] {
    POINT p;
    return GetCursorPos(&p) && p.x == 300 && p.y == 200;
  }));
  UINT_PTR timer = SetTimer(nullptr, 0, 50, &CloseMenu);
  f.Notify(WM_RBUTTONDOWN);
  KillTimer(nullptr, timer);
  CHECK(f.log == std::vector<std::string>{"down R", "popup", "menu shown"});
  CHECK(probe.rect.left == 300);
  CHECK(probe.rect.top == 200);
  CHECK(menu.PopupComponent() == &f.tray);
  CHECK(menu.OpenHandle() == nullptr);

  // A menu that is released is forgotten.
  f.log.clear();
  {
    TPopupMenu gone(&f.form);
    f.tray.SetPopupMenu(&gone);
  }
  CHECK(f.tray.PopupMenu() == nullptr);
  f.Notify(WM_RBUTTONDOWN);
  CHECK(f.log == std::vector<std::string>{"down R"});
}

TEST_CASE("a re-created taskbar gets the icon back while active, and only then") {
  TrayFixture f;
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  SUBCASE("active") {
    f.tray.SetActive(true);
    REQUIRE(TrayShows(kRed));
    // A new taskbar knows no icons.
    Shell(NIM_DELETE, f.tray.WindowHandle(), nullptr);
    REQUIRE(TrayEmpty());
    PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
    CHECK(TrayShows(kRed));
    CHECK(f.tray.Active());
    CHECK(f.tray.Hooked());
    CHECK(ProcedureOf(f.form.Handle()) != f.formProcedure);
    f.tray.SetActive(false);
    CHECK(ProcedureOf(f.form.Handle()) == f.formProcedure);
  }
  SUBCASE("inactive") {
    PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
    PumpFor(kSettleMs);
    CHECK_FALSE(ShellHasIcon(f.tray.WindowHandle()));
    CHECK_FALSE(f.tray.Active());
  }
}

TEST_CASE("while hooked, the form hides on minimise and keeps the taskbar button away") {
  TrayFixture f;
  auto minimise = [&] { SendMessageA(f.form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0); };
  SUBCASE("not hooked: an ordinary minimise") {
    f.form.Show();
    minimise();
    CHECK(IsIconic(f.form.Handle()));
    CHECK(IsWindowVisible(f.form.Handle()));
    CHECK(IsWindowVisible(f.app));
  }
  SUBCASE("hooked") {
    f.tray.SetActive(true);
    ShowWindow(f.app, SW_SHOW);
    f.form.Show();  // showing the form hides the taskbar button again
    CHECK(IsWindowVisible(f.form.Handle()));
    CHECK_FALSE(IsWindowVisible(f.app));
    ShowWindow(f.app, SW_SHOW);
    minimise();
    CHECK_FALSE(IsWindowVisible(f.form.Handle()));
    CHECK_FALSE(IsWindowVisible(f.app));
  }
  SUBCASE("hooked, ShowMinimizedIcon") {
    f.tray.SetShowMinimizedIcon(true);
    f.tray.SetActive(true);
    f.form.Show();  // the taskbar button is shown with the form
    CHECK(IsWindowVisible(f.app));
    minimise();
    CHECK(IsIconic(f.form.Handle()));
    CHECK(IsWindowVisible(f.form.Handle()));
  }
}

TEST_CASE("NoClose turns the close command into hiding while active") {
  TrayFixture f;
  std::vector<std::string> closes;
  f.form.OnClose = [&](Component*, TCloseAction& action) {
    closes.push_back("close");
    action = TCloseAction::caNone;  // keep the test's form
  };
  f.tray.OnNoClose = [&](Component* sender) {
    CHECK(sender == &f.form);
    closes.push_back("noclose");
  };
  f.tray.SetNoClose(true);
  f.tray.SetActive(true);
  f.form.Show();
  ShowWindow(f.app, SW_SHOW);
  SendMessageA(f.form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  CHECK(closes == std::vector<std::string>{"noclose"});
  CHECK_FALSE(IsWindowVisible(f.form.Handle()));
  CHECK_FALSE(IsWindowVisible(f.app));

  f.tray.SetNoClose(false);
  SendMessageA(f.form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  CHECK(closes == std::vector<std::string>{"noclose", "close"});
}

namespace {
// Another subclass of the same window, the way the window hook puts one in.
WNDPROC outerPrevious = nullptr;
int outerSeen = 0;
LRESULT CALLBACK OuterProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_USER + 77) ++outerSeen;
  return CallWindowProcA(outerPrevious, window, msg, wParam, lParam);
}
}  // namespace

TEST_CASE(
    "a procedure someone else put on the window, under or over the icon's subclass, stays and keeps "
    "working") {
  TrayFixture f;
  HWND window = f.form.Handle();
  auto install = [&] {
    outerPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterProcedure)));
  };
  SUBCASE("the icon on top of another subclass") {
    install();
    f.tray.SetActive(true);
    SendMessageA(window, WM_USER + 77, 0, 0);
    CHECK(outerSeen == 1);  // passed on through the icon's subclass
    f.tray.SetActive(false);
    CHECK(ProcedureOf(window) == Address(&OuterProcedure));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(outerPrevious));
    CHECK(ProcedureOf(window) == f.formProcedure);
  }
  SUBCASE("someone else's subclass on top of the icon's") {
    f.tray.SetActive(true);
    install();
    // The other subclass replaced the icon's chain as the window's procedure;
    // unhooking must not overwrite it with the form's own procedure.
    f.tray.SetActive(false);
    CHECK(ProcedureOf(window) == Address(&OuterProcedure));
    // It still passes every message on to what was the icon's chain, which must go on
    // passing them to the form's own until the window is gone.
    SendMessageA(window, WM_USER + 77, 0, 0);
    CHECK(outerSeen == 1);
    CHECK(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0) == static_cast<LRESULT>(std::strlen("Tray test")));
    CHECK(IsLoadedImageCode(outerPrevious));
    f.form.DestroyHandle();
  }
  outerSeen = 0;
}

TEST_CASE("a form window destroyed under the hook is not touched again; a new one is hooked") {
  TrayFixture f;
  f.tray.SetActive(true);
  HWND first = f.form.Handle();
  f.form.DestroyHandle();
  CHECK_FALSE(IsWindow(first));
  f.tray.SetActive(false);  // must not reach for the old window
  HWND second = f.form.Handle();
  CHECK(ProcedureOf(second) == f.formProcedure);
  f.tray.SetActive(true);
  CHECK(ProcedureOf(second) != f.formProcedure);
  f.tray.SetActive(false);
  CHECK(ProcedureOf(second) == f.formProcedure);
}

TEST_CASE("destroying an active icon removes it and unhooks the form") {
  Application::Instance().Initialize();
  SolidIcon red(kRed);
  TForm form(nullptr);
  const std::uintptr_t own = ProcedureOf(form.Handle());
  auto tray = std::make_unique<TTrayIcon>(&form);
  form.BeginLoading();
  tray->SetActive(false);
  tray->Icon().Assign(red.Handle());
  form.EndLoading();
  tray->SetActive(true);
  REQUIRE(TrayShows(kRed));
  tray.reset();
  CHECK(TrayEmpty());
  CHECK(ProcedureOf(form.Handle()) == own);
}

TEST_CASE("a real double click on the icon in the notification area calls OnDblClick") {
  TrayFixture f;
  f.Record();
  f.tray.SetActive(true);
  REQUIRE(TrayShows(kRed));
  // From outside Wine, as the user's mouse; the pointer leaves the icon afterwards.
  REQUIRE(XClick(kTrayIconSpot.x, kTrayIconSpot.y, 1, 2));
  XdoTool("mousemove 500 300");
  auto clicks = [&] {
    std::vector<std::string> result;
    for (const std::string& event : f.log)
      if (event != "move") result.push_back(event);
    return result;
  };
  CHECK(PumpUntil([&] { return clicks().size() >= 7; }));
  CHECK(clicks() ==
        std::vector<std::string>{"down L", "click", "up L", "dblclick", "down L double", "click", "up L"});
}

TEST_CASE("on top of the window hook, the main window's minimise and restore cycle repeats") {
  TrayFixture f;
  TWndProcHook hook(&f.form);
  hook.SetActive(true);
  // What the main window does with the two components.
  hook.OnMessageAfter = [&](Component*, Message& message, bool& handled) {
    if (message.Msg != WM_SYSCOMMAND || message.WParam != SC_MINIMIZE) return;
    f.tray.SetActive(true);
    ShowWindow(f.app, SW_HIDE);
    f.form.Hide();
    handled = true;
  };
  f.tray.SetActive(true);
  for (int round = 1; round <= 3; ++round) {
    CAPTURE(round);
    f.tray.SetActive(false);
    ShowWindow(f.app, SW_SHOW);
    f.form.Show();
    CHECK(IsWindowVisible(f.form.Handle()));
    CHECK(hook.Hooked());
    SendMessageA(f.form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    CHECK_FALSE(IsWindowVisible(f.form.Handle()));
    CHECK_FALSE(IsWindowVisible(f.app));
    CHECK(f.tray.Active());
    CHECK(TrayShows(kRed));
  }
  f.tray.SetActive(false);
  CHECK(hook.Hooked());
  CHECK_FALSE(f.tray.Hooked());
}
