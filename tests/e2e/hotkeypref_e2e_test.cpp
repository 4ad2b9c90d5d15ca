// The slot editor of the real program, used as a user would: the preferences window
// shown from the icon, a slot's button clicked, the editor's fields clicked where its
// layout puts them and typed into, its boxes and buttons clicked, its messages read
// and answered.
#include <doctest.h>

#include <cstdio>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "button_reference.h"
#include "hotkey_probe.h"
#include "key_input.h"
#include "message_box_look.h"
#include "message_box_watcher.h"
#include "mouse_input.h"
#include "process_modules.h"
#include "screenshot.h"
#include "slot_store.h"
#include "text.h"
#include "velnor_session.h"
#include "wait.h"
#include "window_class.h"
#include "x_input.h"

namespace {
constexpr char kEditorTitle[] = "HotKey Preferences";
constexpr int kSlot = 3;  // the fourth button, stored under the names ending in 04
constexpr int kSlotNumber = kSlot + 1;

// The editor's controls in its client area, where its layout puts them.
constexpr RECT kDisplayField{20, 28, 277, 48};
constexpr RECT kPasteField{20, 76, 277, 96};
constexpr RECT kKeyField{266, 127, 291, 147};
constexpr RECT kCtrlBox{24, 128, 41, 148};
constexpr RECT kAltBox{96, 128, 113, 148};
constexpr RECT kShiftBox{160, 128, 177, 148};
constexpr RECT kDeleteButton{8, 152, 80, 176};
constexpr RECT kCancelButton{168, 176, 240, 200};
constexpr RECT kOkButton{240, 176, 312, 200};

POINT Middle(HWND dialog, const RECT& r) {
  return ClientToScreenPoint(dialog, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// The window under the middle of a control's place.
HWND WindowAt(HWND dialog, const RECT& r) { return WindowFromPoint(Middle(dialog, r)); }

// An edit control's text. Asked with the message itself: GetWindowTextA of another
// program's control gives the name the window was made with, not what it holds.
std::string TextOf(HWND window) {
  char text[256] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000,
                      &copied);
  return text;
}

// A window's rectangle in the dialog's client area.
RECT PlaceIn(HWND dialog, HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The keyboard focus of the thread that runs the window.
HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

HWND ShowMainWindow(const VelnorSession& session) {
  if (!session.tray.DoubleClickIcon()) return nullptr;
  return session.velnor.WaitShownWindow("Velnor Preferences");
}

// The middle of slot index's button: two columns of five cells of 140 x 50.
POINT SlotButton(HWND main, int index) {
  return ClientToScreenPoint(main, (index % 2) * 140 + 70, (index / 2) * 50 + 25);
}

HWND OpenEditor(const VelnorSession& session, int index) {
  HWND main = session.velnor.FindWindowOf("Velnor Preferences", nullptr, true);
  if (!main) main = ShowMainWindow(session);
  if (!main) return nullptr;
  ClickAt(SlotButton(main, index));
  return session.velnor.WaitShownWindow(kEditorTitle);
}

// The editor closed and the program's click handler done with what follows (saving,
// recaptioning, applying): its window thread is back reading messages.
bool EditorGone(const VelnorSession& session) {
  return PumpUntil([&] { return !session.velnor.Shows(kEditorTitle); }) && session.velnor.WaitSettled();
}

// Clicks into a field, empties it and types the text; true once the field shows
// what it should then hold.
bool Fill(HWND dialog, const RECT& field, const std::string& typed, const std::string& shown) {
  HWND edit = WindowAt(dialog, field);
  ClickAt(Middle(dialog, field));
  if (!PumpUntil([&] { return FocusOf(dialog) == edit; })) {
    MESSAGE("the click did not put the focus into the field at " << field.left << ", " << field.top);
    return false;
  }
  PressKey(VK_END);
  PressHotkey(MOD_SHIFT, VK_HOME);
  PressKey(VK_DELETE);
  TypeText(typed);
  if (PumpUntil([&] { return TextOf(edit) == shown; })) return true;
  MESSAGE("the field at " << field.left << ", " << field.top << " shows '" << TextOf(edit) << "', not '"
                          << shown << "'");
  return false;
}
bool Fill(HWND dialog, const RECT& field, const std::string& text) { return Fill(dialog, field, text, text); }

void Click(HWND dialog, const RECT& control) { ClickAt(Middle(dialog, control)); }

// The editor's edit boxes are the common controls' own (version 6, as the manifest
// asks): the system loads the library when the first of them is made, since the
// program no longer loads it at start-up.
TEST_CASE("the editor's edit boxes come from the common controls, loaded when the editor opens") {
  VelnorSession session({});
  REQUIRE(session.Start());
  CHECK(LoadedModules(session.velnor.Id()).count("comctl32.dll") == 0);
  HWND dialog = OpenEditor(session, kSlot);
  REQUIRE(dialog != nullptr);
  CHECK(LoadedModules(session.velnor.Id()).count("comctl32.dll") == 1);
  Click(dialog, kCancelButton);
  CHECK(EditorGone(session));
}

// What the editor opened on the slot shows in its three fields, as "display / paste /
// key", closed again by Cancel; empty when it did not open.
std::string ShownByEditor(const VelnorSession& session) {
  HWND dialog = OpenEditor(session, kSlot);
  if (!dialog) return "";
  const std::string shown = TextOf(WindowAt(dialog, kDisplayField)) + " / " +
                            TextOf(WindowAt(dialog, kPasteField)) + " / " +
                            TextOf(WindowAt(dialog, kKeyField));
  Click(dialog, kCancelButton);
  CHECK(EditorGone(session));
  return shown;
}

// A box takes the focus on the press and toggles on the release, which follows at once.
bool ClickBox(HWND dialog, const RECT& box) {
  HWND window = WindowAt(dialog, box);
  Click(dialog, box);
  return PumpUntil([&] { return FocusOf(dialog) == window; });
}

// A message box as the user saw it: its text, and its buttons and icon in words
// (MessageBoxLook).
struct ShownMessage {
  std::string text;
  std::string look;
};
const std::string kErrorLook = "OK; error icon";

// The next message box with this caption, after a screenshot when named, answered
// with a click on the button where the box draws it; nothing when none came.
std::optional<ShownMessage> AnswerMessage(const std::string& caption, int button = IDOK,
                                          const char* screenshot = nullptr) {
  HWND box = nullptr;
  if (!PumpUntil([&] { return (box = FindMessageBox(caption)) != nullptr; })) return std::nullopt;
  const ShownMessage shown{MessageBoxText(box), MessageBoxLook(box)};
  if (screenshot) CHECK(SaveScreenshot(screenshot));
  if (!ClickMessageBoxButton(box, button)) {
    // The look already says what is wrong; the answer still ends the box, so the
    // test goes on.
    MESSAGE("the box has no button with id " << button << "; it shows " << shown.look);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  }
  CHECK(PumpUntil([&] { return !IsWindow(box); }));
  return shown;
}

// The box's pixels on screen, with the pointer away from it.
std::vector<COLORREF> BoxPixels(HWND dialog, const RECT& box) {
  POINT topLeft = ClientToScreenPoint(dialog, box.left, box.top);
  return ScreenPixels(
      {topLeft.x, topLeft.y, topLeft.x + box.right - box.left, topLeft.y + box.bottom - box.top});
}

std::string Dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof value); }

// One value as "type: bytes", each byte that is no printable character as \xNN.
std::string Describe(const std::optional<RawValue>& value) {
  if (!value) return "missing";
  std::string text = value->type == REG_SZ ? "REG_SZ:" : value->type == REG_DWORD ? "REG_DWORD:" : "other:";
  for (unsigned char c : value->bytes) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", c);
    text += (c >= 0x20 && c < 0x7F) ? std::string(1, static_cast<char>(c)) : std::string(hex);
  }
  return text;
}

