// The slot editor inside the test process, on real windows, opened on the main
// window as the program opens it: its frame and faces, what it shows of a slot, what
// OK writes, what the key box lets through, and a save that fails after OK.
#include "app/hotkeypref.h"

#include <doctest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/messages.h"
#include "dialog_reference.h"
#include "framework/application.h"
#include "framework/pixel_image.h"
#include "hotkey_probe.h"
#include "key_input.h"
#include "message_box_watcher.h"
#include "mouse_input.h"
#include "program_resources.h"
#include "program_windows.h"
#include "screenshot.h"
#include "slot_store.h"
#include "text.h"
#include "wait.h"
#include "window_actor.h"

namespace {
constexpr int kSlot = 3;

// The program's windows over a store holding the given slot numbers (1..10).
struct Program {
  explicit Program(const std::vector<std::pair<int, StoredSlot>>& slots = {}) {
    ClearStore();
    for (const auto& [n, slot] : slots) WriteStoredSlot(n, slot);
    windows = std::make_unique<ProgramWindows>();
  }
  ~Program() {
    windows.reset();
    ClearStore();
  }
  TMainFrm& Main() { return windows->MainForm(); }
  THotkeyStruct& Slot(int index) { return *(*Main().SlotList)[index]; }

  std::unique_ptr<ProgramWindows> windows;
};

void Fill(THotkeyPrefFrm& editor, const TSlotInput& input) {
  editor.EditDisplayText->SetText(input.DisplayText);
  editor.EditPasteText->SetText(input.PasteText);
  editor.checkCTRL->SetChecked(input.Ctrl);
  editor.checkALT->SetChecked(input.Alt);
  editor.checkSHIFT->SetChecked(input.Shift);
  editor.keyCode->SetText(input.Key);
}

std::string Describe(const THotkeyStruct& slot) {
  return slot.DisplayText + "/" + slot.PasteText + "/" + std::to_string(slot.IsCTRL) + "/" +
         std::to_string(slot.IsALT) + "/" + std::to_string(slot.IsSHIFT) + "/" +
         (slot.KeyCode ? std::string(1, slot.KeyCode) : std::string("none"));
}

}  // namespace

TEST_CASE("the editor: a fixed frame with only a system menu, centred on the main window") {
  Program program;
  program.Main().TrayIconDblClick(program.Main().TrayIcon.get());
  THotkeyPrefFrm editor(program.Main());
  HWND dialog = editor.Handle();
  const LONG style = GetWindowLongA(dialog, GWL_STYLE);
  CHECK((style & WS_SYSMENU) != 0);
  CHECK((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0);
  RECT client{}, frame{}, owner{};
  GetClientRect(dialog, &client);
  CHECK(client.right == 318);
  CHECK(client.bottom == 209);
  GetWindowRect(dialog, &frame);
  GetWindowRect(program.Main().Handle(), &owner);
  CHECK(std::abs((frame.left + frame.right) - (owner.left + owner.right)) <= 1);
  CHECK(std::abs((frame.top + frame.bottom) - (owner.top + owner.bottom)) <= 1);
}

TEST_CASE("each button's face is its own skin's strip in all four frames, not the one it was read with") {
  Program program;
  THotkeyPrefFrm editor(program.Main());
  const ProgramResources resources;
  struct Face {
    const char* name;
    const TSkinButton& button;
    const char* strip;
  };
  const Face faces[] = {{"ButtonOk", *editor.ButtonOk, "CYAN"},
                        {"ButtonCancel", *editor.ButtonCancel, "WHITE"},
                        {"ButtonDelete", *editor.ButtonDelete, "RED"}};
  for (const Face& face : faces) {
    CAPTURE(face.name);
    const PixelArea strip = resources.Bitmap(face.strip);
    REQUIRE(strip.width == 288);
    const PixelImage& composed = face.button.Face();
    REQUIRE(composed.Width() == 72);
    REQUIRE(composed.Height() == 96);
    // A 72-wide face stacks the strip's four 72-wide frames; only the silver around
    // the shape is the panel's colour instead.
    int differing = 0;
    for (int frame = 0; frame < 4; ++frame)
      for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 72; ++x) {
          const COLORREF expected = strip.At(frame * 72 + x, y);
          if (expected != RGB(192, 192, 192) && composed.Pixel(x, frame * 24 + y) != expected) ++differing;
        }
    CHECK(differing == 0);
  }
}

