// The paste worker against the real clipboard and real synthetic input: a focused
// target window receives the pastes, a low-level keyboard hook records the events,
// and the clipboard is read back the way any other program would read it.
#include "app/copypaste.h"

#include <doctest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/messages.h"
#include "clipboard_probe.h"
#include "framework/application.h"
#include "framework/clipboard.h"
#include "held_keys.h"
#include "key_recorder.h"
#include "message_box_watcher.h"
#include "target_window.h"
#include "text.h"
#include "wait.h"

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {
// Far beyond one 100 ms worker, short enough that a hung worker fails the case.
constexpr DWORD kPatience = 5000;
// The longest a whole burst may take to paste.
constexpr DWORD kBurstPatience = 120000;
// Sleep(100) cannot return early; the margin only absorbs clock rounding.
constexpr milliseconds kAtLeastTheWait{90};
const std::string kCtrlV = "Ctrl down, V down, V up, Ctrl up";

// What a worker leaves behind when it frees itself.
struct WorkerEnd {
  std::atomic<bool> freed{false};
  std::string error;  // the message of the error held in FatalException; written before freed
};

// The program's worker, watched at the moment it frees itself: the destructor runs on
// the worker's thread once Execute is over and FreeOnTerminate deletes the object.
class WatchedCopyPaste final : public TCopyPaste {
 public:
  WatchedCopyPaste(std::shared_ptr<PasteQueue> queue, std::shared_ptr<WorkerEnd> end)
      : TCopyPaste(std::move(queue)), end_(std::move(end)) {}
  ~WatchedCopyPaste() override {
    if (FatalException) {
      try {
        std::rethrow_exception(FatalException);
      } catch (const std::exception& error) {
        end_->error = error.what();
      } catch (...) {
        end_->error = "(not an exception)";
      }
    }
    end_->freed = true;
  }

 private:
  std::shared_ptr<WorkerEnd> end_;
};

struct Paste {
  std::string text;
  bool alt = false;
  bool shift = false;
};

// Stale content of the clipboard before each case: a private format that survives
// only if the worker forgets to empty the clipboard, and a text no paste uses.
const UINT kStaleFormat = RegisterClipboardFormatA("Velnor test stale content");
const std::string kStaleText = "stale";

std::string Block(const std::string& text) { return text + '\0'; }

// One case's world: the clipboard holding stale content, a focused target window, a
// key recorder. It ends with no worker running, no key held and the clipboard empty.
class PasteFixture {
  struct KeysReleasedAtEnd {
    ~KeysReleasedAtEnd() { ReleaseHeldKeys(); }
  } keysReleased_;  // first member, so it runs after the recorder is gone

 public:
  TargetWindow target;
  KeyRecorder keys;

  explicit PasteFixture(KeyRecorder::Delivery delivery = KeyRecorder::Delivery::Pass) : keys(delivery) {
    REQUIRE(ReplaceClipboard({{kStaleFormat, Block(kStaleText)}, {CF_TEXT, Block(kStaleText)}}));
    REQUIRE(target.Activate());
  }
  ~PasteFixture() {
    WaitForWorkers();
    ReplaceClipboard({});
  }
  PasteFixture(const PasteFixture&) = delete;
  PasteFixture& operator=(const PasteFixture&) = delete;

  // Starts a worker as the program does: created suspended, filled in, started, let go.
  Clock::time_point Start(const Paste& paste) { return StartTogether({paste}); }

  // Creates every worker first, so they all leave their 100 ms wait at nearly the
  // same moment and reach the clipboard together.
  Clock::time_point StartTogether(const std::vector<Paste>& pastes) {
    std::vector<TCopyPaste*> workers;
    for (const Paste& paste : pastes) {
      ends_.push_back(std::make_shared<WorkerEnd>());
      auto* worker = new WatchedCopyPaste(queue_, ends_.back());
      worker->PasteText = paste.text;
      worker->AltHeld = paste.alt;
      worker->ShiftHeld = paste.shift;
      workers.push_back(worker);
    }
    Clock::time_point started = Clock::now();
    for (TCopyPaste* worker : workers) worker->Start();
    return started;
  }

  // Every worker started so far has freed itself. Senders of key events wait for the
  // recorder's hook, so by then all their events are recorded. A burst queues up its
  // workers, so the patience runs from the last worker that ended: a queue that keeps
  // moving is waited for, one that stops fails.
  bool WaitForWorkers() {
    auto freed = [this] {
      return static_cast<size_t>(
          std::count_if(ends_.begin(), ends_.end(), [](const auto& end) { return end->freed.load(); }));
    };
    size_t ended = freed();
    DWORD lastEnd = GetTickCount();
    PumpUntil(
        [&] {
          if (freed() != ended) {
            ended = freed();
            lastEnd = GetTickCount();
          }
          return ended == ends_.size() || GetTickCount() - lastEnd >= kPatience;
        },
        kBurstPatience);
    return freed() == ends_.size();
  }
  const WorkerEnd& End(size_t worker) const { return *ends_.at(worker); }
  // The messages of the errors that ended any worker early, one per line.
  std::string Errors() const {
    std::string errors;
    for (const auto& end : ends_) {
      if (!end->error.empty()) errors += end->error + "\n";
    }
    return errors;
  }

 private:
  std::vector<std::shared_ptr<WorkerEnd>> ends_;
  // The case's own order of pastes, as the data module keeps one for the program's.
  std::shared_ptr<PasteQueue> queue_ = std::make_shared<PasteQueue>();
};

// The clipboard's CF_TEXT read as a C string, as a pasting program reads it.
std::string ClipboardText() { return ClipboardBlock(CF_TEXT).value_or("").c_str(); }

}  // namespace

