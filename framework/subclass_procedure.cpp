#include "framework/subclass_procedure.h"

SubclassProcedure::SubclassProcedure(SubclassReceiver* receiver)
    : receiver_(receiver), thunk_(&SubclassProcedure::Dispatch, this) {}

void SubclassProcedure::Retire(std::unique_ptr<SubclassProcedure> procedure, HWND window, WNDPROC next,
                               bool stillCalled) {
  if (!procedure || !stillCalled) return;  // released here
  SubclassProcedure* kept = procedure.release();    // from now on owned by its window
  kept->receiver_ = nullptr;
  kept->window_ = window;
  kept->next_ = next;
}

bool SubclassProcedure::OthersMayCall(HWND window, WNDPROC procedure) {
  return window && IsWindow(window) && CurrentWindowProcedure(window) != procedure;
}

LRESULT CALLBACK SubclassProcedure::Dispatch(void* context, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<SubclassProcedure*>(context);
  if (SubclassReceiver* receiver = self->receiver_) return receiver->SubclassMessage(msg, wParam, lParam);
  const LRESULT result = self->next_ ? CallWindowProcA(self->next_, self->window_, msg, wParam, lParam)
                                     : DefWindowProcA(self->window_, msg, wParam, lParam);
  // The thunk jumped here, so no frame returns into the code released now.
  if (msg == WM_NCDESTROY) delete self;
  return result;
}