// The names of a slot's six values without its number, in store order.
constexpr const char* kStems[] = {"DisplayText", "PasteText", "IsCTRL", "IsALT", "IsSHIFT", "KeyCode"};

// The six values of the slot, one line each.
std::string StoredValues(int number) {
  std::string text;
  for (const char* stem : kStems)
    text += StoreName(stem, number) + " " + Describe(ReadStoreValue(StoreName(stem, number))) + "\n";
  return text;
}

// What the store holds after the program saved slot number 4 with these values.
std::string Expected(const std::string& display, const std::string& paste, DWORD ctrl, DWORD alt, DWORD shift,
                     char key) {
  const RawValue values[] = {{REG_SZ, display + '\0'},  {REG_SZ, paste + '\0'},
                             {REG_DWORD, Dword(ctrl)},  {REG_DWORD, Dword(alt)},
                             {REG_DWORD, Dword(shift)}, {REG_SZ, std::string{key, '\0'}}};
  std::string text;
  for (size_t i = 0; i < std::size(values); ++i)
    text += StoreName(kStems[i], kSlotNumber) + " " + Describe(values[i]) + "\n";
  return text;
}

// The pixels of slot index's button in the shown main window.
std::vector<COLORREF> SlotButtonPixels(HWND main, int index) {
  const POINT topLeft = ClientToScreenPoint(main, (index % 2) * 140, (index / 2) * 50);
  return ScreenPixels({topLeft.x, topLeft.y, topLeft.x + 140, topLeft.y + 50});
}

