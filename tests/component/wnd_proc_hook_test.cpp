// The window message hook on real windows. Plain windows of a test class run a
// recording base procedure, so what reaches the bottom of a chain is seen, and the
// window long GWLP_WNDPROC tells whether a window runs its own procedure again. A
// probe message leaves a trace of every procedure it passes: "b<" for hook b's
// OnMessageBefore, "b>" for its OnMessageAfter ("b>!" when Handled is set there),
// "base", "F" for a foreign subclass and "C" for a subclassing component.
#include "components/system/wnd_proc_hook.h"

#include <doctest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "components/system/wnd_proc_component.h"
#include "framework/application.h"
#include "framework/form.h"
#include "procedure_probe.h"

// Window procedures in failure messages, as addresses.
template <>
struct doctest::StringMaker<WNDPROC> {
  static String convert(WNDPROC procedure) {
    char text[16];
    std::snprintf(text, sizeof text, "%p", reinterpret_cast<void*>(procedure));
    return text;
  }
};

namespace {
constexpr UINT kProbe = WM_APP + 7;
constexpr LRESULT kBaseAnswer = 0x1234;
constexpr WPARAM kDragCommand = 0xF012;  // SC_MOVE | HTCAPTION

std::string trace;

struct BaseCall {
  UINT msg;
  WPARAM wParam;
};
std::vector<BaseCall> baseCalls;

int BaseSaw(UINT msg, WPARAM wParam = 0) {
  return static_cast<int>(std::count_if(baseCalls.begin(), baseCalls.end(), [&](const BaseCall& call) {
    return call.msg == msg && (msg != WM_SYSCOMMAND || call.wParam == wParam);
  }));
}

LRESULT CALLBACK BaseProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  baseCalls.push_back({msg, wParam});
  if (msg == kProbe) {
    trace += "base ";
    return kBaseAnswer;
  }
  // The real thing would enter a modal move loop waiting for the mouse; seeing the
  // request is enough here.
  if (msg == WM_SYSCOMMAND && wParam == kDragCommand) return 0;
  return DefWindowProcA(window, msg, wParam, lParam);
}

WNDPROC CurrentProc(HWND window) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
}

void SetProc(HWND window, WNDPROC procedure) {
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

LRESULT Probe(HWND window) {
  trace.clear();
  return SendMessageA(window, kProbe, 0, 0);
}

// A top-level window of a class whose procedure is BaseProcedure.
class PlainWindow {
 public:
  PlainWindow() {
    static const ATOM registered = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = &BaseProcedure;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "VelnorHookTestWindow";
      return RegisterClassA(&wc);
    }();
    REQUIRE(registered != 0);
    handle_ = CreateWindowExA(0, "VelnorHookTestWindow", "hook test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    REQUIRE(handle_ != nullptr);
    REQUIRE(CurrentProc(handle_) == &BaseProcedure);
    baseCalls.clear();
  }
  ~PlainWindow() {
    if (IsWindow(handle_)) DestroyWindow(handle_);
  }
  PlainWindow(const PlainWindow&) = delete;
  PlainWindow& operator=(const PlainWindow&) = delete;
  operator HWND() const { return handle_; }

 private:
  HWND handle_ = nullptr;
};

// Someone else's subclass, put on top of whatever the window runs. It comes off only
// while it is still the window's current procedure, as a careful subclass does.
class ForeignSubclass {
 public:
  explicit ForeignSubclass(HWND window) : window_(window) {
    REQUIRE(next_ == nullptr);
    next_ = CurrentProc(window);
    SetProc(window, &Forward);
  }
  ~ForeignSubclass() {
    if (IsWindow(window_) && CurrentProc(window_) == &Forward) SetProc(window_, next_);
    next_ = nullptr;
  }
  ForeignSubclass(const ForeignSubclass&) = delete;
  ForeignSubclass& operator=(const ForeignSubclass&) = delete;
  static WNDPROC Procedure() { return &ForeignSubclass::Forward; }
  static WNDPROC Next() { return next_; }

 private:
  static LRESULT CALLBACK Forward(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kProbe) trace += "F ";
    return CallWindowProcA(next_, window, msg, wParam, lParam);
  }
  static inline WNDPROC next_ = nullptr;
  HWND window_;
};

