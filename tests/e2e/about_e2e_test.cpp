// The About box of the real program, opened as a user opens it: from the icon's menu
// while the window is hidden, and from the button panel's menu. The version it shows
// is read off the screen and compared with an About box made here showing a known
// text; copies of the program without a version resource, or too deep in the folders
// for the reading, show "-". A click on the link is seen by a recording shell handler.
#include "app/about.h"

#include <doctest.h>

#include <string>
#include <vector>

#include "framework/application.h"
#include "key_input.h"
#include "mouse_input.h"
#include "pixel_surface.h"
#include "screenshot.h"
#include "shell_open_recorder.h"
#include "velnor_session.h"
#include "version_resource.h"
#include "wait.h"
#include "x_input.h"

namespace {
constexpr char kTitle[] = "Info Velnor";
constexpr char kMainTitle[] = "Velnor Preferences";
// Where strVers stands, with room for a version text of any length the box shows.
constexpr RECT kVersionArea{173, 8, 240, 26};
// On the link's text, near its start, and on the OK button.
constexpr POINT kLinkSpot{136, 52};
constexpr POINT kOkSpot{196, 76};
const std::vector<SlotAt> kSlots = {{0, {"Greeting", "Hello, world", 1, 1, 0, 'K'}}};

// About(&A) in the menu that is open now, by its accelerator.
HWND ChooseAbout(VelnorSession& session) {
  if (!session.velnor.WaitShownWindow(nullptr, "#32768")) return nullptr;
  PressKey('A');
  return session.velnor.WaitShownWindow(kTitle);
}

HWND OpenFromIconMenu(VelnorSession& session) {
  if (!session.tray.RightClickIcon()) return nullptr;
  return ChooseAbout(session);
}

HWND OpenFromPanelMenu(VelnorSession& session) {
  if (!session.tray.DoubleClickIcon()) return nullptr;
  HWND main = session.velnor.WaitShownWindow(kMainTitle);
  if (!main) return nullptr;
  const POINT onPanel = ClientToScreenPoint(main, 70, 25);
  if (!XClick(onPanel.x, onPanel.y, 3)) return nullptr;
  return ChooseAbout(session);
}

std::vector<COLORREF> ShownVersionArea(HWND about) {
  const POINT origin = ClientToScreenPoint(about, kVersionArea.left, kVersionArea.top);
  return ScreenPixels({origin.x, origin.y, origin.x + kVersionArea.right - kVersionArea.left,
                       origin.y + kVersionArea.bottom - kVersionArea.top});
}

// The same area of an About box made in this process, whose version label shows text.
std::vector<COLORREF> ExpectedVersionArea(const char* text) {
  Application::Instance().Initialize();
  TAboutFrm about(nullptr);
  about.strVers->SetCaption(text);
  PixelSurface surface(about.ClientWidth(), about.ClientHeight());
  about.BackPanel1->PaintTo(surface.Dc());
  std::vector<COLORREF> pixels;
  for (int y = kVersionArea.top; y < kVersionArea.bottom; ++y)
    for (int x = kVersionArea.left; x < kVersionArea.right; ++x) pixels.push_back(surface.Pixel(x, y));
  return pixels;
}

// Whether the box shows the version text: once painted, its area is that of a box made here.
bool ShowsVersion(HWND about, const char* text) {
  const std::vector<COLORREF> expected = ExpectedVersionArea(text);
  return PumpUntil([&] { return ShownVersionArea(about) == expected; }, 3000);
}

bool Closed(HWND window) {
  return PumpUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

POINT Centre(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
}  // namespace

TEST_CASE("the icon's menu opens the About box while the window stays hidden; it shows 1.0.0.0 and OK closes it") {
  VelnorSession session(kSlots);
  REQUIRE(session.Start());
  HWND about = OpenFromIconMenu(session);
  REQUIRE(about != nullptr);
  CHECK(SaveScreenshot("e2e-about"));
  CHECK_FALSE(session.velnor.Shows(kMainTitle));

  CHECK(ShowsVersion(about, "1.0.0.0"));
  // The comparison sees the text: the box with "-" looks different there.
  CHECK(ShownVersionArea(about) != ExpectedVersionArea("-"));
  RECT client{};
  GetClientRect(about, &client);
  CHECK(client.right == 390);
  CHECK(client.bottom == 99);
  // Over its owner, the main window, hidden or not.
  HWND main = session.velnor.FindWindowOf(kMainTitle);
  REQUIRE(main != nullptr);
  CHECK(std::abs(Centre(about).x - Centre(main).x) <= 1);
  CHECK(std::abs(Centre(about).y - Centre(main).y) <= 1);

  const POINT ok = ClientToScreenPoint(about, kOkSpot.x, kOkSpot.y);
  REQUIRE(XClick(ok.x, ok.y));
  CHECK(Closed(about));
  CHECK(session.velnor.Running());
  CHECK_FALSE(session.velnor.Shows(kMainTitle));
  CHECK(session.tray.IconShown());
}

TEST_CASE("the button panel's menu opens the About box over the shown window; the close button closes it") {
  VelnorSession session(kSlots);
  REQUIRE(session.Start());
  HWND about = OpenFromPanelMenu(session);
  REQUIRE(about != nullptr);
  HWND main = session.velnor.FindWindowOf(kMainTitle);
  REQUIRE(main != nullptr);
  CHECK(SaveScreenshot("e2e-about-over-window"));
  CHECK(ShowsVersion(about, "1.0.0.0"));
  // Modal: the window it belongs to takes no input meanwhile.
  CHECK_FALSE(IsWindowEnabled(main));

  PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);
  CHECK(Closed(about));
  CHECK(PumpUntil([&] { return IsWindowEnabled(main) != FALSE; }));
  CHECK(session.velnor.Shows(kMainTitle));
}

TEST_CASE("a program whose version cannot be read shows \"-\" and the box still opens") {
  struct Case {
    const char* what;
    std::string path;
    bool stripped;
  };
  // A path of 136 bytes: more than the 127 the module name buffer holds with its NUL.
  // Its first 128 bytes end in ".exe" too, so that what a cut leaves names a program
  // file (a name without an extension would be looked for as a library, with ".dll").
  const std::string folder = TestBinaryFolder();
  const std::string deep = folder + std::string(128 - folder.size() - 4, 'v') + ".exe" + "tail.exe";
  // What the cut path would name: programs of another version, so reading a cut path
  // instead of giving up would show that version. The system fills the buffer with the
  // first 128 bytes and no NUL (Wine, older Windows) or with 127 and a NUL.
  VersionBlockSpec other;
  other.strings = {{"FileVersion", "6.6.6.6"}};
  const std::vector<std::uint8_t> otherBlock = VersionBlock(other);
  ProgramCopy cut127(deep.substr(0, 127), &otherBlock), cut128(deep.substr(0, 128), &otherBlock);
  REQUIRE(cut127.Made());
  REQUIRE(cut128.Made());
  const Case cases[] = {
      {"no version resource", "velnor-no-version.exe", true},
      {"a program path too long for the buffer", deep, false},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    ProgramCopy copy = c.stripped ? ProgramCopy(c.path, nullptr) : ProgramCopy(c.path);
    REQUIRE(copy.Made());
    VelnorSession session(kSlots);
    session.velnor.SetProgram(copy.Path());
    REQUIRE(session.Start());
    HWND about = OpenFromIconMenu(session);
    REQUIRE(about != nullptr);
    CHECK(ShowsVersion(about, "-"));
    if (c.stripped) CHECK(SaveScreenshot("e2e-about-no-version"));
    PostMessageA(about, WM_CLOSE, 0, 0);
    CHECK(Closed(about));
  }
}

TEST_CASE("a click on the link asks the shell to open the maker's address") {
  ShellOpenRecorder shell;
  REQUIRE(shell.Ready());
  VelnorSession session(kSlots);
  REQUIRE(session.Start());
  HWND about = OpenFromIconMenu(session);
  REQUIRE(about != nullptr);

  // Beside the text, on the box's background, nothing opens.
  const POINT beside = ClientToScreenPoint(about, 300, 52);
  REQUIRE(XClick(beside.x, beside.y));
  PumpFor(500);
  CHECK(shell.Opened().empty());

  const POINT link = ClientToScreenPoint(about, kLinkSpot.x, kLinkSpot.y);
  REQUIRE(XClick(link.x, link.y));
  CHECK(shell.WaitOpened() == kMakerAddress);
  CHECK(IsWindowVisible(about));
}