TEST_CASE(
    "the editor as shown: its captions, the names beside the boxes and its buttons as the layout draws "
    "them") {
  Program program;
  THotkeyPrefFrm editor(program.Main());
  THotkeyStruct slot;
  editor.Slot = &slot;
  editor.Show();
  HWND panel = editor.BackPanel1->Handle();
  REQUIRE(PumpUntil([&] { return IsWindowVisible(panel) != FALSE; }));
  PumpFor(100);
  auto shown = [panel](const RECT& area) {
    return PixelArea{area.right - area.left, area.bottom - area.top, WindowPixels(panel, area)};
  };

  // The captions: the bold form font at the left of an 89 x 15 box, centred on its
  // line, a light grey copy one pixel right and down.
  struct Caption {
    const char* text;
    RECT box;
  };
  for (const Caption& c : {Caption{"Display Text:", {8, 8, 97, 23}}, Caption{"Paste Text:", {8, 56, 97, 71}},
                           Caption{"Hot Key:", {8, 106, 97, 121}}}) {
    CAPTURE(c.text);
    const PixelArea expected = CaptionLabelPicture(c.box, c.text);
    const std::string differences = Differences(shown(c.box), expected);
    CHECK_MESSAGE(differences.empty(), differences);
  }

  // The names: bold 13-pixel Arial at the top left of a box sized to the text.
  struct Name {
    const char* text;
    POINT at;
  };
  for (const Name& n : {Name{"CTRL", {44, 129}}, Name{"ALT", {116, 129}}, Name{"SHIFT", {180, 129}},
                        Name{"Key:", {232, 128}}}) {
    CAPTURE(n.text);
    const PixelArea expected = PlainLabelPicture(n.at.y, n.text, ArialBold(-13));
    const RECT box{n.at.x, n.at.y, n.at.x + expected.width, n.at.y + expected.height};
    const std::string differences = Differences(shown(box), expected);
    CHECK_MESSAGE(differences.empty(), differences);
  }

  // The buttons at rest: each its strip's normal frame.
  const ProgramResources resources;
  struct Button {
    const char* name;
    RECT box;
    const char* strip;
  };
  for (const Button& b :
       {Button{"OK", {240, 176, 312, 200}, "CYAN"}, Button{"Cancel", {168, 176, 240, 200}, "WHITE"},
        Button{"Delete", {8, 152, 80, 176}, "RED"}}) {
    CAPTURE(std::string(b.name));
    const SkinComparison face = CompareWithStrip(shown(b.box), resources.Bitmap(b.strip));
    CHECK(face.compared > 250);
    CHECK(face.differing == 0);
  }
}

TEST_CASE("the controls show the slot: any non-zero flag ticked, a key of 0 as an empty box") {
  struct Case {
    const char* name;
    StoredSlot stored;
    bool ctrl, alt, shift;
    const char* key;
  };
  const Case cases[] = {
      {"flags 2, 1 and 0", {"Greeting", "Hello", 2, 1, 0, 'K'}, true, true, false, "K"},
      {"flag -1 for SHIFT, no key", {"Name", "Text", 0, 0, 0xFFFFFFFF, 0}, false, false, true, ""},
      {"an empty slot", {}, false, false, false, ""},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    Program program({{kSlot + 1, c.stored}});
    THotkeyPrefFrm editor(program.Main());
    editor.SlotIndex = kSlot;
    editor.Slot = &program.Slot(kSlot);
    editor.Show();
    CHECK(editor.EditDisplayText->Text() == c.stored.display);
    CHECK(editor.EditPasteText->Text() == c.stored.paste);
    CHECK(editor.checkCTRL->Checked() == c.ctrl);
    CHECK(editor.checkALT->Checked() == c.alt);
    CHECK(editor.checkSHIFT->Checked() == c.shift);
    CHECK(editor.keyCode->Text() == c.key);
  }
}

