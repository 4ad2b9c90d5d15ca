// The switch that gives the user's clipboard back after a paste, end to end against
// the real program: what the user had copied (a text, a picture, a file list and a
// format of its own) is on the clipboard before a press, and the clipboard is read
// back the way another program reads it.
#include <windows.h>
// The subclass calls and the file list record build on windows.h.
#include <commctrl.h>
#include <doctest.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "clipboard_listener.h"
#include "clipboard_probe.h"
#include "key_input.h"
#include "velnor_session.h"
#include "wait.h"

namespace {
using Blocks = std::vector<std::pair<UINT, std::string>>;

const StoredSlot kFirst{"First", "first;", 1, 1, 0, '1'};
const StoredSlot kSecond{"Second", "second;", 1, 1, 0, '2'};
const char kSwitch[] = "RestoreClipboard";
// The program waits this long for the target to read a paste; whatever happens after
// a paste has happened by then and a little more.
constexpr DWORD kReadBound = 1000;
// From the paste landing in the target to the user's content being back.
constexpr DWORD kBackWithin = 1000;

std::string Bytes(const void* data, size_t size) { return std::string(static_cast<const char*>(data), size); }
std::string Dword(DWORD value) { return Bytes(&value, sizeof value); }

// A format only the user's content carries, so its return can be seen without
// reading the text (a read by this process would count as the target's paste).
UINT UserMark() {
  static const UINT format = RegisterClipboardFormatA("Velnor test: the user's own content");
  return format;
}
bool UserContentShows() { return IsClipboardFormatAvailable(UserMark()) != FALSE; }

// A text, a 4 x 2 picture of 24 bits, a list of two files and the mark.
Blocks UserContent() {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = 4;
  header.biHeight = 2;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = 2 * 12;
  std::string dib = Bytes(&header, sizeof header);
  for (int i = 0; i < 24; ++i) dib += static_cast<char>(17 * i + 3);
  DROPFILES drop{};
  drop.pFiles = sizeof drop;
  const std::string files =
      Bytes(&drop, sizeof drop) + std::string("C:\\users\\one.txt\0C:\\two.png\0\0", 29);
  return {{CF_TEXT, std::string("what the user copied", 21)},
          {CF_DIB, dib},
          {CF_HDROP, files},
          {UserMark(), "mark"}};
}

// A session of the program with the two slots and the switch stored as given.
struct Session : VelnorSession {
  explicit Session(const std::optional<std::pair<DWORD, std::string>>& stored)
      : VelnorSession({{0, kFirst}, {1, kSecond}}) {
    if (stored) WriteStoreValue(kSwitch, stored->first, stored->second);
  }
  bool Ready() { return Start() && target.Activate(); }
};

// The target reads the clipboard only half a second after the Ctrl+V, as a busy
// program does.
class LateReader {
 public:
  explicit LateReader(HWND edit) : edit_(edit) { SetWindowSubclass(edit_, &Procedure, 1, 0); }
  ~LateReader() { RemoveWindowSubclass(edit_, &Procedure, 1); }
  LateReader(const LateReader&) = delete;
  LateReader& operator=(const LateReader&) = delete;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR) {
    if (msg == WM_PASTE) Sleep(500);
    return DefSubclassProc(window, msg, wParam, lParam);
  }
  HWND edit_;
};

// Every block of the content as the clipboard holds it now, by format.
Blocks ClipboardNow(const Blocks& content) {
  Blocks now;
  for (const auto& [format, bytes] : content)
    now.emplace_back(format, ClipboardBlock(format).value_or("(none)"));
  return now;
}

bool UserContentBack(DWORD timeoutMs = kBackWithin) {
  if (PumpUntil(UserContentShows, timeoutMs)) return true;
  MESSAGE("the user's content was not back " << timeoutMs << " ms after the paste");
  return false;
}

// Checks that the clipboard holds the content byte for byte, and its formats as before.
void CheckHolds(const Blocks& content, const std::vector<UINT>& formatsBefore) {
  CHECK(ClipboardNow(content) == content);
  CHECK(ClipboardFormats() == formatsBefore);
}
}  // namespace