// Pumps until slot index's button, with the pointer away, shows the caption as its
// layout draws it (the themed face at rest, the caption in the form font); says how
// many pixels differ when it never does.
bool ShowsCaption(HWND main, int index, const std::string& caption) {
  XMovePointer(5, 5);
  const ButtonPicture expected = PanelButtonPicture(140, 50, ButtonStyle::Win40Ext, true, false, caption);
  int differing = 0;
  if (PumpUntil([&] { return (differing = DifferingPixels(expected, SlotButtonPixels(main, index))) == 0; }))
    return true;
  MESSAGE("the button of slot " << index << " differs from '" << caption << "' as its layout draws it in "
                                << differing << " pixels");
  return false;
}
}  // namespace

TEST_CASE("the editor's fields lie where its layout puts them, and Tab visits them in its order") {
  VelnorSession session({});
  REQUIRE(session.Start());
  HWND dialog = OpenEditor(session, kSlot);
  REQUIRE(dialog != nullptr);
  RECT client{};
  GetClientRect(dialog, &client);
  CHECK(client.right == 318);
  CHECK(client.bottom == 209);

  struct Place {
    const char* name;
    RECT rect;
    const char* windowClass;
  };
  const Place tabOrder[] = {
      {"EditDisplayText", kDisplayField, "Edit"}, {"EditPasteText", kPasteField, "Edit"},
      {"checkCTRL", kCtrlBox, "VelnorControl"},   {"checkALT", kAltBox, "VelnorControl"},
      {"checkSHIFT", kShiftBox, "VelnorControl"}, {"keyCode", kKeyField, "Edit"},
  };
  for (const Place& place : tabOrder) {
    CAPTURE(place.name);
    HWND window = WindowAt(dialog, place.rect);
    CHECK(ClassOf(window) == place.windowClass);
    const RECT at = PlaceIn(dialog, window);
    CHECK(at.left == place.rect.left);
    CHECK(at.top == place.rect.top);
    CHECK(at.right == place.rect.right);
    CHECK(at.bottom == place.rect.bottom);
  }

  // From the first field round the whole order and back to it, then one step back.
  REQUIRE(Fill(dialog, kDisplayField, ""));
  for (size_t step = 1; step <= std::size(tabOrder); ++step) {
    const Place& next = tabOrder[step % std::size(tabOrder)];
    CAPTURE(next.name);
    PressKey(VK_TAB);
    CHECK(PumpUntil([&] { return FocusOf(dialog) == WindowAt(dialog, next.rect); }));
  }
  PressHotkey(MOD_SHIFT, VK_TAB);
  CHECK(PumpUntil([&] { return FocusOf(dialog) == WindowAt(dialog, kKeyField); }));

  // The key box holds one byte: a double-byte character does not fit and is refused
  // whole, so what follows it is still taken, in capitals.
  TypeCharacter(L'\x3042');  // HIRAGANA LETTER A, two bytes in code page 932
  TypeText("k");
  CHECK(PumpUntil([&] { return TextOf(WindowAt(dialog, kKeyField)) == "K"; }));
}

