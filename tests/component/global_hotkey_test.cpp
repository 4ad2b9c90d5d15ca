// The global hotkey component against the system's real hotkey table. What the
// component has registered is observed from outside, the way another program sees
// it: a key it holds cannot be registered by anyone else.
#include "components/system/global_hotkey.h"

#include <doctest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "framework/application.h"
#include "framework/error.h"
#include "hotkey_probe.h"
#include "key_input.h"
#include "message_box_watcher.h"
#include "wait.h"

namespace {
struct Key {
  UINT modifiers;
  UINT vk;
  const char* name;
};
constexpr Key kCtrlShiftZ{MOD_CONTROL | MOD_SHIFT, 'Z', "Ctrl+Shift+Z"};  // 0x605A
constexpr Key kCtrlAltK{MOD_CONTROL | MOD_ALT, 'K', "Ctrl+Alt+K"};        // 0xC04B
constexpr Key kCtrlAltJ{MOD_CONTROL | MOD_ALT, 'J', "Ctrl+Alt+J"};        // 0xC04A
constexpr Key kKeyCodeZero{0, 0, "key code 0"};

bool Taken(const Key& key) { return IsHotkeyTaken(key.modifiers, key.vk); }

struct Press {
  Component* sender;
  std::uint16_t key;
  TShiftState shift;
};

// Every OnKeyDown of the components it is attached to.
struct PressLog {
  std::vector<Press> presses;
  void Attach(TGlobalHotKey& component) {
    component.OnKeyDown = [this](Component* sender, std::uint16_t& key, TShiftState shift) {
      presses.push_back({sender, key, shift});
    };
  }
};

// Long enough for a second, duplicate WM_HOTKEY to have arrived.
constexpr DWORD kSettleMs = 200;

void PressAndSettle(const Key& key, const std::function<bool()>& arrived) {
  PressHotkey(key.modifiers, key.vk);
  CHECK(PumpUntil(arrived));
  PumpFor(kSettleMs);
}
}  // namespace

TEST_CASE("registration follows Active and HotKey through every state") {
  struct Step {
    const char* action;
    std::function<void(TGlobalHotKey&)> act;
    bool active;
    TShortCut hotKey;
    std::vector<Key> registered;
  };
  auto enable = [](bool value) { return [value](TGlobalHotKey& c) { c.SetEnabled(value); }; };
  auto setKey = [](TShortCut value) { return [value](TGlobalHotKey& c) { c.SetHotKey(value); }; };
  const Step steps[] = {
      {"new component: armed", [](TGlobalHotKey&) {}, true, 0, {}},
      {"SetHotKey on active registers", setKey(0x605A), true, 0x605A, {kCtrlShiftZ}},
      {"SetHotKey(0) withdraws", setKey(0), true, 0, {}},
      {"SetEnabled(false) with HotKey 0", enable(false), false, 0, {}},
      {"idle SetHotKey only stores", setKey(0xC04B), false, 0xC04B, {}},
      {"SetEnabled(true) registers the stored key", enable(true), true, 0xC04B, {kCtrlAltK}},
      {"SetEnabled(false) withdraws", enable(false), false, 0xC04B, {}},
      // How callers change the key of a listening component: off, new key, on.
      {"re-enable", enable(true), true, 0xC04B, {kCtrlAltK}},
      {"change step 1: off", enable(false), false, 0xC04B, {}},
      {"change step 2: new key stored", setKey(0x605A), false, 0x605A, {}},
      {"change step 3: on", enable(true), true, 0x605A, {kCtrlShiftZ}},
      {"withdraw before idling", setKey(0), true, 0, {}},
      {"idle", enable(false), false, 0, {}},
      // SetEnabled(true) registers whatever HotKey holds, 0 included.
      {"SetEnabled(true) with HotKey 0", enable(true), true, 0, {kKeyCodeZero}},
      // Only a non-zero HotKey is withdrawn.
      {"SetEnabled(false) with HotKey 0 withdraws nothing", enable(false), false, 0, {kKeyCodeZero}},
  };
  const Key probed[] = {kCtrlShiftZ, kCtrlAltK, kKeyCodeZero};

  TGlobalHotKey component(nullptr);
  for (const Step& step : steps) {
    CAPTURE(step.action);
    step.act(component);
    CHECK(component.Active() == step.active);
    CHECK(component.HotKey() == step.hotKey);
    for (const Key& key : probed) {
      CAPTURE(key.name);
      bool expected = false;
      for (const Key& r : step.registered) expected |= r.vk == key.vk && r.modifiers == key.modifiers;
      CHECK(Taken(key) == expected);
    }
  }
}

