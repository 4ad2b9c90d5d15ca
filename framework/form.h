#pragma once
// Top-level windows owned by the application window. A form applies its layout in
// its constructor; Show/Hide/Close and a modal loop of its own (ShowModal).
#include <string>

#include "framework/control.h"

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable };
enum class TPosition { poDesigned, poScreenCenter, poOwnerFormCenter };

inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

class TForm : public TWinControl {
 public:
  explicit TForm(Component* owner);
  ~TForm() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }
  void SetBorderIcons(bool systemMenu, bool minimize, bool maximize);
  void SetPosition(TPosition position) { position_ = position; }
  // The window's size is derived from the client size and the border.
  void SetClientSize(int width, int height);
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }

  void Show();
  void Hide();
  // Ends a modal loop with mrCancel; otherwise asks OnClose what to do: a main form
  // ends the program, any other form hides.
  void Close();
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }

  TNotifyEvent OnShow;
  Event<Component*, TCloseAction&> OnClose;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(Message& message) override;
  void Resize() override;
  // Where the modal loop takes its next message from, with GetMessageA's results.
  virtual BOOL NextMessage(MSG& msg) { return GetMessageA(&msg, nullptr, 0, 0); }
  // Tab and Shift+Tab pressed in this window move the focus along the tab order;
  // true when msg was such a key and is done with.
  bool DialogKey(const MSG& msg);

 public:
  void SetBounds(int left, int top, int width, int height) override;

 private:
  void WindowStyles(DWORD& style, DWORD& exStyle) const;
  RECT FrameFor(int clientWidth, int clientHeight) const;
  std::string caption_;
  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  bool systemMenu_ = true, minimizeBox_ = true, maximizeBox_ = true;
  TPosition position_ = TPosition::poDesigned;
  int clientWidth_ = 0, clientHeight_ = 0;
  bool modal_ = false;
  int modalResult_ = mrNone;
  HWND lastFocus_ = nullptr;  // the control that had the focus when the window was last deactivated
};