TEST_CASE("editing the fourth button: the store, its caption and its hotkey follow") {
  VelnorSession session({});
  REQUIRE(session.Start());
  HWND main = ShowMainWindow(session);
  REQUIRE(main != nullptr);
  CHECK(ShowsCaption(main, kSlot, ""));  // the empty slot's button
  HWND dialog = OpenEditor(session, kSlot);
  REQUIRE(dialog != nullptr);
  REQUIRE(Fill(dialog, kDisplayField, "Greeting"));
  REQUIRE(Fill(dialog, kPasteField, "Hello"));
  REQUIRE(ClickBox(dialog, kCtrlBox));
  REQUIRE(ClickBox(dialog, kAltBox));
  REQUIRE(Fill(dialog, kKeyField, "k", "K"));
  CHECK(SaveScreenshot("e2e-editor"));
  Click(dialog, kOkButton);
  REQUIRE(EditorGone(session));

  CHECK(StoredValues(kSlotNumber) == Expected("Greeting", "Hello", 1, 1, 0, 'K'));
  CHECK(ShowsCaption(main, kSlot, "Greeting\n(CTRL+ALT+K)"));
  CHECK(SaveScreenshot("e2e-editor-saved"));

  REQUIRE(session.target.Activate());
  PressHotkey(MOD_CONTROL | MOD_ALT, 'K');
  CHECK(session.TextArrives("Hello"));
}

TEST_CASE("OK's checks in their order: each message leaves the editor open with the input as typed") {
  struct Case {
    std::string name;
    const char* display;
    const char* paste;
    bool ctrl, alt, shift;
    const char* key;
    const char* message;  // UTF-8
  };
  // Each case also breaks every rule checked after its own, which must stay silent.
  const Case cases[] = {
      {"nothing typed: the key first", "", "", false, false, false, "", "キーが未入力です"},
      {"a key, no modifier, no texts", "", "", false, false, false, "k",
       "CTRL/ALT/SHIFTはいずれかを指定してください"},
      {"a modifier, no texts", "", "", true, true, true, "5", "ペーストする文字が未入力です"},
      {"a paste text, no display text", "", "Hello", true, true, true, "5", "表示名称が未入力です"},
      {"all three modifiers with a digit", "Greeting", "Hello", true, true, true, "5",
       "このコンビネーションは無効です"},
      {"the system hotkey CTRL+SHIFT+Z", "Greeting", "Hello", true, false, true, "z",
       "このキーコンビネーションはすでに登録されています"},
  };
  VelnorSession session({});
  REQUIRE(session.Start());
  HWND dialog = OpenEditor(session, kSlot);
  REQUIRE(dialog != nullptr);
  const std::string errorCaption = Cp932FromUtf8("エラー");

  bool ticked[3] = {false, false, false};
  const RECT boxes[3] = {kCtrlBox, kAltBox, kShiftBox};
  bool first = true;
  for (const Case& c : cases) {
    CAPTURE(c.name);
    const std::string key = std::string(c.key);
    const std::string shownKey = key == "k" ? "K" : key == "z" ? "Z" : key;
    REQUIRE(Fill(dialog, kDisplayField, c.display));
    REQUIRE(Fill(dialog, kPasteField, c.paste));
    const bool wanted[3] = {c.ctrl, c.alt, c.shift};
    for (int i = 0; i < 3; ++i)
      if (ticked[i] != wanted[i]) {
        REQUIRE(ClickBox(dialog, boxes[i]));
        ticked[i] = wanted[i];
      }
    REQUIRE(Fill(dialog, kKeyField, key, shownKey));

    Click(dialog, kOkButton);
    const auto message = AnswerMessage(errorCaption, IDOK, first ? "e2e-editor-message" : nullptr);
    first = false;
    REQUIRE(message.has_value());
    CHECK(Utf8FromCp932(message->text) == c.message);
    CHECK(message->look == kErrorLook);
    // One message only, and the editor still open with every field as typed.
    PumpFor(300);
    CHECK(FindMessageBox(errorCaption) == nullptr);
    CHECK(session.velnor.Shows(kEditorTitle));
    CHECK(TextOf(WindowAt(dialog, kDisplayField)) == c.display);
    CHECK(TextOf(WindowAt(dialog, kPasteField)) == c.paste);
    CHECK(TextOf(WindowAt(dialog, kKeyField)) == shownKey);
    CHECK_FALSE(ReadStoreValue(StoreName("KeyCode", kSlotNumber)).has_value());
  }
}