TEST_CASE("ShortCut modifiers map to MOD_CONTROL 2, MOD_ALT 1 and MOD_SHIFT 4") {
  struct Case {
    TShortCut value;
    UINT modifiers;
    UINT vk;
  };
  const Case cases[] = {
      {0x4041, MOD_CONTROL, 'A'}, {0x8041, MOD_ALT, 'A'},
      {0x2041, MOD_SHIFT, 'A'},   {0xE05A, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'Z'},
      {0x0087, 0, VK_F24},
  };
  for (const Case& c : cases) {
    CAPTURE(c.value);
    TGlobalHotKey component(nullptr);
    component.SetHotKey(c.value);
    CHECK(IsHotkeyTaken(c.modifiers, c.vk));
  }
}

TEST_CASE("destruction withdraws the key, releases the identifier and destroys the window") {
  struct Case {
    const char* state;
    bool active;
  };
  for (const Case& c : {Case{"listening", true}, Case{"idle", false}}) {
    CAPTURE(c.state);
    auto component = std::make_unique<TGlobalHotKey>(nullptr);
    component->SetEnabled(c.active);
    component->SetHotKey(0xC04B);
    REQUIRE(Taken(kCtrlAltK) == c.active);
    const ATOM identifier = component->Identifier();
    const HWND window = component->WindowHandle();

    component.reset();
    CHECK_FALSE(Taken(kCtrlAltK));
    char name[64];
    CHECK(GlobalGetAtomNameA(identifier, name, sizeof name) == 0);
    CHECK_FALSE(IsWindow(window));
  }
}

TEST_CASE("each component has its own identifier, and each press reaches exactly one") {
  TGlobalHotKey first(nullptr);
  TGlobalHotKey second(nullptr);

  SUBCASE("identifiers are string atoms named after the component's address") {
    for (TGlobalHotKey* c : {&first, &second}) {
      CHECK(c->Identifier() >= 0xC000);
      char name[64] = {};
      GlobalGetAtomNameA(c->Identifier(), name, sizeof name);
      CHECK(std::string(name) == std::to_string(reinterpret_cast<std::uintptr_t>(c)));
      CHECK(IsWindow(c->WindowHandle()));
      CHECK(GetWindowThreadProcessId(c->WindowHandle(), nullptr) == GetCurrentThreadId());
    }
    CHECK(first.Identifier() != second.Identifier());
  }

  SUBCASE("real key presses") {
    PressLog firstLog, secondLog;
    firstLog.Attach(first);
    secondLog.Attach(second);
    first.SetHotKey(0xC04B);
    second.SetHotKey(0xC04A);

    PressAndSettle(kCtrlAltK, [&] { return !firstLog.presses.empty(); });
    REQUIRE(firstLog.presses.size() == 1);
    CHECK(firstLog.presses[0].sender == &first);
    CHECK(firstLog.presses[0].key == 0x4B);
    CHECK(firstLog.presses[0].shift == TShiftState{ShiftFlag::Ctrl, ShiftFlag::Alt});
    CHECK(secondLog.presses.empty());

    PressAndSettle(kCtrlAltJ, [&] { return !secondLog.presses.empty(); });
    REQUIRE(secondLog.presses.size() == 1);
    CHECK(secondLog.presses[0].sender == &second);
    CHECK(secondLog.presses[0].key == 0x4A);
    CHECK(firstLog.presses.size() == 1);

    // Once withdrawn, the key no longer comes to the component.
    first.SetEnabled(false);
    PressHotkey(kCtrlAltK.modifiers, kCtrlAltK.vk);
    PumpFor(kSettleMs);
    CHECK(firstLog.presses.size() == 1);
  }

  SUBCASE("a press still queued for a destroyed component reaches nobody") {
    PressLog log;
    log.Attach(first);
    log.Attach(second);
    auto gone = std::make_unique<TGlobalHotKey>(nullptr);
    log.Attach(*gone);
    gone->SetHotKey(0xC04B);
    const ATOM identifier = gone->Identifier();

    PostMessageA(gone->WindowHandle(), WM_HOTKEY, identifier, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'K'));
    gone.reset();
    PumpFor(kSettleMs);
    CHECK(log.presses.empty());

    // The others still get theirs.
    PostMessageA(second.WindowHandle(), WM_HOTKEY, second.Identifier(), 0);
    PumpUntil([&] { return !log.presses.empty(); });
    PumpFor(kSettleMs);
    REQUIRE(log.presses.size() == 1);
    CHECK(log.presses[0].sender == &second);
  }
}