using ProbeAction = std::function<void(Message&, bool&)>;

// Leaves the probe's trace through this hook; the actions run on the probe after the trace.
void Watch(TCustomWndProcHook& hook, const std::string& name, ProbeAction before = {},
           ProbeAction after = {}) {
  hook.OnMessageBefore = [name, before](Component*, Message& message, bool& handled) {
    if (message.Msg != kProbe) return;
    trace += name + "< ";
    if (before) before(message, handled);
  };
  hook.OnMessageAfter = [name, after](Component*, Message& message, bool& handled) {
    if (message.Msg != kProbe) return;
    trace += name + (handled ? ">! " : "> ");
    if (after) after(message, handled);
  };
}

struct Hooks {
  std::vector<std::unique_ptr<TWndProcHook>> list;
  // Hooks a, b, c ... in construction order, all aimed at one window and watched.
  Hooks(int count, HWND window) {
    for (int i = 0; i < count; ++i) {
      list.push_back(std::make_unique<TWndProcHook>(nullptr));
      list.back()->SetHandle(window);
      Watch(*list.back(), Name(i));
    }
  }
  static std::string Name(int i) { return std::string(1, static_cast<char>('a' + i)); }
  TWndProcHook& operator[](int i) { return *list[i]; }
};

std::string Digits(const std::vector<int>& order) {
  std::string text;
  for (int i : order) text += Hooks::Name(i);
  return text;
}
}  // namespace

TEST_CASE(
    "one hook: on, the window's messages pass through it; off, the window runs its own procedure again") {
  PlainWindow window;
  TWndProcHook hook(nullptr);
  hook.SetHandle(window);
  Watch(hook, "a");
  CHECK_FALSE(hook.Hooked());

  hook.SetActive(true);
  CHECK(hook.Hooked());
  CHECK(CurrentProc(window) != &BaseProcedure);
  CHECK(Probe(window) == kBaseAnswer);
  CHECK(trace == "a< base a> ");

  hook.SetActive(true);  // unchanged: nothing happens
  CHECK(Probe(window) == kBaseAnswer);
  CHECK(trace == "a< base a> ");

  hook.SetActive(false);
  CHECK_FALSE(hook.Hooked());
  CHECK(CurrentProc(window) == &BaseProcedure);
  CHECK(Probe(window) == kBaseAnswer);
  CHECK(trace == "base ");
}

TEST_CASE("hooks chain in construction order, whatever order they are switched on and off in") {
  for (int count : {2, 3}) {
    std::vector<int> on(count);
    std::iota(on.begin(), on.end(), 0);
    do {
      std::vector<int> off(count);
      std::iota(off.begin(), off.end(), 0);
      do {
        INFO("on in order ", Digits(on), ", off in order ", Digits(off));
        PlainWindow window;
        Hooks hooks(count, window);
        std::vector<bool> active(count, false);
        // The newest active hook runs first; OnMessageBefore nests newest to oldest,
        // OnMessageAfter oldest to newest, and the base sees the message once.
        auto check = [&] {
          std::string expected;
          int newest = -1;
          for (int i = count - 1; i >= 0; --i)
            if (active[i]) expected += Hooks::Name(i) + "< ";
          expected += "base ";
          for (int i = 0; i < count; ++i) {
            if (!active[i]) continue;
            expected += Hooks::Name(i) + "> ";
            newest = i;
          }
          CHECK((CurrentProc(window) == &BaseProcedure) == (newest < 0));
          CHECK(Probe(window) == kBaseAnswer);
          CHECK(trace == expected);
        };
        for (int i : on) {
          hooks[i].SetActive(true);
          active[i] = true;
          check();
        }
        for (int i : off) {
          hooks[i].SetActive(false);
          active[i] = false;
          check();
        }
        CHECK(CurrentProc(window) == &BaseProcedure);
      } while (std::next_permutation(off.begin(), off.end()));
    } while (std::next_permutation(on.begin(), on.end()));
  }
}

