#include "framework/window_subclass.h"

#include <algorithm>
#include <vector>

// The subclasses of one window, bottom to top, kept in a window property. A subclass
// taken out while a message runs through the chain leaves an empty place, so that
// the positions of the calls under way stay right; places are closed when no
// message is running.
struct WindowSubclass::Chain {
  WNDPROC original = nullptr;  // the window's procedure before the chain went in
  std::vector<WindowSubclass*> entries;
  int running = 0;    // messages under way in the chain, nested ones included
  bool gone = false;  // the window has had its last message
};

namespace {
constexpr char kChainProperty[] = "FrameworkSubclassChain";

WNDPROC ProcedureOf(HWND window) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
}
}  // namespace

WindowSubclass::WindowSubclass(Handler handler) : handler_(std::move(handler)) {}

WindowSubclass::~WindowSubclass() { Remove(); }

bool WindowSubclass::Install(HWND window) {
  if (window == window_) return true;
  Remove();
  if (!window || !IsWindow(window)) return false;
  // A window of another thread takes no procedure from this one.
  if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return false;
  auto* chain = static_cast<Chain*>(GetPropA(window, kChainProperty));
  if (!chain) {
    chain = new Chain;
    chain->original = ProcedureOf(window);
    if (!chain->original || !SetPropA(window, kChainProperty, chain)) {
      delete chain;
      return false;
    }
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowSubclass::ChainProcedure));
    if (ProcedureOf(window) != &WindowSubclass::ChainProcedure) {
      RemovePropA(window, kChainProperty);
      delete chain;
      return false;
    }
  }
  chain->entries.push_back(this);
  window_ = window;
  return true;
}

void WindowSubclass::Remove() {
  if (!window_) return;
  HWND window = window_;
  window_ = nullptr;
  auto* chain = static_cast<Chain*>(GetPropA(window, kChainProperty));
  if (!chain) return;
  std::replace(chain->entries.begin(), chain->entries.end(), this, static_cast<WindowSubclass*>(nullptr));
  Tidy(window, chain, false);
}

void WindowSubclass::PassOn(Message& message) const {
  if (!window_) return;
  auto* chain = static_cast<Chain*>(GetPropA(window_, kChainProperty));
  if (!chain) return;
  const auto at = std::find(chain->entries.begin(), chain->entries.end(), this);
  if (at == chain->entries.end()) return;
  message.Result = CallBelow(window_, *chain, static_cast<std::size_t>(at - chain->entries.begin()),
                             message.Msg, message.WParam, message.LParam);
}

LRESULT WindowSubclass::CallBelow(HWND window, Chain& chain, std::size_t position, UINT msg, WPARAM wParam,
                                  LPARAM lParam) {
  while (position-- > 0) {
    if (WindowSubclass* subclass = chain.entries[position]) {
      Message message{msg, wParam, lParam, 0};
      // The handler may take its subclass out, or end its owner: nothing of it is
      // touched after this call.
      subclass->handler_(message);
      return message.Result;
    }
  }
  return CallWindowProcA(chain.original, window, msg, wParam, lParam);
}

void WindowSubclass::Tidy(HWND window, Chain* chain, bool windowGoes) {
  if (windowGoes) {
    chain->gone = true;
    // The window's last message: what is still bound to it comes off with it.
    for (WindowSubclass*& subclass : chain->entries) {
      if (subclass) subclass->window_ = nullptr;
      subclass = nullptr;
    }
  }
  if (chain->running > 0) return;  // the outermost message tidies when it returns
  chain->entries.erase(std::remove(chain->entries.begin(), chain->entries.end(), nullptr),
                       chain->entries.end());
  if (!chain->entries.empty()) return;
  const bool onTop = IsWindow(window) && ProcedureOf(window) == &WindowSubclass::ChainProcedure;
  // Someone else's procedure above calls the chain's: it stays, passing messages on.
  if (!onTop && !chain->gone) return;
  if (onTop) SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->original));
  RemovePropA(window, kChainProperty);
  delete chain;
}

LRESULT CALLBACK WindowSubclass::ChainProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* chain = static_cast<Chain*>(GetPropA(window, kChainProperty));
  if (!chain) return DefWindowProcA(window, msg, wParam, lParam);
  ++chain->running;
  const LRESULT result = CallBelow(window, *chain, chain->entries.size(), msg, wParam, lParam);
  --chain->running;
  if (msg == WM_NCDESTROY || chain->running == 0) Tidy(window, chain, msg == WM_NCDESTROY);
  return result;
}
