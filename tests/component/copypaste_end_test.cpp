// The program's end with pastes still pending, against the real clipboard and a real
// target window. Each case has a queue of its own, as each run of the program has.
#include <doctest.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/copypaste.h"
#include "clipboard_probe.h"
#include "held_keys.h"
#include "target_window.h"
#include "wait.h"

namespace {
// The target on a thread of its own, as another program's window would be: the end
// answers only the clipboard's requests on its thread, so a target there would never
// see its Ctrl+V.
class TargetThread {
 public:
  // A slow target comes to its messages only every 20 ms, like a busy program.
  explicit TargetThread(bool slow = false) : slow_(slow), thread_([this] { Run(); }) {
    while (!ready_) Sleep(1);
  }
  ~TargetThread() {
    done_ = true;
    thread_.join();
  }
  TargetThread(const TargetThread&) = delete;
  TargetThread& operator=(const TargetThread&) = delete;

  bool Active() const { return active_; }
  // Read across threads: the target's thread answers while it pumps.
  std::string Text() const { return target_->Text(); }

 private:
  void Run() {
    TargetWindow target;
    target_ = &target;
    active_ = target.Activate();
    ready_ = true;
    while (!done_) {
      PumpFor(1);
      if (slow_) Sleep(20);
    }
  }

  const bool slow_;
  TargetWindow* target_ = nullptr;
  std::atomic<bool> ready_{false}, active_{false}, done_{false};
  std::thread thread_;
};

void StartPaste(const std::shared_ptr<PasteQueue>& queue, const std::string& text) {
  auto* worker = new TCopyPaste(queue);  // frees itself, as the program's are
  worker->PasteText = text;
  worker->Start();
}

// How long FinishPending took, in milliseconds.
DWORD TimeFinishPending(PasteQueue& queue) {
  const DWORD start = GetTickCount();
  queue.FinishPending();
  return GetTickCount() - start;
}
}  // namespace

TEST_CASE("a paste pressed just before the end is finished before the end goes on") {
  REQUIRE(ReplaceClipboard({}));
  TargetThread target;
  REQUIRE(target.Active());
  auto queue = std::make_shared<PasteQueue>();
  StartPaste(queue, "last words");
  const DWORD took = TimeFinishPending(*queue);
  CAPTURE(took);
  // The text has been read by the time the end goes on: nothing was left to chance.
  CHECK(target.Text() == "last words");
  CHECK(took >= 90);
  CHECK(took < 1000);
  CHECK_FALSE(IsKeyDown(VK_CONTROL));
}

TEST_CASE("a long burst pending at the end is cut short: the end is quick and no paste runs on") {
  REQUIRE(ReplaceClipboard({}));
  TargetThread target(true);
  REQUIRE(target.Active());
  // 200 pastes into the slow target take seconds; each is numbered so a lost or
  // swapped one shows.
  auto queue = std::make_shared<PasteQueue>();
  std::string all;
  for (int i = 0; i < 200; ++i) {
    const std::string text = "<" + std::to_string(i) + ">";
    StartPaste(queue, text);
    all += text;
    // The program's loop answers the clipboard's requests between presses. Made
    // without that, on a loaded machine the 200 take longer than the first paste's
    // read bound, while the target waits inside its read for this thread to render:
    // the next pastes find the clipboard held and are dropped.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  const DWORD took = TimeFinishPending(*queue);
  CAPTURE(took);
  CHECK(took < 1000);
  // What landed is a whole first part of the burst, in order; nothing comes later.
  PumpFor(300);
  const std::string landed = target.Text();
  PumpFor(700);
  CHECK(target.Text() == landed);
  CHECK_FALSE(landed.empty());
  CHECK(landed.size() < all.size());
  CAPTURE(landed);
  CHECK(all.compare(0, landed.size(), landed) == 0);
  CHECK(landed.back() == '>');
  CHECK_FALSE(IsKeyDown(VK_CONTROL));
}