TEST_CASE("what the events leave in the message record is what the window returns") {
  const ProbeAction handleWith77 = [](Message& m, bool& handled) {
    m.Result = 77;
    handled = true;
  };
  const ProbeAction handleOnly = [](Message&, bool& handled) { handled = true; };
  const ProbeAction answer99 = [](Message& m, bool&) { m.Result = 99; };
  struct Case {
    const char* name;
    int hook;  // 0: a, the older hook; 1: b, the newer one
    ProbeAction before, after;
    LRESULT result;
    const char* trace;
  };
  const Case cases[] = {
      {"newest handles before: hidden from the older hook and the base", 1, handleWith77, {}, 77, "b< b>! "},
      {"handled without a Result returns 0", 1, handleOnly, {}, 0, "b< b>! "},
      {"older hook handles before: the newer one still runs around it",
       0,
       handleWith77,
       {},
       77,
       "b< a< a>! b> "},
      {"a Result set after the base replaces the base's", 0, {}, answer99, 99, "b< a< base a> b> "},
      {"Handled set after the base changes nothing", 1, {}, handleOnly, kBaseAnswer, "b< a< base a> b> "},
  };
  for (const Case& c : cases) {
    INFO(c.name);
    PlainWindow window;
    Hooks hooks(2, window);
    Watch(hooks[c.hook], Hooks::Name(c.hook), c.before, c.after);
    hooks[0].SetActive(true);
    hooks[1].SetActive(true);
    CHECK(Probe(window) == c.result);
    CHECK(trace == c.trace);
  }
}

TEST_CASE("AutoDrag turns an unhandled left-button press into a window move") {
  struct Case {
    const char* name;
    bool autoDrag;
    bool handledBefore;
    int pressesAtBase, movesAtBase;
    bool captureReleased;
  };
  const Case cases[] = {
      {"AutoDrag: the base gets the move instead of the press", true, false, 0, 1, true},
      {"no AutoDrag: the press goes on", false, false, 1, 0, false},
      {"a press handled before is not dragged", true, true, 0, 0, false},
  };
  for (const Case& c : cases) {
    INFO(c.name);
    PlainWindow window;
    TWndProcHook hook(nullptr);
    hook.SetHandle(window);
    hook.SetAutoDrag(c.autoDrag);
    hook.OnMessageBefore = [&](Component*, Message& message, bool& handled) {
      if (message.Msg == WM_LBUTTONDOWN) handled = c.handledBefore;
    };
    hook.SetActive(true);
    SetCapture(window);
    CHECK(SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10)) == 0);
    CHECK(BaseSaw(WM_LBUTTONDOWN) == c.pressesAtBase);
    CHECK(BaseSaw(WM_SYSCOMMAND, kDragCommand) == c.movesAtBase);
    CHECK((GetCapture() == nullptr) == c.captureReleased);
    ReleaseCapture();
  }
}

