// The modal loop of a form on a real window: how it ends when the program is told
// to quit, and when fetching a message fails.
#include <doctest.h>

#include <cstring>

#include "framework/application.h"
#include "framework/form.h"

namespace {
// A form whose modal loop meets a failing GetMessage (-1) once the loop starts: the
// record it was given is left as the failing call leaves it, full of leftovers.
class FailingFetchForm : public TForm {
 public:
  using TForm::TForm;
  int fetches = 0;

 protected:
  BOOL NextMessage(MSG& msg) override {
    ++fetches;
    std::memset(&msg, 0x5A, sizeof msg);  // what an untouched stack record may hold
    return -1;
  }
};

// Takes the WM_QUIT waiting in this thread's queue, if any; its exit code or -1.
long long TakeQuit() {
  MSG msg{};
  if (!PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return -1;
  return static_cast<long long>(msg.wParam);
}

struct ModalFixture {
  ModalFixture() {
    Application::Instance().Initialize();
    while (TakeQuit() != -1) {
    }
  }
};
}  // namespace

TEST_CASE("a quit arriving during the modal loop ends it cancelled and is passed on with its code") {
  ModalFixture f;
  TForm owner(nullptr);
  owner.SetCaption("Owner");
  owner.Show();
  TForm dialog(nullptr);
  dialog.SetCaption("Dialog");
  dialog.OnShow = [](Component*) { PostQuitMessage(7); };
  CHECK(dialog.ShowModal() == mrCancel);
  CHECK(TakeQuit() == 7);
  CHECK(IsWindowEnabled(owner.Handle()));
  CHECK_FALSE(IsWindowVisible(dialog.Handle()));
}

TEST_CASE("a failing message fetch ends the modal loop cancelled without inventing a quit") {
  ModalFixture f;
  TForm owner(nullptr);
  owner.SetCaption("Owner");
  owner.Show();
  FailingFetchForm dialog(nullptr);
  dialog.SetCaption("Dialog");
  CHECK(dialog.ShowModal() == mrCancel);
  CHECK(dialog.fetches == 1);
  // Nothing was retrieved, so nothing is re-posted: not the record's leftovers as an exit code.
  CHECK(TakeQuit() == -1);
  CHECK(IsWindowEnabled(owner.Handle()));
  CHECK_FALSE(IsWindowVisible(dialog.Handle()));
}
