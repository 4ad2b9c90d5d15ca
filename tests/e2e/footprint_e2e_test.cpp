// What a whole session of the real program leaves outside itself. A user starts it,
// pastes, edits and saves one slot, deletes another, opens the About box and clicks
// its texts other than the link, pastes again and quits. Meanwhile:
// - neither the program's Linux process nor the prefix's server, which makes and holds
//   the sockets programs ask for, holds a network socket, looked at after each step;
// - the shell is handed nothing: no process is started from the program (any address
//   or file the shell opens starts its handler), and the recording handler for web
//   addresses sees no address;
// - the registry, read whole before and after, differs only under the program's own
//   key, apart from what Wine itself writes (listed below, and found by a control run).
// The look at sockets is itself shown to see a network socket the test opens.
#include <winsock2.h>
// After winsock2.h, which must come first.
#include <doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "key_input.h"
#include "message_box_watcher.h"
#include "mouse_input.h"
#include "process_sockets.h"
#include "registry_snapshot.h"
#include "shell_open_recorder.h"
#include "text.h"
#include "velnor_session.h"
#include "wait.h"
#include "windowed_program.h"
#include "x_input.h"

namespace {
constexpr char kOwnKey[] = "HKEY_CURRENT_USER\\Software\\Dastrel\\Velnor";
// The prefix's server process, wineserver or wineserver64.
constexpr char kServer[] = "wineserver*";
constexpr char kMainTitle[] = "Velnor Preferences";
constexpr char kEditorTitle[] = "HotKey Preferences";
constexpr char kAboutTitle[] = "Info Velnor";
// In the slot editor's client area, where its layout puts them.
constexpr POINT kDisplayField{148, 38};
constexpr POINT kDeleteButton{44, 164};
constexpr POINT kOkButton{276, 188};
// In the About box: the name, the version, the notice, the background, and OK.
constexpr POINT kAboutTexts[] = {{60, 15}, {185, 16}, {120, 31}, {300, 80}, {30, 70}};
constexpr POINT kAboutOk{196, 76};

const StoredSlot kGreeting{"Greeting", "Hello, world", 1, 1, 0, 'K'};
const std::vector<SlotAt> kSlots = {{0, kGreeting}, {1, {"Farewell", "Bye", 1, 0, 1, 'J'}}};

// What Wine writes by itself, found by a control run without the program (the first
// case below): the display driver renews its date under the display adapter's class
// and video keys as each windowed process brings it up, and the first click that comes
// from X makes the key for the mouse settings in Wine's cache of system parameters.
struct WineOwn {
  const char* key;    // this key or one below it
  const char* value;  // only this value of it; null: anything
};
const WineOwn kWineOwn[] = {
    {"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Class\\{4D36E968-E325-11CE-BFC1-08002BE10318}",
     "DriverDateData"},
    {"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Video", "DriverDateData"},
    {"HKEY_CURRENT_USER\\Software\\Wine\\Temporary System Parameters\\Control Panel\\Mouse", nullptr},
};

// The middle of slot index's button: two columns of five cells of 140 x 50.
POINT SlotButton(HWND main, int index) {
  return ClientToScreenPoint(main, (index % 2) * 140 + 70, (index / 2) * 50 + 25);
}

HWND OpenEditor(const VelnorSession& session, HWND main, int index) {
  ClickAt(SlotButton(main, index));
  return session.velnor.WaitShownWindow(kEditorTitle);
}

bool EditorGone(const VelnorSession& session) {
  return PumpUntil([&] { return !session.velnor.Shows(kEditorTitle); }) && session.velnor.WaitSettled();
}

// Another program's edit control, given a text the way a paste or a typist would.
bool SetFieldText(HWND dialog, POINT field, const std::string& text) {
  HWND edit = WindowFromPoint(ClientToScreenPoint(dialog, field.x, field.y));
  DWORD_PTR result = 0;
  return edit &&
         SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, 2000,
                             &result) &&
         result;
}

// An item of the button panel's menu, About(&A) or Quit(&Q), by its accelerator.
bool ChooseFromPanelMenu(const VelnorSession& session, HWND main, char accelerator) {
  const POINT onPanel = ClientToScreenPoint(main, 70, 25);
  if (!XClick(onPanel.x, onPanel.y, 3) || !session.velnor.WaitShownWindow(nullptr, "#32768")) return false;
  PressKey(static_cast<UINT>(accelerator));
  return true;
}