TEST_CASE("a thread's components share one window, made with the first and destroyed with the last") {
  auto first = std::make_unique<TGlobalHotKey>(nullptr);
  auto second = std::make_unique<TGlobalHotKey>(nullptr);
  const HWND window = first->WindowHandle();
  CHECK(second->WindowHandle() == window);

  // Another thread gets a window of its own, since WM_HOTKEY arrives on the window's thread.
  HWND otherWindow = nullptr;
  bool onOtherThread = false;
  std::thread([&] {
    TGlobalHotKey other(nullptr);
    otherWindow = other.WindowHandle();
    onOtherThread = GetWindowThreadProcessId(otherWindow, nullptr) == GetCurrentThreadId();
  }).join();
  CHECK(otherWindow != window);
  CHECK(onOtherThread);
  CHECK_FALSE(IsWindow(otherWindow));

  first.reset();
  CHECK(IsWindow(window));
  second.reset();
  CHECK_FALSE(IsWindow(window));

  TGlobalHotKey next(nullptr);
  CHECK(IsWindow(next.WindowHandle()));
}

TEST_CASE("WM_HOTKEY reports the key and modifiers of HotKey, not of the message") {
  TGlobalHotKey component(nullptr);
  PressLog log;
  log.Attach(component);
  component.SetHotKey(0xA031);

  // The keys Ctrl+Q in the message are not read.
  PostMessageA(component.WindowHandle(), WM_HOTKEY, component.Identifier(), MAKELPARAM(MOD_CONTROL, 'Q'));
  PumpUntil([&] { return !log.presses.empty(); });
  PumpFor(kSettleMs);
  REQUIRE(log.presses.size() == 1);
  CHECK(log.presses[0].sender == &component);
  CHECK(log.presses[0].key == 0x31);
  CHECK(log.presses[0].shift == TShiftState{ShiftFlag::Alt, ShiftFlag::Shift});
}

TEST_CASE("a WM_HOTKEY without a handler is dropped without an error") {
  MessageBoxWatcher boxes(Application::Instance().Title());
  TGlobalHotKey component(nullptr);
  component.SetHotKey(0xC04B);

  CHECK(SendMessageA(component.WindowHandle(), WM_HOTKEY, component.Identifier(), 0) == 0);
  PressHotkey(kCtrlAltK.modifiers, kCtrlAltK.vk);
  PumpFor(kSettleMs);
  CHECK(boxes.Texts().empty());
}

TEST_CASE("other messages get the system's default answer") {
  TGlobalHotKey component(nullptr);
  const HWND window = component.WindowHandle();

  // The default procedure keeps the text that WM_SETTEXT brings and answers TRUE.
  CHECK(SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("probe")) == TRUE);
  CHECK(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0) == 5);
  CHECK(SendMessageA(window, WM_QUERYENDSESSION, 0, 0) == TRUE);
}

TEST_CASE("an error raised by OnKeyDown goes to the standard error box and later presses still arrive") {
  struct Case {
    const char* kind;
    std::function<void()> raise;
    const char* shown;
  };
  const Case cases[] = {
      {"the program's error", [] { throw Error("paste failed"); }, "paste failed."},
      {"not a std::exception", [] { throw 42; }, ""},
  };
  for (const Case& c : cases) {
    CAPTURE(c.kind);
    MessageBoxWatcher boxes(Application::Instance().Title());
    TGlobalHotKey component(nullptr);
    component.SetHotKey(0xC04B);
    int calls = 0;
    component.OnKeyDown = [&](Component*, std::uint16_t&, TShiftState) {
      if (++calls == 1) c.raise();
    };

    PressAndSettle(kCtrlAltK, [&] { return !boxes.Texts().empty(); });
    CHECK(calls == 1);
    CHECK(boxes.Texts() == std::vector<std::string>{c.shown});

    PressAndSettle(kCtrlAltK, [&] { return calls == 2; });
    CHECK(calls == 2);
    CHECK(boxes.Texts().size() == 1);
  }
}

TEST_CASE("while designing, the writers only store") {
  TGlobalHotKey component(nullptr);
  component.SetDesigning(true);

  component.SetHotKey(0x605A);
  CHECK(component.HotKey() == 0x605A);
  CHECK_FALSE(Taken(kCtrlShiftZ));

  component.SetEnabled(false);
  component.SetEnabled(true);
  CHECK(component.Active());
  CHECK_FALSE(Taken(kCtrlShiftZ));
}

TEST_CASE("a key held by another program is not reported, and the same value is not retried") {
  TGlobalHotKey component(nullptr);
  {
    HotkeyHolder other(kCtrlAltK.modifiers, kCtrlAltK.vk);
    REQUIRE(other.Held());
    component.SetHotKey(0xC04B);
    CHECK(component.Active());
    CHECK(component.HotKey() == 0xC04B);
  }
  CHECK_FALSE(Taken(kCtrlAltK));
  component.SetHotKey(0xC04B);
  CHECK_FALSE(Taken(kCtrlAltK));

  // Re-applying through off and on gets it once it is free.
  component.SetEnabled(false);
  component.SetEnabled(true);
  CHECK(Taken(kCtrlAltK));
}
