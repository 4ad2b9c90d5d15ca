#pragma once
// Controls. A TControl is windowless: it lives in a rectangle of its parent's
// client area, paints on the parent's surface and gets its mouse messages routed
// by the parent. A TWinControl has a window of its own, made on demand, whose
// messages go through one registered procedure to the object's WndProc.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/canvas.h"
#include "framework/component.h"
#include "framework/font.h"
#include "framework/message_window.h"
#include "framework/shift_state.h"
#include "framework/window_subclass.h"

class TWinControl;
class TPopupMenu;

enum class MouseButton { Left, Right, Middle };
using TNotifyEvent = Event<Component*>;
using TMouseEvent = Event<Component*, MouseButton, TShiftState, int, int>;

class TControl : public Component {
  friend class TWinControl;

 public:
  explicit TControl(Component* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.right - bounds_.left; }
  int Height() const { return bounds_.bottom - bounds_.top; }
  const RECT& BoundsRect() const { return bounds_; }
  RECT ClientRect() const { return {0, 0, Width(), Height()}; }
  virtual void SetBounds(int left, int top, int width, int height);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value) { parentFont_ = value; }
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string value) { hint_ = std::move(value); }

  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);

  virtual bool IsWindowed() const { return false; }
  // Repaints the control's rectangle on its parent (windowless) or its window.
  virtual void Invalidate();

  // Drawing of a windowless control, onto a canvas whose origin is the control's
  // top-left corner; a test can call it on a memory DC.
  virtual void Paint(Canvas& canvas);

  // Mouse input in the control's own coordinates, routed by the parent.
  virtual void MouseDown(MouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(MouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  // The pointer over a point of the control whenever its parent window sets the
  // pointer; null leaves the window's own.
  virtual HCURSOR CursorAt(int /*x*/, int /*y*/) const { return nullptr; }
  // A character typed with Alt, offered to the controls of a window in order until
  // one takes it as its accelerator; true when taken.
  virtual bool DialogChar(char /*key*/, TShiftState /*shift*/) { return false; }
  // The parent's colour changed: controls drawn in it follow.
  virtual void ParentColorChanged() {}
  // Capture of the parent's mouse input for this control (a pressed button).
  void SetMouseCapture(bool value);
  bool MouseCapture() const;

  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;

 protected:
  void Notification(Component* component, ComponentOperation operation) override;
  virtual void BoundsChanged() {}

  TWinControl* parent_ = nullptr;
  RECT bounds_{0, 0, 0, 0};
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clBtnFace;
  TFont font_;
  bool parentFont_ = true;
  std::string hint_;
  TPopupMenu* popupMenu_ = nullptr;
};

// Window creation settings, filled by CreateParams before the window is made.
struct TCreateParams {
  std::string Caption;
  // A system window class (an edit, say) whose own procedure gets what the control
  // passes on; null for the framework's plain class.
  const char* WindowClass = nullptr;
  DWORD Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(Component* owner);
  ~TWinControl() override;

  bool IsWindowed() const override { return true; }
  void SetParent(TWinControl* parent) override;
  bool HandleAllocated() const { return handle_ != nullptr; }
  HWND Handle();  // makes the window on first use
  void DestroyHandle();
  bool Showing() const;

  const std::vector<TControl*>& Controls() const { return controls_; }
  // Offers the character to each visible child in order.
  bool DialogChar(char key, TShiftState shift) override;
  TControl* ControlAtPos(POINT point) const;  // the topmost visible windowless child there

  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool value) override;
  void Invalidate() override;
  void SetFocus();
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value) { tabStop_ = value; }
  // The place among its siblings that Tab visits; controls without one come after
  // those with one, in the order they were placed.
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int value) { tabOrder_ = value; }
  // Whether the control can take the keyboard focus: its window exists, and it and the
  // controls it lies in are visible and enabled (the top-level window aside).
  bool CanFocus() const;

  // Paints the window's own surface and its windowless children onto dc, as WM_PAINT does.
  void PaintTo(HDC dc);

  TKeyEvent OnKeyDown;

 protected:
  friend class TControl;
  virtual void CreateParams(TCreateParams& params);
  virtual void WndProc(Message& message);
  void DefaultHandler(Message& message);
  // The background; the base fills the client area with Color.
  virtual void PaintWindow(Canvas& canvas);
  void PaintControls(Canvas& canvas);
  virtual void Resize() {}
  virtual void KeyDown(std::uint16_t& key, TShiftState shift);
  // A context menu request at a screen point (-1, -1 from the keyboard): true when shown.
  virtual bool DoContextPopup(POINT screenPoint);
  // The window has just been made and bound to this object.
  virtual void HandleCreated() {}
  // A notification (WM_COMMAND) that this control's window sent its parent.
  virtual void CommandNotify(WORD /*code*/) {}

  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

 private:
  // The framework's class procedure: binds the object passed to CreateWindowEx at
  // WM_NCCREATE and hands it every message from then on.
  static LRESULT CALLBACK StandardProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  // Every message, from the class procedure or from the subclass of a system class.
  void Dispatch(HWND window, Message& message);
  void CreateHandle();
  void RouteMouse(Message& message);
  // WM_SETCURSOR over a windowless child with a pointer of its own: true when set.
  bool SetControlCursor(Message& message);
  void TrackHover(TControl* control);

  HWND handle_ = nullptr;
  // A control made of a system class (an edit, say) sees its window's messages through
  // a subclass, which passes on to the class's own procedure.
  std::unique_ptr<WindowSubclass> systemSubclass_;
  std::vector<TControl*> controls_;
  TControl* captureControl_ = nullptr;
  TControl* hoverControl_ = nullptr;
  bool tabStop_ = false;
  int tabOrder_ = -1;
  bool trackingLeave_ = false;
};

TShiftState KeysToShiftState(WPARAM keys);
TShiftState KeyboardShiftState();
