// A window thunk is a procedure of its own per object: whoever calls it as a window
// procedure reaches the shared target with that object in front of the arguments,
// gets the target's result back, and finds the stack as it left it.
#include "framework/window_thunk.h"

#include <doctest.h>

#include <vector>

namespace {
struct Call {
  void* context;
  HWND window;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Call> calls;

LRESULT CALLBACK Target(void* context, HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  calls.push_back({context, window, msg, wParam, lParam});
  return static_cast<LRESULT>(msg) * 2 + 1;
}
}  // namespace

TEST_CASE("each thunk hands its own object and the unchanged arguments to the target") {
  calls.clear();
  int first = 0, second = 0;
  WindowThunk a(&Target, &first), b(&Target, &second);
  CHECK(reinterpret_cast<void*>(a.Procedure()) != reinterpret_cast<void*>(b.Procedure()));
  HWND window = reinterpret_cast<HWND>(0x1234);
  // Called directly, as the system calls a window procedure; many times, so that a
  // thunk that left the stack unbalanced would not get through.
  for (UINT i = 0; i < 1000; ++i) {
    WNDPROC proc = i % 2 ? b.Procedure() : a.Procedure();
    REQUIRE(proc(window, i, i + 7, -static_cast<LPARAM>(i)) == static_cast<LRESULT>(i) * 2 + 1);
  }
  REQUIRE(calls.size() == 1000);
  for (UINT i = 0; i < 1000; ++i) {
    CAPTURE(i);
    CHECK(calls[i].context == (i % 2 ? static_cast<void*>(&second) : static_cast<void*>(&first)));
    CHECK(calls[i].window == window);
    CHECK(calls[i].msg == i);
    CHECK(calls[i].wParam == i + 7);
    CHECK(calls[i].lParam == -static_cast<LPARAM>(i));
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
  CHECK(SendMessageA(window, WM_USER + 5, 11, 22) == (WM_USER + 5) * 2 + 1);
  CHECK(CallWindowProcA(thunk.Procedure(), window, WM_USER + 6, 33, 44) == (WM_USER + 6) * 2 + 1);
  REQUIRE(calls.size() == 2);
  for (const Call& call : calls) {
    CHECK(call.context == &object);
    CHECK(call.window == window);
  }
  CHECK(calls[0].wParam == 11);
  CHECK(calls[0].lParam == 22);
  CHECK(calls[1].wParam == 33);
  CHECK(calls[1].lParam == 44);
  // Put the window's own procedure back before the thunk goes, and let it close normally.
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
  CHECK(DestroyWindow(window));
}