bool Answer(const std::string& caption, int button) {
  HWND box = nullptr;
  if (!PumpUntil([&] { return (box = FindMessageBox(caption)) != nullptr; })) return false;
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  return PumpUntil([&] { return !IsWindow(box); });
}

// Counts every process that was ever in it: the program, and whatever it started.
class ProcessTree {
 public:
  explicit ProcessTree(HANDLE process) : job_(CreateJobObjectA(nullptr, nullptr)) {
    joined_ = job_ && AssignProcessToJobObject(job_, process);
  }
  ~ProcessTree() {
    if (job_) CloseHandle(job_);
  }
  ProcessTree(const ProcessTree&) = delete;
  ProcessTree& operator=(const ProcessTree&) = delete;

  bool Joined() const { return joined_; }
  DWORD Processes() const {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
    QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &info, sizeof info, nullptr);
    return info.TotalProcesses;
  }

 private:
  HANDLE job_;
  bool joined_ = false;
};

bool WrittenByWine(const std::string& path, const std::string& value) {
  for (const WineOwn& own : kWineOwn)
    if (UnderKey(path, own.key) && (!own.value || value == own.value)) return true;
  return false;
}

// The changes from before to after, sorted: under the program's key, Wine's own, and
// the rest.
struct Changes {
  int own = 0, wine = 0;
  std::vector<std::string> foreign;
};

void Sort(const RegistrySnapshot& before, const RegistrySnapshot& after, Changes& changes) {
  for (const std::string& change : before.ChangesTo(after)) {
    const std::size_t bar = change.find('|');
    const std::string path = change.substr(0, bar),
                      value = change.substr(bar + 1, change.find('|', bar + 1) - bar - 1);
    if (UnderKey(path, kOwnKey))
      ++changes.own;
    else if (WrittenByWine(path, value))
      ++changes.wine;
    else
      changes.foreign.push_back(change);
  }
}

// The whole of both hives that a program may write.
struct RegistryReading {
  RegistrySnapshot user{HKEY_CURRENT_USER, "HKEY_CURRENT_USER"};
  RegistrySnapshot machine{HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"};
};

Changes ChangesSince(const RegistryReading& before) {
  const RegistryReading after;
  Changes changes;
  Sort(before.user, after.user, changes);
  Sort(before.machine, after.machine, changes);
  return changes;
}

}  // namespace

TEST_CASE("without the program, Wine writes by itself only what is taken as its own") {
  const RegistryReading before;
  {
    WindowedProgram control("C:\\windows\\system32\\winver.exe");
    REQUIRE(control.Window() != nullptr);
    REQUIRE(XClick(30, 30));  // on the desktop, clear of every window
    PumpFor(500);
  }
  const Changes changes = ChangesSince(before);
  for (const std::string& change : changes.foreign)
    CHECK_MESSAGE(false, "not listed as Wine's own: " << change);
  CHECK(changes.own == 0);
  // The readings see what Wine wrote: a windowed program always renews the driver date.
  CHECK(changes.wine > 0);
}