TEST_CASE("a subclass installed on top by other code survives unhooking, and so does what it calls") {
  struct Case {
    const char* name;
    int firstOff;
    const char* traceBetween;  // after the first hook went off
  };
  const Case cases[] = {
      {"newest off first", 1, "F a< base a> "},
      {"oldest off first", 0, "F b< base b> "},
  };
  for (const Case& c : cases) {
    INFO(c.name);
    PlainWindow window;
    auto hooks = std::make_unique<Hooks>(2, window);
    (*hooks)[0].SetActive(true);
    (*hooks)[1].SetActive(true);
    {
      ForeignSubclass foreign(window);
      // What the foreign subclass passes messages on to is the hooks' chain: code of a
      // loaded module, which nothing here may take away while the window lives.
      auto stillCode = [] { return IsLoadedImageCode(ForeignSubclass::Next()); };
      CHECK(stillCode());

      (*hooks)[c.firstOff].SetActive(false);
      CHECK(CurrentProc(window) == ForeignSubclass::Procedure());
      CHECK(Probe(window) == kBaseAnswer);
      CHECK(trace == c.traceBetween);
      CHECK(stillCode());

      (*hooks)[1 - c.firstOff].SetActive(false);
      CHECK(CurrentProc(window) == ForeignSubclass::Procedure());
      CHECK(Probe(window) == kBaseAnswer);
      CHECK(trace == "F base ");
      CHECK(stillCode());

      // The hooks are gone, the foreign subclass still passes messages through what was theirs.
      hooks.reset();
      CHECK(Probe(window) == kBaseAnswer);
      CHECK(trace == "F base ");

      DestroyWindow(window);
      CHECK(BaseSaw(WM_NCDESTROY) == 1);
    }
  }
}

namespace {
// A component that subclasses its owner form the other way the program does (the
// notification-area icon's way), leaving "C" in the probe's trace.
class CountingComponent : public TWndProcComponent {
 public:
  using TWndProcComponent::TWndProcComponent;
  int seen = 0;

 protected:
  void WndProc(Message& message) override {
    if (message.Msg == kProbe) {
      ++seen;
      trace += "C ";
    }
    TWndProcComponent::WndProc(message);
  }
};
}  // namespace

TEST_CASE(
    "a component's subclass on top of a hook sees every message, whatever hooks go in or out under it") {
  Application::Instance().Initialize();
  TForm form(nullptr);
  form.SetClientSize(100, 50);
  HWND window = form.Handle();
  TWndProcHook first(&form), second(&form);
  Watch(first, "a");
  Watch(second, "b");
  first.SetActive(true);
  CountingComponent component(&form);
  component.SetEnabled(false);
  component.SetEnabled(true);  // on top of the first hook
  REQUIRE(component.Hooked());

  second.SetActive(true);
  CHECK(component.Hooked());
  Probe(window);
  Probe(window);
  CHECK(component.seen == 2);
  CHECK(trace == "C b< a< a> b> ");

  first.SetActive(false);
  Probe(window);
  CHECK(component.seen == 3);
  CHECK(trace == "C b< b> ");
  second.SetActive(false);
  Probe(window);
  CHECK(trace == "C ");
  component.SetEnabled(false);
  Probe(window);
  CHECK(trace == "");
  CHECK(component.seen == 4);
}

TEST_CASE("a hook switched off by its own event leaves the window in order") {
  struct Case {
    const char* name;
    bool inBefore;
    LRESULT result;
    const char* trace;
  };
  const Case cases[] = {
      {"in OnMessageBefore: the message goes no further", true, 0, "a< a> "},
      {"in OnMessageAfter: the base has had it", false, kBaseAnswer, "a< base a> "},
  };
  for (const Case& c : cases) {
    INFO(c.name);
    PlainWindow window;
    TWndProcHook hook(nullptr);
    hook.SetHandle(window);
    const ProbeAction switchOff = [&hook](Message&, bool&) { hook.SetActive(false); };
    Watch(hook, "a", c.inBefore ? switchOff : ProbeAction{}, c.inBefore ? ProbeAction{} : switchOff);
    hook.SetActive(true);
    CHECK(Probe(window) == c.result);
    CHECK(trace == c.trace);
    CHECK_FALSE(hook.Active());
    CHECK(CurrentProc(window) == &BaseProcedure);
    CHECK(Probe(window) == kBaseAnswer);
    CHECK(trace == "base ");
  }
}