TEST_CASE("what the stored switch means: only a DWORD 1 gives the user's content back after a paste") {
  struct Case {
    std::string name;
    std::optional<std::pair<DWORD, std::string>> stored;
    bool restores;
  };
  const Case cases[] = {
      {"missing (the default)", std::nullopt, false},
      {"DWORD 0", std::pair{REG_DWORD, Dword(0)}, false},
      {"REG_SZ \"1\"", std::pair{REG_SZ, std::string("1\0", 2)}, false},
      {"a DWORD of two bytes", std::pair{REG_DWORD, std::string("\1\0", 2)}, false},
      {"DWORD 1", std::pair{REG_DWORD, Dword(1)}, true},
  };
  const Blocks content = UserContent();
  for (const Case& c : cases) {
    CAPTURE(c.name);
    Session session(c.stored);
    REQUIRE(session.Ready());
    REQUIRE(ReplaceClipboard(content));
    const std::vector<UINT> before = ClipboardFormats();
    PressHotkey(HotkeyModifiers(kFirst), '1');
    CHECK(session.PasteArrives(kFirst.paste));
    if (c.restores) {
      CHECK(UserContentBack());
      CheckHolds(content, before);
    } else {
      PumpFor(kReadBound + 500);
      CHECK_FALSE(UserContentShows());
      CHECK(ClipboardBlock(CF_TEXT).value_or("(none)") == kFirst.paste + '\0');
    }
    // Reading the switch never rewrites it, whatever it holds.
    const std::optional<RawValue> stored = ReadStoreValue(kSwitch);
    REQUIRE(stored.has_value() == c.stored.has_value());
    if (stored) CHECK(std::pair{stored->type, stored->bytes} == *c.stored);
  }
}

TEST_CASE(
    "switch on, a target that reads half a second late still pastes the snippet, then the content is back") {
  Session session(std::pair{REG_DWORD, Dword(1)});
  REQUIRE(session.Ready());
  LateReader late(session.target.Edit());
  const Blocks content = UserContent();
  REQUIRE(ReplaceClipboard(content));
  const std::vector<UINT> before = ClipboardFormats();
  PressHotkey(HotkeyModifiers(kSecond), '2');
  CHECK(session.PasteArrives(kSecond.paste));
  CHECK(UserContentBack());
  CheckHolds(content, before);
}

TEST_CASE("switch on, a target that never reads the paste: the content is back when the read bound ends") {
  Session session(std::pair{REG_DWORD, Dword(1)});
  REQUIRE(session.Ready());
  // A read-only edit control takes Ctrl+V without asking for the clipboard.
  SendMessageA(session.target.Edit(), EM_SETREADONLY, TRUE, 0);
  const Blocks content = UserContent();
  REQUIRE(ReplaceClipboard(content));
  const std::vector<UINT> before = ClipboardFormats();
  PressHotkey(HotkeyModifiers(kFirst), '1');
  const DWORD pressed = GetTickCount();
  REQUIRE(PumpUntil([] { return !UserContentShows(); }));  // the paste took the clipboard
  CHECK(UserContentBack(kReadBound + kBackWithin));
  const DWORD back = GetTickCount() - pressed;
  CAPTURE(back);
  CHECK(back >= kReadBound);  // not before the target had its whole bound to read
  CHECK(session.target.Text().empty());
  CheckHolds(content, before);
}

TEST_CASE("switch on, another program holds the clipboard when the content would go back: it stays away") {
  Session session(std::pair{REG_DWORD, Dword(1)});
  REQUIRE(session.Ready());
  SendMessageA(session.target.Edit(), EM_SETREADONLY, TRUE, 0);  // never reads: the bound ends it
  REQUIRE(ReplaceClipboard(UserContent()));
  PressHotkey(HotkeyModifiers(kFirst), '1');
  REQUIRE(PumpUntil([] { return !UserContentShows(); }));  // the paste took the clipboard
  {
    ClipboardHolder other;
    REQUIRE(other.Held());
    PumpFor(kReadBound + 500);
  }
  // Nothing went back, nothing is waiting to: the paste's text stays, as without the switch.
  PumpFor(500);
  CHECK_FALSE(UserContentShows());
  CHECK(ClipboardBlock(CF_TEXT).value_or("(none)") == kFirst.paste + '\0');
  // And the program goes on pasting.
  SendMessageA(session.target.Edit(), EM_SETREADONLY, FALSE, 0);
  PressHotkey(HotkeyModifiers(kSecond), '2');
  CHECK(session.PasteArrives(kSecond.paste));
}