TEST_CASE("the look at a program's sockets sees a network socket it opens and its unix ones") {
  WSADATA data{};
  REQUIRE(WSAStartup(MAKEWORD(2, 2), &data) == 0);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string self = std::string(path).substr(std::string(path).find_last_of("\\/") + 1);

  const ProcessSockets without = SocketsOfWineProcesses(self);
  REQUIRE(without.failure.empty());
  REQUIRE(without.pids.size() == 1);
  CHECK(without.network.empty());
  CHECK(without.local > 0);  // its connection to the server
  const ProcessSockets server = SocketsOfWineProcesses(kServer);
  REQUIRE(server.pids.size() == 1);
  CHECK(server.network.empty());

  SOCKET udp = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  REQUIRE(udp != INVALID_SOCKET);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  REQUIRE(bind(udp, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0);
  // Held by the server, and by the program too once it has used it.
  std::vector<std::string> seen = SocketsOfWineProcesses(kServer).network;
  const std::vector<std::string> own = SocketsOfWineProcesses(self).network;
  seen.insert(seen.end(), own.begin(), own.end());
  closesocket(udp);
  WSACleanup();
  REQUIRE_FALSE(seen.empty());
  for (const std::string& socket : seen) CHECK(socket.rfind("udp inode ", 0) == 0);
}

TEST_CASE(
    "a whole session writes the registry only under its own key, opens no socket and hands the shell "
    "nothing") {
  ShellOpenRecorder shell;
  REQUIRE(shell.Ready());
  VelnorSession session(kSlots);
  const RegistryReading before;
  REQUIRE(before.user.KeyCount() > 10);
  REQUIRE(before.machine.KeyCount() > 100);

  REQUIRE(session.Start());
  ProcessTree tree(session.velnor.Process());
  REQUIRE(tree.Joined());

  auto noNetwork = [&](const std::string& step) {
    CAPTURE(step);
    const ProcessSockets sockets = SocketsOfWineProcesses("velnor.exe");
    REQUIRE(sockets.failure.empty());
    // One Linux process behind velnor.exe, connected to Wine's server.
    REQUIRE(sockets.pids.size() == 1);
    CHECK(sockets.local > 0);
    for (const std::string& socket : sockets.network) CHECK_MESSAGE(false, "network socket: " << socket);
    for (const std::string& socket : sockets.other)
      CHECK_MESSAGE(false, "socket of another family: " << socket);
    // Nor any that the server holds for it (or for any other program of the prefix).
    const ProcessSockets server = SocketsOfWineProcesses(kServer);
    REQUIRE(server.pids.size() == 1);
    for (const std::string& socket : server.network)
      CHECK_MESSAGE(false, "network socket in the server: " << socket);
  };
  noNetwork("started");

  REQUIRE(session.target.Activate());
  PressHotkey(MOD_CONTROL | MOD_ALT, 'K');
  CHECK(session.TextArrives(kGreeting.paste));
  noNetwork("pasted");

  REQUIRE(session.tray.DoubleClickIcon());
  HWND main = session.velnor.WaitShownWindow(kMainTitle);
  REQUIRE(main != nullptr);
  HWND editor = OpenEditor(session, main, 0);
  REQUIRE(editor != nullptr);
  REQUIRE(SetFieldText(editor, kDisplayField, "Greeting again"));
  ClickAt(ClientToScreenPoint(editor, kOkButton.x, kOkButton.y));
  REQUIRE(EditorGone(session));
  CHECK(ReadStoreValue(StoreName("DisplayText", 1))->bytes == std::string("Greeting again", 15));

  editor = OpenEditor(session, main, 1);
  REQUIRE(editor != nullptr);
  ClickAt(ClientToScreenPoint(editor, kDeleteButton.x, kDeleteButton.y));
  REQUIRE(Answer(Cp932FromUtf8("確認"), IDOK));
  REQUIRE(EditorGone(session));
  CHECK(ReadStoreValue(StoreName("DisplayText", 2))->bytes == std::string(1, '\0'));
  noNetwork("edited");

  REQUIRE(ChooseFromPanelMenu(session, main, 'A'));
  HWND about = session.velnor.WaitShownWindow(kAboutTitle);
  REQUIRE(about != nullptr);
  for (const POINT& spot : kAboutTexts) {
    const POINT at = ClientToScreenPoint(about, spot.x, spot.y);
    REQUIRE(XClick(at.x, at.y));
  }
  REQUIRE(session.velnor.WaitSettled());
  noNetwork("About box");
  const POINT ok = ClientToScreenPoint(about, kAboutOk.x, kAboutOk.y);
  REQUIRE(XClick(ok.x, ok.y));
  REQUIRE(PumpUntil([&] { return !session.velnor.Shows(kAboutTitle); }));

  session.target.SetText("");
  REQUIRE(session.target.Activate());
  PressHotkey(MOD_CONTROL | MOD_ALT, 'K');
  CHECK(session.TextArrives(kGreeting.paste));
  noNetwork("pasted again");

  // The target stands over the panel: out of the way of the click that opens the menu.
  ShowWindow(session.target.Handle(), SW_HIDE);
  REQUIRE(ChooseFromPanelMenu(session, main, 'Q'));
  REQUIRE(session.velnor.WaitExit() == 0);

  CHECK(tree.Processes() == 1);
  CHECK(shell.Opened().empty());

  const Changes changes = ChangesSince(before);
  for (const std::string& change : changes.foreign)
    CHECK_MESSAGE(false, "written outside its key: " << change);
  // The readings see the program's own writes: the saved slot and the deleted one.
  CHECK(changes.own >= 2);
}
