#pragma once
// An owned icon handle (DestroyIcon), loaded from the program's resources.
#include <windows.h>

#include "framework/events.h"

class TIcon {
 public:
  TIcon() = default;
  ~TIcon() { Reset(nullptr); }
  TIcon(const TIcon&) = delete;
  TIcon& operator=(const TIcon&) = delete;

  HICON Handle() const { return handle_; }
  bool Empty() const { return handle_ == nullptr; }
  // A copy of the given icon becomes this one's.
  void Assign(HICON icon);
  void LoadFromResource(int id, int width = 32, int height = 32);

  Event<> OnChange;

 private:
  void Reset(HICON icon);
  HICON handle_ = nullptr;
};
