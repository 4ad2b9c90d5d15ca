// The main window on real windows in the test process, made as the entry point
// makes it: slots from the real registry store, hotkeys in the system's real table,
// the icon in the virtual desktop's notification area, real clicks on its buttons.
#include <doctest.h>

#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/messages.h"
#include "button_reference.h"
#include "dialog_reference.h"
#include "framework/application.h"
#include "framework/error.h"
#include "hotkey_probe.h"
#include "key_input.h"
#include "mouse_input.h"
#include "notification_area.h"
#include "paste_watch.h"
#include "program_windows.h"
#include "screenshot.h"
#include "shown_menu.h"
#include "slot_store.h"
#include "text.h"
#include "theme_switch.h"
#include "tray_probe.h"
#include "wait.h"
#include "x_input.h"

namespace {
struct Key {
  UINT modifiers;
  UINT vk;
};
constexpr Key kCtrlShiftZ{MOD_CONTROL | MOD_SHIFT, 'Z'};

// Slot number n (1..10) of the store for each entry; every other slot is empty.
void PrepareStore(const std::vector<std::pair<int, StoredSlot>>& slots) {
  ClearStore();
  for (const auto& [n, slot] : slots) WriteStoredSlot(n, slot);
}

HWND AppWindow() { return Application::Instance().Handle(); }

std::string WindowText(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}
}  // namespace

TEST_CASE("button captions: the slot with its hotkey, and the quick-select cut to 17 bytes") {
  const std::string sixteen = "ABCDEFGHIJKLMNOP";
  const std::string fifteen = sixteen.substr(0, 15);
  const std::string fourteen = sixteen.substr(0, 14);
  const std::string nippon = Cp932FromUtf8("日本");  // two double-byte characters
  struct Case {
    const char* name;
    StoredSlot slot;
    std::string mainCaption;   // mode 0
    std::string quickCaption;  // mode 1
  };
  const Case cases[] = {
      {"display text and hotkey", {"Greeting", "Hello", 1, 1, 0, 'K'}, "Greeting\n(CTRL+ALT+K)", "Greeting"},
      {"hotkey, empty display text", {"", "x", 1, 0, 1, 'J'}, " \n(CTRL+SHIFT+J)", " "},
      {"display text without hotkey", {"Plain", "x"}, "", "Plain"},
      {"flags other than 1 and no key make no hotkey", {"Odd", "x", 2, 2, 2, 0}, "", "Odd"},
      {"16 bytes shown whole", {sixteen, "x"}, "", sixteen},
      {"17 bytes: the main window keeps them",
       {sixteen + "Q", "x", 0, 1, 0, 'L'},
       sixteen + "Q\n(ALT+L)",
       fifteen + ".."},
      {"20 bytes", {sixteen + "QRST", "x"}, "", fifteen + ".."},
      {"the cut falls between the bytes of a character",
       {fourteen + nippon, "x"},
       "",
       fourteen + nippon.substr(0, 1) + ".."},
      {"empty slot", {}, "", " "},
      {"empty slot", {}, "", " "},
  };
  REQUIRE(std::size(cases) == kSlotCount);
  std::vector<std::pair<int, StoredSlot>> stored;
  for (int i = 0; i < kSlotCount; ++i) stored.push_back({i + 1, cases[i].slot});
  PrepareStore(stored);

  ProgramWindows program;
  TMainFrm& main = program.MainForm();
  TPanelButtons& buttons = main.ButtonList->Buttons();
  for (int i = 0; i < kSlotCount; ++i) {
    CAPTURE(cases[i].name);
    CHECK(buttons.GetItem(i).Button().Caption() == cases[i].mainCaption);
  }
  main.RefreshButtons(*main.ButtonList, 1);
  for (int i = 0; i < kSlotCount; ++i) {
    CAPTURE(cases[i].name);
    CHECK(buttons.GetItem(i).Button().Caption() == cases[i].quickCaption);
  }
}