TEST_CASE("a window destroyed under active hooks, then the hooks destroyed") {
  struct Case {
    const char* name;
    std::vector<int> order;  // which hook is destroyed first
  };
  const Case cases[] = {{"oldest first", {0, 1}}, {"newest first", {1, 0}}};
  for (const Case& c : cases) {
    INFO(c.name);
    PlainWindow window;
    auto hooks = std::make_unique<Hooks>(2, window);
    int destroysSeen = 0;
    for (auto& hook : hooks->list) {
      hook->OnMessageBefore = [&](Component*, Message& message, bool&) {
        if (message.Msg == WM_NCDESTROY) ++destroysSeen;
      };
      hook->SetActive(true);
    }
    DestroyWindow(window);
    CHECK(destroysSeen == 2);
    CHECK(BaseSaw(WM_NCDESTROY) == 1);
    for (int i : c.order) hooks->list[i].reset();
    // A new window is left alone.
    PlainWindow next;
    CHECK(CurrentProc(next) == &BaseProcedure);
  }
}

TEST_CASE("SetHandle moves the hook to another window") {
  PlainWindow first, second;
  TWndProcHook hook(nullptr);
  int changes = 0;
  hook.OnChangeHandle = [&](Component* sender) {
    CHECK(sender == &hook);
    ++changes;
  };
  CHECK(hook.GetHandle() == TCustomWndProcHook::NoWindow());
  Watch(hook, "a");
  hook.SetHandle(first);
  hook.SetActive(true);
  Probe(first);
  CHECK(trace == "a< base a> ");

  hook.SetHandle(second);
  CHECK(changes == 2);
  CHECK(hook.Active());
  CHECK(CurrentProc(first) == &BaseProcedure);
  Probe(first);
  CHECK(trace == "base ");
  Probe(second);
  CHECK(trace == "a< base a> ");

  hook.SetHandle(second);
  CHECK(changes == 2);

  hook.SetHandle(TCustomWndProcHook::NoWindow());
  CHECK(CurrentProc(second) == &BaseProcedure);
  CHECK(hook.Active());  // active without a window
  CHECK(hook.GetHandle() == TCustomWndProcHook::NoWindow());
}

TEST_CASE("at design time Active only toggles the flag") {
  PlainWindow window;
  TWndProcHook designed(nullptr), running(nullptr);
  designed.SetDesigning(true);
  designed.SetHandle(window);
  designed.SetActive(true);
  CHECK(designed.Active());
  CHECK_FALSE(designed.Hooked());
  CHECK(CurrentProc(window) == &BaseProcedure);

  // A hook of the same window at run time chains as if the designed one were not there.
  running.SetHandle(window);
  Watch(running, "b");
  running.SetActive(true);
  CHECK(running.Hooked());
  CHECK(Probe(window) == kBaseAnswer);
  CHECK(trace == "b< base b> ");
  running.SetActive(false);
  designed.SetActive(false);
  CHECK_FALSE(designed.Active());
  CHECK(CurrentProc(window) == &BaseProcedure);
}

TEST_CASE("the process-wide hook list lives exactly as long as some hook does") {
  REQUIRE(TWndProcHookList::Instance() == nullptr);
  {
    TWndProcHook first(nullptr);
    TWndProcHookList* list = TWndProcHookList::Instance();
    REQUIRE(list != nullptr);
    {
      TWndProcHook second(nullptr);
      CHECK(TWndProcHookList::Instance() == list);
      CHECK(list->Hooks() == std::vector<TCustomWndProcHook*>{&first, &second});
    }
    CHECK(list->Hooks() == std::vector<TCustomWndProcHook*>{&first});
  }
  CHECK(TWndProcHookList::Instance() == nullptr);
  TWndProcHook next(nullptr);
  REQUIRE(TWndProcHookList::Instance() != nullptr);
  CHECK(TWndProcHookList::Instance()->Hooks() == std::vector<TCustomWndProcHook*>{&next});
}

// ---------------------------------------------------------------- windowed controls