TEST_CASE("a slot whose IsCTRL is 2 shows CTRL ticked, and OK stores 1") {
  VelnorSession session({{kSlot, {"Greeting", "Hello", 2, 1, 0, 'K'}}});
  REQUIRE(session.Start());
  HWND dialog = OpenEditor(session, kSlot);
  REQUIRE(dialog != nullptr);
  REQUIRE(XMovePointer(5, 5));
  PumpFor(300);
  // ALT (1) is ticked and SHIFT (0) is not: CTRL looks like the one and not the other.
  CHECK(BoxPixels(dialog, kCtrlBox) == BoxPixels(dialog, kAltBox));
  CHECK(BoxPixels(dialog, kCtrlBox) != BoxPixels(dialog, kShiftBox));

  Click(dialog, kOkButton);
  REQUIRE(EditorGone(session));
  CHECK(StoredValues(kSlotNumber) == Expected("Greeting", "Hello", 1, 1, 0, 'K'));
}

TEST_CASE("Delete: answered Cancel the editor stays, answered OK the slot is cleared and its hotkey freed") {
  VelnorSession session({{kSlot, {"Greeting", "Hello", 1, 1, 0, 'K'}}});
  REQUIRE(session.Start());
  REQUIRE(IsHotkeyTaken(MOD_CONTROL | MOD_ALT, 'K'));
  HWND dialog = OpenEditor(session, kSlot);
  REQUIRE(dialog != nullptr);
  // Edits made before the deletion are lost with it.
  REQUIRE(Fill(dialog, kDisplayField, "Changed"));
  const std::string confirm = Cp932FromUtf8("確認");
  const std::string question = Cp932FromUtf8("削除します.よろしいですか？");

  Click(dialog, kDeleteButton);
  const auto cancelled = AnswerMessage(confirm, IDCANCEL);
  REQUIRE(cancelled.has_value());
  CHECK(cancelled->text == question);
  CHECK(cancelled->look == "OK, Cancel; no icon");
  PumpFor(300);
  CHECK(session.velnor.Shows(kEditorTitle));
  CHECK(TextOf(WindowAt(dialog, kDisplayField)) == "Changed");
  CHECK(StoredValues(kSlotNumber) == Expected("Greeting", "Hello", 1, 1, 0, 'K'));
  CHECK(IsHotkeyTaken(MOD_CONTROL | MOD_ALT, 'K'));

  Click(dialog, kDeleteButton);
  const auto confirmed = AnswerMessage(confirm, IDOK);
  REQUIRE(confirmed.has_value());
  CHECK(confirmed->text == question);
  REQUIRE(EditorGone(session));
  CHECK(StoredValues(kSlotNumber) == Expected("", "", 0, 0, 0, '\0'));
  CHECK(PumpUntil([] { return !IsHotkeyTaken(MOD_CONTROL | MOD_ALT, 'K'); }));
}

