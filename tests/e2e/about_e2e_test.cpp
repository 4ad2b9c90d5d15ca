// The About box of the real program, opened as a user opens it: from the icon's menu
// while the window is hidden, and from the button panel's menu. What it shows is read
// off the screen and compared with its layout's numbers: the labels drawn here with
// the system's text call in the form font, the OK button against the cyan skin strip
// the program carries. Copies of the program without a version resource, or too deep
// in the folders for the reading, show "-". A click on the link is seen by a
// recording shell handler.
#include <doctest.h>

#include <set>
#include <string>
#include <vector>

#include "app/about.h"
#include "dialog_reference.h"
#include "key_input.h"
#include "mouse_input.h"
#include "process_modules.h"
#include "program_resources.h"
#include "screenshot.h"
#include "shell_open_recorder.h"
#include "velnor_session.h"
#include "version_resource.h"
#include "wait.h"
#include "x_input.h"

namespace {
constexpr char kTitle[] = "Info Velnor";
constexpr char kMainTitle[] = "Velnor Preferences";
// The labels' boxes, as the layout places them: left, top, right, bottom.
constexpr RECT kVersionLabel{173, 9, 222, 24};
constexpr RECT kNoticeLabel{64, 24, 385, 39};
// The name label's box (48, 8, 193, 23) reaches under the version label's; its own
// text ends before that, so the part left of the version label is its alone.
constexpr RECT kNameLabelAlone{48, 8, 173, 23};
constexpr RECT kOkButton{160, 64, 232, 88};
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

// Pumps until the label's box on the screen holds the text as the layout draws it;
// says how it differs when it never does.
bool ShowsLabel(HWND about, const RECT& box, const std::string& text) {
  const PixelArea expected = CaptionLabelPicture(box, text);
  if (PumpUntil([&] { return ShownArea(about, box).pixels == expected.pixels; }, 3000)) return true;
  MESSAGE("the label at (" << box.left << ", " << box.top << ") does not show '" << text
                           << "' as its layout does: " << Differences(ShownArea(about, box), expected));
  return false;
}

bool ShowsVersion(HWND about, const char* text) { return ShowsLabel(about, kVersionLabel, text); }

bool Closed(HWND window) {
  return PumpUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

POINT Centre(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
}  // namespace

TEST_CASE(
    "the icon's menu opens the About box while the window stays hidden; it shows 1.0.0.0 and OK closes it") {
  VelnorSession session(kSlots);
  REQUIRE(session.Start());
  HWND about = OpenFromIconMenu(session);
  REQUIRE(about != nullptr);
  CHECK(SaveScreenshot("e2e-about"));
  CHECK_FALSE(session.velnor.Shows(kMainTitle));

  CHECK(ShowsVersion(about, "1.0.0.0"));
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

// A tray program is paid for all day by what it holds while it waits: the libraries
// only the dialogs need are loaded when a dialog first needs them. The visual-styles
// library is loaded at start-up, as the buttons' looks depend on it from the first
// paint.
TEST_CASE(
    "at start-up the program loads the visual-styles library, but neither OLE nor the common controls") {
  VelnorSession session(kSlots);
  REQUIRE(session.Start());
  const std::set<std::string> atStart = LoadedModules(session.velnor.Id());
  // The look sees the program and what it imports.
  REQUIRE(atStart.count("velnor.exe") == 1);
  REQUIRE(atStart.count("user32.dll") == 1);
  CHECK(atStart.count("uxtheme.dll") == 1);
  for (const char* deferred : {"ole32.dll", "oleaut32.dll", "olepro32.dll", "comctl32.dll"}) {
    INFO(deferred);
    CHECK(atStart.count(deferred) == 0);
  }

  // The About box's background is decoded by OLE's picture loader.
  HWND about = OpenFromIconMenu(session);
  REQUIRE(about != nullptr);
  const std::set<std::string> withAbout = LoadedModules(session.velnor.Id());
  CHECK(withAbout.count("ole32.dll") == 1);
  CHECK(withAbout.count("oleaut32.dll") == 1);
  // And the background it decoded with them is on the screen.
  CHECK(ShowsLabel(about, kVersionLabel, "1.0.0.0"));
}

TEST_CASE("the labels, the notice and the OK button look as the layout gives them") {
  VelnorSession session(kSlots);
  REQUIRE(session.Start());
  HWND about = OpenFromIconMenu(session);
  REQUIRE(about != nullptr);

  // Each label: the bold form font at the left of its 15-pixel box, vertically
  // centred, its grey copy exactly one pixel right and down (ShadowDepth 1; the
  // layout's depth of 4 is LightDepth, which the shadow style does not use).
  CHECK(ShowsLabel(about, kNameLabelAlone, "Velnor Version"));
  CHECK(ShowsLabel(about, kVersionLabel, "1.0.0.0"));
  CHECK(ShowsLabel(about, kNoticeLabel, kMakerNotice));

  // The OK button wears the cyan skin: at rest it shows the CYAN strip's normal frame.
  const PixelArea strip = ProgramResources().Bitmap("CYAN");
  REQUIRE(strip.width == 288);
  const SkinComparison ok = CompareWithStrip(ShownArea(about, kOkButton), strip);
  CHECK(ok.compared > 250);
  CHECK_MESSAGE(ok.differing == 0,
                ok.differing << " of " << ok.compared << " pixels of the OK button are not the CYAN strip's");
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
  VersionBlockDescription other;
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