TEST_CASE("layout: a fixed 280 x 250 window of two columns of 140 x 50 buttons") {
  PrepareStore({});
  ProgramWindows program;
  TMainFrm& main = program.MainForm();
  HWND window = main.Handle();

  CHECK(WindowText(window) == "Velnor Preferences");
  CHECK(Application::Instance().Title() == "Velnor");
  CHECK(GetWindow(window, GW_OWNER) == AppWindow());
  RECT client{};
  GetClientRect(window, &client);
  CHECK(client.right == 280);
  CHECK(client.bottom == 250);
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  CHECK((style & WS_CAPTION) == WS_CAPTION);
  CHECK((style & WS_THICKFRAME) == 0);
  CHECK((style & WS_SYSMENU) != 0);
  CHECK((style & WS_MINIMIZEBOX) != 0);
  CHECK((style & WS_MAXIMIZEBOX) == 0);
  RECT frame{};
  GetWindowRect(window, &frame);
  CHECK(frame.left == (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2);
  CHECK(frame.top == (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2);

  TButtonPanel& panel = *main.ButtonList;
  CHECK(panel.Left() == 0);
  CHECK(panel.Top() == 0);
  RECT panelRect{};
  GetWindowRect(panel.Handle(), &panelRect);
  CHECK(panelRect.right - panelRect.left == 280);
  CHECK(panelRect.bottom - panelRect.top == 251);
  for (int i = 0; i < kSlotCount; ++i) {
    CAPTURE(i);
    const TFlatButton& button = panel.Buttons().GetItem(i).Button();
    CHECK(button.Left() == (i % 2) * 140);
    CHECK(button.Top() == (i / 2) * 50);
    CHECK(button.Width() == 140);
    CHECK(button.Height() == 50);
  }
}

TEST_CASE("the panel's settings are the window's layout: gradient fill, custom bevel, themed items") {
  PrepareStore({});
  ProgramWindows program;
  TMainFrm& main = program.MainForm();
  TButtonPanel& panel = *main.ButtonList;
  // Settings that do not show while the panel is transparent are still the layout's:
  // the panel shows them once a user's build turns transparency off.
  CHECK(panel.FillObject().Style() == TFillStyle::sfGradient);
  CHECK(panel.Bevel().Mode() == TBevelMode::bmCustom);
  CHECK(panel.Transparent());
  CHECK(panel.ButtonStyle() == TUserButtonStyle::ubsWin40Ext);
  CHECK_FALSE(panel.ButtonParentCtlXP());
  CHECK(panel.ButtonWidth() == 140);
  CHECK(panel.ButtonHeight() == 50);
  CHECK(panel.TabOrder() == 0);
  CHECK(panel.PopupMenu() == main.TaskTrayPopupMenu.get());
  CHECK(main.TrayIcon->PopupMenu() == main.TaskTrayPopupMenu.get());
  REQUIRE(panel.Buttons().Count() == kSlotCount);
  const LOGFONTA form = FormFont(false);
  for (int i = 0; i < kSlotCount; ++i) {
    CAPTURE(i);
    TPanelButton& item = panel.Buttons().GetItem(i);
    CHECK(item.CtlXP());
    CHECK(item.Font().Name() == form.lfFaceName);
    CHECK(item.Font().Height() == form.lfHeight);
    CHECK(item.Font().Charset() == form.lfCharSet);
  }
}

TEST_CASE("the window and its panel answer with the form font: the face name, -12 and Shift-JIS") {
  PrepareStore({});
  ProgramWindows program;
  TMainFrm& main = program.MainForm();
  const LOGFONTA expected = FormFont(false);
  for (HWND window : {main.Handle(), main.ButtonList->Handle()}) {
    CAPTURE(WindowText(window));
    const auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    REQUIRE(font != nullptr);
    LOGFONTA shown{};
    REQUIRE(GetObjectA(font, sizeof shown, &shown) == sizeof shown);
    CHECK(std::string(shown.lfFaceName) == expected.lfFaceName);
    CHECK(shown.lfHeight == -12);
    CHECK(shown.lfCharSet == SHIFTJIS_CHARSET);
    CHECK(shown.lfWeight == FW_NORMAL);
  }
}

TEST_CASE("the shown window's buttons: the face of their style at rest and the caption in the form font") {
  PrepareStore({{1, {"Greeting", "Hello", 1, 1, 0, 'K'}}, {4, {"", "x", 0, 1, 1, '1'}}});
  struct Case {
    const char* name;
    int slot;
    const char* caption;
  };
  const Case cases[] = {
      {"two lines: the display text and the hotkey", 0, "Greeting\n(CTRL+ALT+K)"},
      {"no display text: a space above the hotkey", 3, " \n(ALT+SHIFT+1)"},
      {"an empty slot: no caption", 5, ""},
  };
  for (bool themed : {true, false}) {
    CAPTURE(themed);
    ThemeSwitch look(themed);
    ProgramWindows program;
    TMainFrm& main = program.MainForm();
    main.TrayIconDblClick(main.TrayIcon.get());
    REQUIRE(PumpUntil([&main] { return GetForegroundWindow() == main.Handle(); }));
    REQUIRE(MovePointerTo({2, 2}));  // nothing hot
    PumpFor(100);
    if (themed) CHECK(SaveScreenshot("main-window-buttons"));
    for (const Case& c : cases) {
      CAPTURE(c.name);
      const TFlatButton& button = main.ButtonList->Buttons().GetItem(c.slot).Button();
      const ButtonPicture expected =
          PanelButtonPicture(140, 50, ButtonStyle::Win40Ext, themed, false, c.caption);
      const int differing =
          DifferingPixels(expected, WindowPixels(main.ButtonList->Handle(), button.BoundsRect()));
      CHECK_MESSAGE(differing == 0, differing << " pixels differ from the button as its layout draws it");
    }
  }
}

TEST_CASE("start-up: every slot hotkey is taken, and only the icon shows") {
  struct Slot {
    int number;
    StoredSlot stored;
    Key key;
  };
  const Slot slots[] = {
      {1, {"One", "1", 1, 1, 0, 'K'}, {MOD_CONTROL | MOD_ALT, 'K'}},
      {4, {"", "4", 0, 1, 1, '1'}, {MOD_ALT | MOD_SHIFT, '1'}},
      {10, {"Ten", "10", 1, 1, 1, 'Q'}, {MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'Q'}},
  };
  std::vector<std::pair<int, StoredSlot>> stored;
  for (const Slot& slot : slots) stored.push_back({slot.number, slot.stored});
  stored.push_back({2, {"Named, no hotkey", "2"}});
  PrepareStore(stored);
  for (const Slot& slot : slots) REQUIRE_FALSE(IsHotkeyTaken(slot.key.modifiers, slot.key.vk));

  {
    ProgramWindows program;
    TMainFrm& main = program.MainForm();
    for (const Slot& slot : slots) {
      CAPTURE(slot.number);
      CHECK(IsHotkeyTaken(slot.key.modifiers, slot.key.vk));
    }
    CHECK(IsHotkeyTaken(kCtrlShiftZ.modifiers, kCtrlShiftZ.vk));

    CHECK(main.TrayIcon->Active());
    CHECK(ShellHasIcon(main.TrayIcon->WindowHandle()));
    CHECK_FALSE(Application::Instance().ShowMainForm);
    CHECK_FALSE(IsWindowVisible(main.Handle()));
    CHECK_FALSE(IsWindowVisible(AppWindow()));
  }
  // The end withdraws every key the program held.
  for (const Slot& slot : slots) CHECK_FALSE(IsHotkeyTaken(slot.key.modifiers, slot.key.vk));
  CHECK_FALSE(IsHotkeyTaken(kCtrlShiftZ.modifiers, kCtrlShiftZ.vk));
}

TEST_CASE("CheckHotkeyFree: the system hotkey and other slots' keys are taken, a slot's own is not") {
  PrepareStore({{1, {"Zero", "0", 0, 1, 1, '1'}}, {6, {"Five", "5", 1, 1, 0, 'K'}}});
  ProgramWindows program;
  struct Case {
    const char* name;
    int index;
    bool ctrl, alt, shift;
    char key;
    bool free;
  };
  const Case cases[] = {
      {"the system hotkey", 3, true, false, true, 'Z', false},
      {"the system hotkey, from a slot with a key", 5, true, false, true, 'Z', false},
      {"slot 5's key asked for slot 3", 3, true, true, false, 'K', false},
      {"slot 5's key asked for slot 5", 5, true, true, false, 'K', true},
      {"slot 0's key asked for slot 0", 0, false, true, true, '1', true},
      {"slot 0's key asked for slot 9", 9, false, true, true, '1', false},
      {"a key nobody holds", 3, true, true, false, 'J', true},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    CHECK(program.MainForm().CheckHotkeyFree(c.index, c.ctrl, c.alt, c.shift, c.key) == c.free);
  }
}

TEST_CASE("ApplyHotkey after start-up: the old key is withdrawn before the new one is taken") {
  // Slot 2 starts on CTRL+ALT+K. Wine replaces a registration under the same window
  // and identifier silently, so a missing withdrawal shows only when the new key is
  // refused: another holds it, and the old key must be free all the same.
  const Key ctrlAltK{MOD_CONTROL | MOD_ALT, 'K'}, altShift1{MOD_ALT | MOD_SHIFT, '1'};
  constexpr int kSlot = 2;
  const std::string pasted = "slot two";
  struct Case {
    std::string name;
    std::string text;
    bool newKeyHeldElsewhere;
    bool oldKeyTaken;
    std::optional<Key> pastingKey;  // the key that pastes the slot afterwards, if any
    TShortCut value;
    bool active;
  };
  const Case cases[] = {
      {"an empty text withdraws the key", "", false, false, std::nullopt, 0, false},
      {"the same key is taken again", "CTRL+ALT+K", false, true, ctrlAltK, 0xC04B, true},
      {"a changed key frees the old one and takes the new", "ALT+SHIFT+1", false, false, altShift1, 0xA031,
       true},
      {"a changed key another holds frees the old one and leaves the slot without a key", "ALT+SHIFT+1", true,
       false, std::nullopt, 0xA031, true},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    PrepareStore({{kSlot + 1, {"Two", pasted, 1, 1, 0, 'K'}}});
    ProgramWindows program;
    REQUIRE(IsHotkeyTaken(ctrlAltK.modifiers, ctrlAltK.vk));
    std::optional<HotkeyHolder> other;
    if (c.newKeyHeldElsewhere) REQUIRE(other.emplace(altShift1.modifiers, altShift1.vk).Held());

    program.DataModule().ApplyHotkey(kSlot, c.text);

    const TGlobalHotKey& component = *program.DataModule().HotkeyList[kSlot];
    CHECK(component.HotKey() == c.value);
    CHECK(component.Active() == c.active);
    CHECK(IsHotkeyTaken(ctrlAltK.modifiers, ctrlAltK.vk) == c.oldKeyTaken);
    if (c.pastingKey) {
      CHECK(IsHotkeyTaken(c.pastingKey->modifiers, c.pastingKey->vk));
      MarkClipboard();
      PressHotkey(c.pastingKey->modifiers, c.pastingKey->vk);
      CHECK(ClipboardGets(pasted));
    }
    if (other) {
      // The press goes to the key's holder, and the slot pastes nothing.
      MarkClipboard();
      PressHotkey(altShift1.modifiers, altShift1.vk);
      CHECK(PumpUntil([&] { return other->Presses() == 1; }));
      CHECK(ClipboardKeepsMark());
      other.reset();
      CHECK_FALSE(IsHotkeyTaken(altShift1.modifiers, altShift1.vk));
    }
  }
}

TEST_CASE("a real click on button i edits slot i") {
  PrepareStore({});
  ProgramWindows program;
  TMainFrm& main = program.MainForm();
  std::vector<int> edited;
  main.EditSlot = [&edited](int index) { edited.push_back(index); };
  main.TrayIconDblClick(main.TrayIcon.get());
  REQUIRE(PumpUntil([&main] { return GetForegroundWindow() == main.Handle(); }));

  HWND panel = main.ButtonList->Handle();
  for (int i = 0; i < kSlotCount; ++i) {
    CAPTURE(i);
    // The middle of the cell at column i mod 2, row i div 2.
    ClickAt(ClientToScreenPoint(panel, (i % 2) * 140 + 70, (i / 2) * 50 + 25));
    REQUIRE(PumpUntil([&edited, i] { return static_cast<int>(edited.size()) == i + 1; }));
    CHECK(edited.back() == i);
  }
}

TEST_CASE(
    "the icon's menu and the panel's menu as shown: Preferences first, About, Restore clipboard, Quit, "
    "separators between") {
  PrepareStore({});
  ProgramWindows program;
  TMainFrm& main = program.MainForm();
  // Captions as bytes; separators are separators, not items with a text.
  const std::string expected = "Preferences(&P) | - | About(&A) | Restore clipboard(&R) | - | Quit(&Q)";

  {
    ShownMenuReader menu("menu-of-the-icon");
    // A right press on the program's icon, the only one in the notification area.
    REQUIRE(XClick(kTrayIconSpot.x, kTrayIconSpot.y, 3));
    REQUIRE(menu.WaitRead());
    CHECK(menu.Listed() == expected);
  }
  main.TrayIconDblClick(main.TrayIcon.get());
  REQUIRE(PumpUntil([&main] { return GetForegroundWindow() == main.Handle(); }));
  for (const POINT& spot : {POINT{70, 25}, POINT{210, 225}}) {  // on slot 0's button, on slot 9's
    CAPTURE(spot.x);
    ShownMenuReader menu("menu-of-the-panel");
    const POINT at = ClientToScreenPoint(main.ButtonList->Handle(), spot.x, spot.y);
    REQUIRE(XClick(at.x, at.y, 3));
    REQUIRE(menu.WaitRead());
    CHECK(menu.Listed() == expected);
  }
  // Nothing was chosen: the window is still shown, the icon still hidden.
  CHECK(IsWindowVisible(main.Handle()));
  CHECK_FALSE(main.TrayIcon->Active());
}

TEST_CASE("Restore clipboard(&R) shows the stored switch as its check; a click turns it over and stores it") {
  PrepareStore({});
  const auto dword = [](DWORD value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
  };
  WriteStoreValue("RestoreClipboard", REG_DWORD, dword(1));
  ProgramWindows program;
  TMainFrm& main = program.MainForm();
  // The item as the icon's menu shows it after a real right press on the icon.
  auto shown = [] {
    ShownMenuReader menu;
    REQUIRE(XClick(kTrayIconSpot.x, kTrayIconSpot.y, 3));
    REQUIRE(menu.WaitRead());
    const std::vector<std::string> items = menu.Items();
    REQUIRE(items.size() == 6);
    return items[3];
  };
  auto stored = [] {
    const std::optional<RawValue> value = ReadStoreValue("RestoreClipboard");
    return value ? std::to_string(value->type) + ": " + value->bytes : "missing";
  };
  CHECK(shown() == "Restore clipboard(&R) (checked)");
  main.RestoreClipboardR1->Click();
  CHECK(stored() == std::to_string(REG_DWORD) + ": " + dword(0));
  CHECK(shown() == "Restore clipboard(&R)");
  main.RestoreClipboardR1->Click();
  CHECK(stored() == std::to_string(REG_DWORD) + ": " + dword(1));
  CHECK(shown() == "Restore clipboard(&R) (checked)");

  // A store that refuses the write: the click raises the write's error (for the
  // standard error box) and the switch stays as it was.
  REQUIRE(DenyWritesToStore());
  CHECK_THROWS_WITH_AS(main.RestoreClipboardR1->Click(),
                       FormatWithName(kRegistryWriteFailed, "RestoreClipboard").c_str(), Error);
  CHECK(shown() == "Restore clipboard(&R) (checked)");
  CHECK(stored() == std::to_string(REG_DWORD) + ": " + dword(1));
  ClearStore();
}

TEST_CASE("minimising hides into the notification area; the icon brings the window back") {
  PrepareStore({});
  ProgramWindows program;
  TMainFrm& main = program.MainForm();
  struct Step {
    const char* action;
    void (*act)(TMainFrm&);
    bool icon, appWindow, form;
  };
  const Step steps[] = {
      {"double-click on the icon", [](TMainFrm& m) { m.TrayIconDblClick(m.TrayIcon.get()); }, false, true,
       true},
      {"SC_MINIMIZE", [](TMainFrm& m) { SendMessageA(m.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0); }, true,
       false, false},
      {"Preferences(&P)", [](TMainFrm& m) { m.PreferencesP1->Click(); }, false, true, true},
      {"SC_MINIMIZE again", [](TMainFrm& m) { SendMessageA(m.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0); },
       true, false, false},
      {"double-click again", [](TMainFrm& m) { m.TrayIconDblClick(m.TrayIcon.get()); }, false, true, true},
  };
  for (const Step& step : steps) {
    CAPTURE(step.action);
    step.act(main);
    PumpFor(50);
    CHECK(main.TrayIcon->Active() == step.icon);
    CHECK(ShellHasIcon(main.TrayIcon->WindowHandle()) == step.icon);
    CHECK(static_cast<bool>(IsWindowVisible(AppWindow())) == step.appWindow);
    CHECK(static_cast<bool>(IsWindowVisible(main.Handle())) == step.form);
  }
  // Only SC_MINIMIZE itself: a command with other low bits is the window's own business.
  SendMessageA(main.Handle(), WM_SYSCOMMAND, SC_MINIMIZE | 2, 0);
  PumpFor(50);
  CHECK_FALSE(main.TrayIcon->Active());
  CHECK(IsIconic(main.Handle()));
  CHECK(IsWindowVisible(AppWindow()));
}

TEST_CASE("closing releases the slots: a later slot hotkey pastes nothing") {
  const Key ctrlAltK{MOD_CONTROL | MOD_ALT, 'K'};
  PrepareStore({{1, {"Greeting", "pasted while open", 1, 1, 0, 'K'}}});
  ProgramWindows program;
  TMainFrm& main = program.MainForm();

  MarkClipboard();
  PressHotkey(ctrlAltK.modifiers, ctrlAltK.vk);
  REQUIRE(ClipboardGets("pasted while open"));

  main.QuitQ1->Click();
  CHECK(main.SlotList == nullptr);
  CHECK(program.DataModule().Slots() == nullptr);
  MSG quit{};
  CHECK(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // closing the main window ends the loop

  // The data module still holds the key until it goes: the press arrives, and is dropped.
  REQUIRE(IsHotkeyTaken(ctrlAltK.modifiers, ctrlAltK.vk));
  MarkClipboard();
  PressHotkey(ctrlAltK.modifiers, ctrlAltK.vk);
  CHECK(ClipboardKeepsMark());
}