TEST_CASE("Cancel after edits changes nothing, and neither does the title bar's close button") {
  VelnorSession session({{kSlot, {"Greeting", "Hello", 1, 1, 0, 'K'}}});
  REQUIRE(session.Start());
  HWND dialog = OpenEditor(session, kSlot);
  REQUIRE(dialog != nullptr);
  REQUIRE(Fill(dialog, kDisplayField, "Changed"));
  REQUIRE(Fill(dialog, kPasteField, "Other"));
  REQUIRE(ClickBox(dialog, kShiftBox));
  REQUIRE(Fill(dialog, kKeyField, "j", "J"));
  SUBCASE("Cancel") { Click(dialog, kCancelButton); }
  SUBCASE("the close button") { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }
  REQUIRE(EditorGone(session));

  CHECK(StoredValues(kSlotNumber) == Expected("Greeting", "Hello", 1, 1, 0, 'K'));
  // The record itself kept its values: the editor opened again shows them.
  CHECK(ShownByEditor(session) == "Greeting / Hello / K");
  REQUIRE(session.target.Activate());
  PressHotkey(MOD_CONTROL | MOD_ALT, 'K');
  CHECK(session.TextArrives("Hello"));
}

TEST_CASE(
    "a save that fails after OK: the error box, the store untouched, the edit kept by the record alone") {
  // Slots on either side of the edited one, so a save that strays shows in the store.
  VelnorSession session({{0, {"First", "first text", 1, 0, 1, 'F'}},
                         {kSlot, {"Greeting", "Hello", 1, 1, 0, 'K'}},
                         {9, {"Last", "last text", 0, 1, 1, '9'}}});
  REQUIRE(session.Start());
  HWND main = ShowMainWindow(session);
  REQUIRE(main != nullptr);
  CHECK(ShowsCaption(main, kSlot, "Greeting\n(CTRL+ALT+K)"));
  auto wholeStore = [] {
    std::string text;
    for (int number = 1; number <= 10; ++number) text += StoredValues(number);
    return text;
  };
  const std::string stored = wholeStore();
  REQUIRE(DenyWritesToStore());

  HWND dialog = OpenEditor(session, kSlot);
  REQUIRE(dialog != nullptr);
  REQUIRE(Fill(dialog, kDisplayField, "Changed"));
  REQUIRE(Fill(dialog, kPasteField, "Other"));
  REQUIRE(Fill(dialog, kKeyField, "j", "J"));
  Click(dialog, kOkButton);
  const auto error = AnswerMessage("Velnor", IDOK, "e2e-editor-save-failed");
  REQUIRE(error.has_value());
  CHECK(Utf8FromCp932(error->text) == "'DisplayText04' の設定に失敗しました.");
  CHECK(error->look == kErrorLook);
  REQUIRE(EditorGone(session));
  CHECK(IsWindowEnabled(main));

  // Nothing was written, the button still shows the slot as stored, and the hotkey
  // is the stored one: the new key was never registered.
  CHECK(wholeStore() == stored);
  CHECK(ShowsCaption(main, kSlot, "Greeting\n(CTRL+ALT+K)"));
  CHECK(IsHotkeyTaken(MOD_CONTROL | MOD_ALT, 'K'));
  CHECK_FALSE(IsHotkeyTaken(MOD_CONTROL | MOD_ALT, 'J'));

  // The record itself holds the confirmed edit: the stored key pastes the new text,
  // and the editor opened again shows it.
  REQUIRE(session.target.Activate());
  PressHotkey(MOD_CONTROL | MOD_ALT, 'K');
  CHECK(session.PasteArrives("Other"));
  session.target.SetText("");
  PressHotkey(MOD_CONTROL | MOD_SHIFT, 'F');
  CHECK(session.PasteArrives("first text"));
  CHECK(ShownByEditor(session) == "Changed / Other / J");
}