TEST_CASE("a paste puts exactly the text on the clipboard as CF_TEXT and pastes it") {
  struct Case {
    const char* name;
    std::string text;
  };
  const Case cases[] = {
      {"plain text", "abc"},
      // The clipboard is still emptied and takes a lone NUL; Ctrl+V is still sent.
      {"empty text", ""},
      // 0x5C as a trail byte ("表") and other double-byte characters pass untouched.
      {"Japanese text", Cp932FromUtf8("表示テスト：予定")},
      {"the longest paste text", "0123456789 abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    PasteFixture world;
    world.Start({c.text});
    REQUIRE(world.WaitForWorkers());
    CHECK(world.End(0).error.empty());
    CHECK(world.keys.Sequence() == kCtrlV);
    CHECK(PumpUntil([&] { return world.target.Text() == c.text; }, kPatience));

    std::optional<std::string> block = ClipboardBlock(CF_TEXT);
    REQUIRE(block);
    REQUIRE(block->size() >= c.text.size() + 1);
    CHECK(block->substr(0, c.text.size() + 1) == Block(c.text));

    // The system lists the formats in the order they were placed and adds the text
    // formats it can synthesise from CF_TEXT (and the locale they convert with).
    std::vector<UINT> formats = ClipboardFormats();
    REQUIRE_FALSE(formats.empty());
    CHECK(formats.front() == CF_TEXT);
    for (size_t i = 1; i < formats.size(); ++i) {
      CAPTURE(formats[i]);
      CHECK((formats[i] == CF_UNICODETEXT || formats[i] == CF_OEMTEXT || formats[i] == CF_LOCALE));
    }
  }
}

TEST_CASE("the worker releases the hotkey's Alt and Shift and then sends a plain Ctrl+V") {
  // The user's hand is still on the hotkey when the worker runs; the keys are held
  // for real, so a missed release turns the paste into Ctrl+Alt+V or Ctrl+Shift+V,
  // which the edit does not take as a paste. (Alt alone is not held: pressing and
  // releasing it with nothing between opens the window menu.)
  struct Case {
    const char* hotkey;
    bool alt, shift;
    std::vector<BYTE> held;
    std::string sequence;
  };
  const Case cases[] = {
      {"CTRL+K", false, false, {VK_CONTROL}, kCtrlV},
      {"ALT+SHIFT+1", true, true, {VK_MENU, VK_SHIFT}, "Alt up, Shift up, " + kCtrlV},
      {"CTRL+SHIFT+2", false, true, {VK_CONTROL, VK_SHIFT}, "Shift up, " + kCtrlV},
      {"CTRL+ALT+3", true, false, {VK_CONTROL, VK_MENU}, "Alt up, " + kCtrlV},
      {"a click in the quick-select popup", false, false, {}, kCtrlV},
  };
  for (const Case& c : cases) {
    CAPTURE(c.hotkey);
    PasteFixture world;
    KeysHeld hand(c.held);
    REQUIRE(hand.AllDown());
    world.keys.Clear();
    world.Start({"pasted", c.alt, c.shift});
    REQUIRE(world.WaitForWorkers());
    CHECK(world.keys.Sequence() == c.sequence);
    CHECK(PumpUntil([&] { return world.target.Text() == "pasted"; }, kPatience));
    CHECK_FALSE(IsKeyDown(VK_CONTROL));
    CHECK_FALSE(IsKeyDown(VK_MENU));
    CHECK_FALSE(IsKeyDown(VK_SHIFT));
  }
}

TEST_CASE("the 100 ms wait comes before the clipboard and the keys are touched") {
  // The clipboard is watched through its sequence number: opening it to look would
  // itself keep the worker out. Both bounds are lower bounds on what this thread
  // sees, so a slow test thread can only make them larger.
  PasteFixture world;
  const DWORD stale = GetClipboardSequenceNumber();
  std::optional<Clock::time_point> changed;
  Clock::time_point started = world.Start({"timed"});
  REQUIRE(PumpUntil(
      [&] {
        if (!changed && GetClipboardSequenceNumber() != stale) changed = Clock::now();
        return world.End(0).freed.load();
      },
      kPatience));
  REQUIRE(changed);
  CHECK(*changed - started >= kAtLeastTheWait);
  REQUIRE_FALSE(world.keys.Events().empty());
  CHECK(world.keys.Events().front().seen - started >= kAtLeastTheWait);
  CHECK(world.keys.Sequence() == kCtrlV);
}

TEST_CASE("back-to-back pastes land each with its own text, in the order of the presses") {
  // Two slots, alternating; the second one's hotkey has Shift, so its events differ.
  const Paste slots[] = {{"first;"}, {"second;", false, true}};
  const std::string kShiftCtrlV = "Shift up, " + kCtrlV;
  struct Case {
    const char* name;
    int presses;
    DWORD spacingMs;
  };
  // 1,000 presses at the tightest spacing; fewer at the wider ones keep the suite's
  // time sensible (the 1,000 there take 50 s and 200 s and show nothing new).
  const Case cases[] = {
      {"10 ms apart", 1000, 10},
      {"50 ms apart", 200, 50},
      {"200 ms apart", 50, 200},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    PasteFixture world;
    std::string expected, sequence;
    for (int press = 0; press < c.presses; ++press) {
      const Paste& slot = slots[press % 2];
      world.Start(slot);
      expected += slot.text;
      sequence += (sequence.empty() ? "" : ", ") + (slot.shift ? kShiftCtrlV : kCtrlV);
      PumpFor(c.spacingMs);
    }
    REQUIRE(world.WaitForWorkers());
    CHECK(world.Errors().empty());
    CHECK(PumpUntil([&] { return world.target.Text().size() >= expected.size(); }, kPatience));
    const std::string landed = world.target.Text();
    CHECK(landed.size() == expected.size());
    // The first difference, rather than two texts of thousands of bytes.
    const size_t differs =
        std::mismatch(landed.begin(), landed.end(), expected.begin(), expected.end()).first - landed.begin();
    CHECK_MESSAGE(landed == expected, "first difference at byte "
                                          << differs << ": landed \"" << landed.substr(differs, 40)
                                          << "\", expected \"" << expected.substr(differs, 40) << "\"");
    // Each paste's events together and whole: no worker's events come between another's.
    CHECK(world.keys.Sequence() == sequence);
    CHECK_FALSE(IsKeyDown(VK_CONTROL));
    CHECK_FALSE(IsKeyDown(VK_MENU));
    CHECK_FALSE(IsKeyDown(VK_SHIFT));
  }
}

TEST_CASE("workers that wake together still paste in the order they were made") {
  PasteFixture world;
  const std::vector<std::string> texts = {"one ",       "two two ", "three three three ", "four ",
                                          "five five ", "six ",     "seven seven seven ", "eight "};
  std::vector<Paste> burst;
  std::string round;
  for (const std::string& text : texts) {
    burst.push_back({text});
    round += text;
  }
  std::string expected;
  for (int rounds = 1; rounds <= 5; ++rounds) {
    CAPTURE(rounds);
    world.StartTogether(burst);
    expected += round;
    REQUIRE(world.WaitForWorkers());
    CHECK(world.Errors().empty());
    CHECK(PumpUntil([&] { return world.target.Text() == expected; }, kPatience));
  }
  CHECK(world.target.Text() == expected);
}

namespace {
// A window that takes the keyboard focus and does nothing with Ctrl+V: the clipboard
// is never read.
class DeafWindow {
 public:
  DeafWindow() {
    static const ATOM atom = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = DefWindowProcA;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "VelnorTestDeafWindow";
      return RegisterClassA(&wc);
    }();
    REQUIRE(atom);
    handle_ = CreateWindowExA(0, "VelnorTestDeafWindow", "never reads", WS_OVERLAPPEDWINDOW, 150, 150, 300,
                              150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    REQUIRE(handle_);
  }
  ~DeafWindow() { DestroyWindow(handle_); }
  DeafWindow(const DeafWindow&) = delete;
  DeafWindow& operator=(const DeafWindow&) = delete;

  bool Activate() {
    ShowWindow(handle_, SW_SHOWNORMAL);
    SetForegroundWindow(handle_);
    return PumpUntil([this] { return GetForegroundWindow() == handle_; }, 2000);
  }

 private:
  HWND handle_ = nullptr;
};
}  // namespace

TEST_CASE("a target that never reads holds the next paste back by at most a second") {
  PasteFixture world;
  DeafWindow deaf;
  REQUIRE(deaf.Activate());
  PumpFor(200);
  world.keys.Clear();
  world.Start({"unread"});
  PumpFor(10);
  world.Start({"next"});
  REQUIRE(world.WaitForWorkers());
  CHECK(world.Errors().empty());
  const std::vector<KeyEvent>& events = world.keys.Events();
  REQUIRE(events.size() == 8);
  CHECK(world.keys.Sequence() == kCtrlV + ", " + kCtrlV);
  // The second Ctrl+V waited for the first text to be read, and gave up at the bound.
  const auto gap = std::chrono::duration_cast<milliseconds>(events[4].seen - events[0].seen);
  CAPTURE(gap.count());
  CHECK(gap >= milliseconds(900));
  CHECK(gap <= milliseconds(1000 + 300));
  // The next text took the clipboard all the same.
  CHECK(ClipboardText() == "next");
}

TEST_CASE("with the clipboard held by another program the worker gives up quietly") {
  PasteFixture world;
  MessageBoxWatcher errorBoxes(Application::Instance().Title());
  {
    // A thread of this test stands in for the other program: an open clipboard
    // belongs to the thread that opened it, so the worker cannot tell the difference.
    ClipboardHolder other;
    REQUIRE(other.Held());
    const DWORD stale = GetClipboardSequenceNumber();
    world.Start({"never pasted", true, true});
    // Freed at all means no message box held the worker up.
    REQUIRE(world.WaitForWorkers());
    CHECK(world.End(0).error == kClipboardCannotOpen);
    CHECK(world.keys.Sequence().empty());
    CHECK(GetClipboardSequenceNumber() == stale);
  }
  CHECK(errorBoxes.Texts().empty());
  CHECK(world.target.Text().empty());
  CHECK_FALSE(IsKeyDown(VK_CONTROL));
  CHECK_FALSE(IsKeyDown(VK_MENU));
  CHECK_FALSE(IsKeyDown(VK_SHIFT));
  CHECK(ClipboardText() == kStaleText);
  CHECK(ClipboardBlock(kStaleFormat).value_or("").c_str() == kStaleText);

  // The failed open left the shared clipboard object closed: the next paste works.
  world.Start({"after"});
  REQUIRE(world.WaitForWorkers());
  CHECK(world.End(1).error.empty());
  CHECK(PumpUntil([&] { return world.target.Text() == "after"; }, kPatience));
}
