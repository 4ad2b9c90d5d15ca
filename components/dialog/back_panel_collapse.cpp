// Collapsing the background panel to its caption bar and expanding it again.
#include <windows.h>

#include "components/dialog/back_panel.h"
#include "framework/application.h"

void TCustomBackPanel::SetCollaps(bool value) {
  if (value == collaps_) return;
  collaps_ = value;
  if (IsLoading()) return;
  const std::weak_ptr<bool> alive = alive_;
  const int steps = collapsSteps_;
  // Each animation step lets the program run: the panel may be gone afterwards.
  auto step = [&](int height) {
    ResizeTo(height);
    Application::Instance().ProcessMessages();
    if (alive.expired() || !*alive.lock()) return false;
    Sleep(static_cast<DWORD>(collapsDelay_ > 0 ? collapsDelay_ : 0));
    return true;
  };
  if (value) {
    if (OnMinimize) OnMinimize(this);
    if (alive.expired()) return;
    fullHeight_ = Height();
    if (autoHideChildren_) ShowChildren(false);
    if (steps > 0) {
      expandedColor_ = Color();
      SetColor(collapsColor_);
      const int by = (Height() - caption_.Height()) / steps;
      for (int n = 0; n < steps; ++n)
        if (!step(Height() - by)) return;
    }
    ResizeTo(caption_.Height());
  } else {
    if (OnMaximize) OnMaximize(this);
    if (alive.expired()) return;
    if (steps > 0) {
      SetColor(expandedColor_);
      const int by = (fullHeight_ - Height()) / steps;
      for (int n = 0; n < steps; ++n)
        if (!step(Height() + by)) return;
    }
    ResizeTo(fullHeight_);
    if (autoHideChildren_) ShowChildren(true);
  }
  Invalidate();
}

void TCustomBackPanel::ResizeTo(int height) {
  SetBounds(Left(), Top(), Width(), height);
  if (HandleAllocated()) UpdateWindow(Handle());
}

void TCustomBackPanel::ShowChildren(bool value) {
  for (TControl* child : Controls()) child->SetVisible(value);
  // Windowed children hidden by the panel itself are the only ones it manages here.
}