TEST_CASE("OK writes the record only past every rule; a slot's own hotkey is never taken from it") {
  struct Case {
    const char* name;
    int index;
    TSlotInput input;
    const char* message;  // null: accepted
    const char* record;   // slot index's record afterwards
  };
  // Slot 5 holds CTRL+ALT+K; slot 3 holds a hotkey of its own and a CTRL flag of 2.
  const Case cases[] = {
      {"slot 5 confirmed with its own hotkey",
       5,
       {"Greeting", "Hello", true, true, false, "K"},
       nullptr,
       "Greeting/Hello/1/1/0/K"},
      {"slot 5's hotkey asked for slot 3",
       kSlot,
       {"Greeting", "Hello", true, true, false, "K"},
       kHotkeyTaken,
       "Mine/Text/2/0/1/J"},
      {"the system hotkey asked for slot 3",
       kSlot,
       {"Greeting", "Hello", true, false, true, "Z"},
       kHotkeyTaken,
       "Mine/Text/2/0/1/J"},
      {"a digit with all three modifiers",
       kSlot,
       {"Greeting", "Hello", true, true, true, "5"},
       kDigitWithAllModifiers,
       "Mine/Text/2/0/1/J"},
      {"slot 3 confirmed as shown: its CTRL flag of 2 becomes 1",
       kSlot,
       {"Mine", "Text", true, false, true, "J"},
       nullptr,
       "Mine/Text/1/0/1/J"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    Program program({{6, {"Other", "x", 1, 1, 0, 'K'}}, {kSlot + 1, {"Mine", "Text", 2, 0, 1, 'J'}}});
    MessageBoxWatcher errors(Cp932FromUtf8("エラー"));
    THotkeyPrefFrm editor(program.Main());
    editor.SlotIndex = c.index;
    editor.Slot = &program.Slot(c.index);
    editor.Show();
    Fill(editor, c.input);
    editor.ButtonOkClick(editor.ButtonOk.get());
    CHECK(errors.Texts() == (c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{}));
    CHECK(editor.Tag() == (c.message ? 0 : 1));
    CHECK(editor.Showing() == (c.message != nullptr));
    CHECK(Describe(program.Slot(c.index)) == c.record);
  }
}

TEST_CASE("the limits count bytes: a double-byte character that does not fit whole is refused") {
  Program program;
  THotkeyPrefFrm editor(program.Main());
  THotkeyStruct slot;
  editor.Slot = &slot;
  editor.Show();
  const std::string a = Cp932FromUtf8("\xE3\x81\x82");  // HIRAGANA LETTER A, two bytes

  SUBCASE("the key box, one byte") {
    editor.keyCode->SetFocus();
    REQUIRE(PumpUntil([&] { return GetFocus() == editor.keyCode->Handle(); }));
    TypeCharacter(L'\x3042');
    TypeText("k");
    CHECK(PumpUntil([&] { return editor.keyCode->Text() == "K"; }));
  }
  SUBCASE("the display text, 30 bytes: fifteen double-byte characters, then nothing more") {
    editor.EditDisplayText->SetFocus();
    REQUIRE(PumpUntil([&] { return GetFocus() == editor.EditDisplayText->Handle(); }));
    std::string fifteen;
    for (int i = 0; i < 15; ++i) fifteen += a;
    for (int i = 0; i < 16; ++i) TypeCharacter(L'\x3042');
    TypeText("b");
    PumpUntil([&] { return editor.EditDisplayText->Text().size() > 30; }, 1000);
    CHECK(editor.EditDisplayText->Text() == fifteen);
  }
}

TEST_CASE("a save that fails after OK shows the standard error box and the program goes on") {
  Program program;
  TMainFrm& main = program.Main();
  main.TrayIconDblClick(main.TrayIcon.get());
  REQUIRE(PumpUntil([&main] { return GetForegroundWindow() == main.Handle(); }));
  REQUIRE(DenyWritesToStore());
  MessageBoxWatcher errors("Velnor");
  // The user's part, from the actor's thread: the fields through their windows, the
  // boxes and OK with the mouse.
  WindowActor user("HotKey Preferences", [](HWND dialog) {
    auto at = [dialog](int x, int y) { return ClientToScreenPoint(dialog, x, y); };
    SendMessageA(WindowFromPoint(at(148, 38)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Greeting"));
    SendMessageA(WindowFromPoint(at(148, 86)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Hello"));
    SendMessageA(WindowFromPoint(at(278, 137)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("K"));
    ClickAt(at(32, 138));   // CTRL
    ClickAt(at(104, 138));  // ALT
    ClickAt(at(276, 188));  // OK
  });
  ClickAt(ClientToScreenPoint(main.ButtonList->Handle(), 210, 75));  // the fourth button
  REQUIRE(PumpUntil([&errors] { return !errors.Texts().empty(); }));
  CHECK(user.Acted());
  CHECK(errors.Texts() == std::vector<std::string>{Cp932FromUtf8("'DisplayText04' の設定に失敗しました.")});
  // The record holds the confirmed edit; the button and the hotkey are as they were.
  CHECK(Describe(program.Slot(kSlot)) == "Greeting/Hello/1/1/0/K");
  CHECK(main.ButtonList->Buttons().GetItem(kSlot).Caption().empty());
  CHECK_FALSE(IsHotkeyTaken(MOD_CONTROL | MOD_ALT, 'K'));
  CHECK(IsWindowVisible(main.Handle()));
  CHECK(IsWindowEnabled(main.Handle()));
}
