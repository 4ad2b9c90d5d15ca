// A window thunk is a procedure of its own per object: whoever calls it as a window
// procedure reaches the shared target with that object in place of the window and
// the other arguments at their full width, gets the target's result back, and finds
// the stack and registers as it left them. Runs on both architectures.
#include "framework/window_thunk.h"

#include <doctest.h>

#include <cstdint>
#include <vector>

namespace {
struct Call {
  void* context;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Call> calls;

// Every bit of a pointer-width value matters: on 64-bit these reach past 32 bits.
constexpr std::uintmax_t kWideBits = 0xA5C3'0F81'9ABC'DEF1ull;
WPARAM WideParam(UINT i) { return static_cast<WPARAM>(kWideBits) ^ i; }
LPARAM WideLParam(UINT i) { return -static_cast<LPARAM>(static_cast<WPARAM>(kWideBits >> 1) ^ i); }
LRESULT Result(UINT i) { return static_cast<LRESULT>(static_cast<WPARAM>(kWideBits) + i); }

LRESULT CALLBACK Target(void* context, UINT msg, WPARAM wParam, LPARAM lParam) {
  calls.push_back({context, msg, wParam, lParam});
  return Result(msg);
}
}  // namespace

TEST_CASE("each thunk hands its own object and the unchanged arguments to the target") {
  calls.clear();
  int first = 0, second = 0;
  WindowThunk a(&Target, &first), b(&Target, &second);
  CHECK(reinterpret_cast<void*>(a.Procedure()) != reinterpret_cast<void*>(b.Procedure()));
  HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(kWideBits));
  // Called directly, as the system calls a window procedure; many times, so that a
  // thunk that left the stack unbalanced would not get through.
  for (UINT i = 0; i < 1000; ++i) {
    WNDPROC proc = i % 2 ? b.Procedure() : a.Procedure();
    REQUIRE(proc(window, i, WideParam(i), WideLParam(i)) == Result(i));
  }
  REQUIRE(calls.size() == 1000);
  for (UINT i = 0; i < 1000; ++i) {
    CAPTURE(i);
    CHECK(calls[i].context == (i % 2 ? static_cast<void*>(&second) : static_cast<void*>(&first)));
    CHECK(calls[i].msg == i);
    CHECK(calls[i].wParam == WideParam(i));
    CHECK(calls[i].lParam == WideLParam(i));
  }
}

TEST_CASE("a thunk serves as a real window's procedure") {
  calls.clear();
  int object = 0;
  WindowThunk thunk(&Target, &object);
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  REQUIRE(window);
  auto original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(thunk.Procedure())));
  CHECK(GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(thunk.Procedure()));
  CHECK(SendMessageA(window, WM_USER + 5, WideParam(1), WideLParam(2)) == Result(WM_USER + 5));
  CHECK(CallWindowProcA(thunk.Procedure(), window, WM_USER + 6, WideParam(3), WideLParam(4)) ==
        Result(WM_USER + 6));
  REQUIRE(calls.size() == 2);
  for (const Call& call : calls) CHECK(call.context == &object);
  CHECK(calls[0].wParam == WideParam(1));
  CHECK(calls[0].lParam == WideLParam(2));
  CHECK(calls[1].wParam == WideParam(3));
  CHECK(calls[1].lParam == WideLParam(4));
  // Put the window's own procedure back before the thunk goes, and let it close normally.
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
  CHECK(DestroyWindow(window));
}
