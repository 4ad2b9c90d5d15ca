// Delayed-rendered text against the real clipboard: readers in this process and
// another thread, a stranger emptying the clipboard, the owner going away.
#include "framework/clipboard_offer.h"

#include <doctest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <thread>

#include "clipboard_probe.h"
#include "wait.h"

using std::chrono::milliseconds;

namespace {
constexpr DWORD kPatience = 5000;

// WaitRead blocks, and the text is rendered by the owner's thread, this one: the wait
// runs on a thread of its own while this one pumps.
class PendingWait {
 public:
  PendingWait(ClipboardOffer& clipboard, std::uint64_t offer, milliseconds timeout)
      : result_(std::async(std::launch::async,
                           [&clipboard, offer, timeout] { return clipboard.WaitRead(offer, timeout); })) {}
  // The outcome, pumping until it came; nothing when it did not come in time.
  std::optional<ClipboardOffer::Outcome> Outcome() {
    if (!PumpUntil([this] { return result_.wait_for(milliseconds(0)) == std::future_status::ready; },
                   kPatience))
      return std::nullopt;
    return result_.get();
  }

 private:
  std::future<ClipboardOffer::Outcome> result_;
};

// A reader that opens the clipboard with a window of its own, as an edit control
// pasting does, so its process can be told.
std::optional<std::string> ReadAsWindow(UINT format) {
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  std::optional<std::string> text;
  if (OpenClipboard(window)) {
    if (HANDLE data = GetClipboardData(format)) {
      if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
        text = std::string(bytes, GlobalSize(data));
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
  }
  DestroyWindow(window);
  return text;
}

std::string AsCString(const std::optional<std::string>& block) { return block.value_or("").c_str(); }
}  // namespace

TEST_CASE("an offered text is read only when a program asks, and only its expected reader counts") {
  ClipboardOffer clipboard;
  const std::uint64_t offer = clipboard.Offer("offered");
  clipboard.ExpectReader(offer, GetCurrentProcessId());

  SUBCASE("nobody asks: the wait ends at its bound, the text still there") {
    PendingWait wait(clipboard, offer, milliseconds(300));
    CHECK(wait.Outcome() == ClipboardOffer::Outcome::TimedOut);
    CHECK(AsCString(ReadAsWindow(CF_TEXT)) == "offered");
  }
  SUBCASE("a reader of the expected process asks, through the text it is given") {
    PendingWait wait(clipboard, offer, milliseconds(kPatience));
    // A wide-text reader, as the edit control is: the system converts from CF_TEXT.
    std::optional<std::string> wide = ReadAsWindow(CF_UNICODETEXT);
    REQUIRE(wide);
    CHECK(wide->substr(0, 16) == std::string("o\0f\0f\0e\0r\0e\0d\0\0\0", 16));
    CHECK(wait.Outcome() == ClipboardOffer::Outcome::Read);
  }
  SUBCASE("a reader that cannot be told (no window) gets the text but does not count") {
    PendingWait wait(clipboard, offer, milliseconds(300));
    CHECK(ClipboardBlock(CF_TEXT) == std::string("offered\0", 8));
    CHECK(wait.Outcome() == ClipboardOffer::Outcome::TimedOut);
  }
  SUBCASE("a reader of another process does not count") {
    clipboard.ExpectReader(offer, GetCurrentProcessId() + 4);
    PendingWait wait(clipboard, offer, milliseconds(300));
    CHECK(AsCString(ReadAsWindow(CF_TEXT)) == "offered");
    CHECK(wait.Outcome() == ClipboardOffer::Outcome::TimedOut);
  }
  SUBCASE("someone else empties the clipboard: the wait ends at once, replaced") {
    PendingWait wait(clipboard, offer, milliseconds(kPatience));
    const auto started = std::chrono::steady_clock::now();
    REQUIRE(ReplaceClipboard({{CF_TEXT, std::string("theirs\0", 7)}}));
    CHECK(wait.Outcome() == ClipboardOffer::Outcome::Replaced);
    CHECK(std::chrono::steady_clock::now() - started < milliseconds(1000));
    CHECK(AsCString(ClipboardBlock(CF_TEXT)) == "theirs");
  }
  SUBCASE("the next offer replaces the text without counting as a stranger's") {
    const std::uint64_t next = clipboard.Offer("next");
    CHECK(next != offer);
    clipboard.ExpectReader(next, GetCurrentProcessId());
    PendingWait wait(clipboard, next, milliseconds(kPatience));
    CHECK(AsCString(ReadAsWindow(CF_TEXT)) == "next");
    CHECK(wait.Outcome() == ClipboardOffer::Outcome::Read);
  }
  ReplaceClipboard({});
}

TEST_CASE("the next offer waits for the last text's reader to close the clipboard") {
  // The reader reads on a thread of its own and keeps the clipboard a while after
  // reading, as a slow program would; the next offer must not be refused for that.
  ClipboardOffer clipboard;
  const std::uint64_t offer = clipboard.Offer("read slowly");
  clipboard.ExpectReader(offer, GetCurrentProcessId());
  PendingWait wait(clipboard, offer, milliseconds(kPatience));
  std::promise<std::string> read;
  std::thread reader([&read] {
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    std::string text;
    if (OpenClipboard(window)) {
      if (HANDLE data = GetClipboardData(CF_TEXT)) text = static_cast<const char*>(GlobalLock(data));
      Sleep(150);
      CloseClipboard();
    }
    DestroyWindow(window);
    read.set_value(text);
  });
  CHECK(wait.Outcome() == ClipboardOffer::Outcome::Read);
  // Still inside the reader's 150 ms.
  CHECK_NOTHROW(clipboard.Offer("next"));
  reader.join();
  CHECK(read.get_future().get() == "read slowly");
  CHECK(AsCString(ClipboardBlock(CF_TEXT)) == "next");
  ReplaceClipboard({});
}

TEST_CASE("a text nobody has read yet stays on the clipboard when its owner goes away") {
  {
    ClipboardOffer clipboard;
    clipboard.Offer("outlives its owner");
  }
  CHECK(AsCString(ClipboardBlock(CF_TEXT)) == "outlives its owner");

  // An owner whose text was replaced leaves the other program's content alone.
  {
    ClipboardOffer clipboard;
    clipboard.Offer("replaced");
    REQUIRE(ReplaceClipboard({{CF_TEXT, std::string("theirs\0", 7)}}));
  }
  CHECK(AsCString(ClipboardBlock(CF_TEXT)) == "theirs");
  ReplaceClipboard({});
}

TEST_CASE("an offer while another program holds the clipboard fails and leaves it untouched") {
  REQUIRE(ReplaceClipboard({{CF_TEXT, std::string("before\0", 7)}}));
  ClipboardOffer clipboard("held by another");
  {
    ClipboardHolder other;
    REQUIRE(other.Held());
    const DWORD sequence = GetClipboardSequenceNumber();
    CHECK_THROWS_WITH(clipboard.Offer("refused"), "held by another");
    CHECK(GetClipboardSequenceNumber() == sequence);
  }
  CHECK(AsCString(ClipboardBlock(CF_TEXT)) == "before");
  ReplaceClipboard({});
}

TEST_CASE("what an offer replaces can be looked at first, an earlier offer's unread text included") {
  ClipboardOffer clipboard;
  clipboard.Offer("never read");
  std::optional<std::string> seen;
  clipboard.Offer("next", [&seen] {
    if (HANDLE data = GetClipboardData(CF_TEXT))
      seen = std::string(static_cast<const char*>(GlobalLock(data)));
  });
  CHECK(seen == "never read");
  CHECK(AsCString(ClipboardBlock(CF_TEXT)) == "next");
  ReplaceClipboard({});
}

TEST_CASE("Replace puts its content over the offer only while nobody else changed the clipboard since") {
  struct Case {
    std::string name;
    std::function<void()> meanwhile;
    ClipboardOffer::Replacement outcome;
    std::string text;  // CF_TEXT afterwards
  };
  const Case cases[] = {
      {"nobody", [] {}, ClipboardOffer::Replacement::Done, "put back"},
      {"a read by anyone", [] { ReadAsWindow(CF_TEXT); }, ClipboardOffer::Replacement::Done, "put back"},
      {"a copy that empties it first",
       [] {
         REQUIRE(ReplaceClipboard({{CF_TEXT, std::string("newer\0", 6)}}));
       },
       ClipboardOffer::Replacement::Changed, "newer"},
      {"a format added without emptying it",
       [] {
         REQUIRE(OpenClipboard(nullptr));
         HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 6);
         std::memcpy(GlobalLock(block), "added", 6);
         GlobalUnlock(block);
         SetClipboardData(RegisterClipboardFormatA("added later"), block);
         CloseClipboard();
       },
       ClipboardOffer::Replacement::Changed, "offered"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    ClipboardOffer clipboard;
    const std::uint64_t offer = clipboard.Offer("offered");
    c.meanwhile();
    CHECK(clipboard.Replace(offer, [] { ClipboardMemory("put back", 9).HandTo(CF_TEXT); }) == c.outcome);
    CHECK(AsCString(ClipboardBlock(CF_TEXT)) == c.text);
  }
  // Another program holds the clipboard: nothing is done.
  ClipboardOffer clipboard;
  const std::uint64_t offer = clipboard.Offer("offered");
  {
    ClipboardHolder other;
    REQUIRE(other.Held());
    CHECK(clipboard.Replace(offer, [] { ClipboardMemory("put back", 9).HandTo(CF_TEXT); }) ==
          ClipboardOffer::Replacement::Held);
  }
  CHECK(AsCString(ClipboardBlock(CF_TEXT)) == "offered");
  ReplaceClipboard({});
}