TEST_CASE(
    "switch on, 40 presses of two slots back to back: each lands in order, the content comes back once") {
  Session session(std::pair{REG_DWORD, Dword(1)});
  REQUIRE(session.Ready());
  const Blocks content = UserContent();
  REQUIRE(ReplaceClipboard(content));
  // Each time the user's content shows again, and what the target held then.
  bool shows = true;
  std::vector<std::string> heldAtReturn;
  ClipboardListener listener([&] {
    const bool now = UserContentShows();
    if (now && !shows) heldAtReturn.push_back(session.target.Text());
    shows = now;
  });
  REQUIRE(listener.Listening());
  // One SendInput with both slots' keys under the same Ctrl+Alt: every press is
  // reported before the first paste's 100 ms wait ends, so none of the program's
  // Ctrl+V can come between them.
  constexpr int kPresses = 40;
  KeySequence keys;
  keys.Down(VK_CONTROL).Down(VK_MENU);
  std::string expected;
  for (int press = 0; press < kPresses; ++press) {
    const StoredSlot& slot = press % 2 ? kSecond : kFirst;
    keys.Down(static_cast<UINT>(slot.key)).Up(static_cast<UINT>(slot.key));
    expected += slot.paste;
  }
  keys.Up(VK_MENU).Up(VK_CONTROL).Send();
  CHECK(session.TextArrives(expected, 20000));
  CHECK(UserContentBack());
  PumpFor(kReadBound);
  CHECK_MESSAGE(heldAtReturn == std::vector<std::string>{expected},
                "the user's content came back " << heldAtReturn.size() << " times; the target held "
                                                << (heldAtReturn.empty() ? 0 : heldAtReturn[0].size())
                                                << " bytes of " << expected.size() << " the first time");
  CHECK(ClipboardNow(content) == content);
}

TEST_CASE("switch on, the user copies something new while a paste waits for its reader: the new copy stays") {
  Session session(std::pair{REG_DWORD, Dword(1)});
  REQUIRE(session.Ready());
  LateReader late(session.target.Edit());
  REQUIRE(ReplaceClipboard(UserContent()));
  const std::string newer("copied while the paste waited", 30);
  // The user's copy comes from elsewhere, while this thread's target takes its time.
  std::atomic<bool> copied{false};
  std::thread user([&] {
    if (!PumpUntil([] { return !UserContentShows(); }, 5000)) return;  // the paste took the clipboard
    Sleep(100);
    copied = ReplaceClipboard({{CF_TEXT, newer}});
  });
  PressHotkey(HotkeyModifiers(kFirst), '1');
  CHECK(PumpUntil([&] { return !session.target.Text().empty(); }, 5000));
  user.join();
  REQUIRE(copied);
  PumpFor(kReadBound + 500);
  CHECK(ClipboardBlock(CF_TEXT).value_or("(none)") == newer);
  CHECK_FALSE(UserContentShows());
}

TEST_CASE(
    "Restore clipboard(&R) in the icon's menu turns the switch on and off, and on lasts past a restart") {
  Session session(std::nullopt);
  REQUIRE(session.Start());
  auto choose = [&] {
    REQUIRE(session.tray.RightClickIcon());
    REQUIRE(session.velnor.WaitShownWindow(nullptr, "#32768") != nullptr);
    PressKey('R');
  };
  auto stored = [](DWORD value) {
    return PumpUntil([value] {
      const std::optional<RawValue> raw = ReadStoreValue(kSwitch);
      return raw && raw->type == REG_DWORD && raw->bytes == Dword(value);
    });
  };
  choose();
  REQUIRE(stored(1));

  session.velnor.Stop();
  REQUIRE(session.tray.WaitIconShown(false));
  REQUIRE(session.Ready());
  const Blocks content = UserContent();
  REQUIRE(ReplaceClipboard(content));
  PressHotkey(HotkeyModifiers(kFirst), '1');
  CHECK(session.PasteArrives(kFirst.paste));
  CHECK(UserContentBack());

  choose();
  CHECK(stored(0));
  REQUIRE(session.target.Activate());
  session.target.SetText("");
  PressHotkey(HotkeyModifiers(kFirst), '1');
  CHECK(session.PasteArrives(kFirst.paste));
  PumpFor(kReadBound + 500);
  CHECK_FALSE(UserContentShows());
}