namespace {
BOOL CALLBACK CountWindow(HWND, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

// A form with a window and one windowed child control.
struct FormWithChild {
  TForm form{nullptr};
  std::unique_ptr<TWinControl> child;
  WNDPROC formProc = nullptr;

  explicit FormWithChild(bool childOwnedByForm) {
    Application::Instance().Initialize();
    form.SetClientSize(200, 100);
    formProc = CurrentProc(form.Handle());
    child = std::make_unique<TWinControl>(childOwnedByForm ? &form : nullptr);
    child->SetBounds(0, 0, 50, 50);
    child->SetParent(&form);
    REQUIRE(child->HandleAllocated());
  }
};
}  // namespace

TEST_CASE("the target control: the owner by default, a stored control, and back to the owner when it goes") {
  struct Case {
    const char* name;
    bool childOwnedByForm;
  };
  // Owned by the form, the child's removal notice comes through the owner; owned by
  // nobody, through the notice the hook asked the child for.
  const Case cases[] = {{"child owned by the form", true}, {"child owned by nobody", false}};
  for (const Case& c : cases) {
    INFO(c.name);
    FormWithChild f(c.childOwnedByForm);
    TWndProcHook hook(&f.form);
    int changes = 0;
    hook.OnChangeWinControl = [&](Component*) { ++changes; };
    Watch(hook, "a");
    hook.SetActive(true);
    CHECK(hook.GetWinControl() == &f.form);
    Probe(f.form.Handle());
    CHECK(trace == "a< a> ");

    hook.SetWinControl(f.child.get());
    CHECK(changes == 1);
    const HWND childWindow = f.child->Handle();
    Probe(childWindow);
    CHECK(trace == "a< a> ");
    CHECK(CurrentProc(f.form.Handle()) == f.formProc);

    f.child.reset();
    // Its last messages went through the hook without making it a new window.
    CHECK(GetWindow(f.form.Handle(), GW_CHILD) == nullptr);
    CHECK(changes == 2);
    CHECK(hook.GetWinControl() == &f.form);
    CHECK(hook.Active());
    Probe(f.form.Handle());
    CHECK(trace == "a< a> ");
  }
}

TEST_CASE("a form destroyed under a hook that outlives it leaves no window behind") {
  Application::Instance().Initialize();
  auto threadWindows = [] {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
  };
  const int before = threadWindows();
  auto form = std::make_unique<TForm>(nullptr);
  TWndProcHook hook(nullptr);
  hook.SetWinControl(form.get());
  hook.SetActive(true);
  CHECK(hook.Hooked());
  CHECK(threadWindows() == before + 1);

  form.reset();
  CHECK(threadWindows() == before);
  CHECK(hook.GetWinControl() == nullptr);
  CHECK(hook.GetHandle() == TCustomWndProcHook::NoWindow());
  CHECK(hook.Active());
}

TEST_CASE("setting the control already stored neither unhooks nor reports a change") {
  FormWithChild f(false);
  TWndProcHook hook(&f.form);
  int changes = 0;
  hook.OnChangeWinControl = [&](Component*) { ++changes; };
  hook.SetWinControl(f.child.get());
  hook.SetActive(true);
  CHECK(changes == 1);
  // Unhooking and hooking again would drop a subclass put on top meanwhile.
  ForeignSubclass foreign(f.child->Handle());
  hook.SetWinControl(f.child.get());
  CHECK(changes == 1);
  CHECK(CurrentProc(f.child->Handle()) == ForeignSubclass::Procedure());
}

TEST_CASE("switched on while the form layout is read, the hook goes in when loading ends") {
  Application::Instance().Initialize();
  TForm form(nullptr);
  TWndProcHook hook(&form);
  form.BeginLoading();
  hook.SetActive(true);
  hook.SetWinControl(&form);
  CHECK(hook.Active());
  CHECK_FALSE(form.HandleAllocated());
  Watch(hook, "a");

  form.EndLoading();
  REQUIRE(form.HandleAllocated());
  CHECK(hook.Hooked());
  Probe(form.Handle());
  CHECK(trace == "a< a> ");

  // Hooking again while hooked leaves the chain as it is: the hook runs once.
  form.BeginLoading();
  form.EndLoading();
  Probe(form.Handle());
  CHECK(trace == "a< a> ");
}
