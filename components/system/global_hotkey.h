#pragma once
// One system-wide hotkey: registered under an identifier of its own while Active and
// HotKey say so; every press is reported once through OnKeyDown, on the creating
// thread, with the key and modifiers of HotKey. The components of one thread share
// one message window, which hands each WM_HOTKEY to the component whose identifier
// it carries: a window per component cost start-up about a millisecond each.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/component.h"
#include "framework/message_window.h"
#include "framework/shift_state.h"
#include "framework/shortcut_value.h"

class TGlobalHotKey : public Component {
 public:
  explicit TGlobalHotKey(Component* owner);
  ~TGlobalHotKey() override;

  bool Active() const { return active_; }
  void SetEnabled(bool value);
  TShortCut HotKey() const { return hotKey_; }
  void SetHotKey(TShortCut value);

  TKeyEvent OnKeyDown;

  ATOM Identifier() const { return identifier_; }
  // The window the key is registered on: shared by the components of this thread.
  HWND WindowHandle() const;

 private:
  class Router;

  void NewWndProc(Message& message);
  void Register(TShortCut value);

  bool active_ = true;
  ATOM identifier_ = 0;
  TShortCut hotKey_ = 0;
  std::shared_ptr<Router> router_;
};
