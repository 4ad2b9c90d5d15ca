#include "framework/control.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/application.h"
#include "framework/error.h"
#include "framework/menu.h"
#include "framework/window_class_name.h"

namespace {
const std::string& ControlClass() {
  static const std::string name = WindowClassName("Control");
  return name;
}
}  // namespace

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState shift;
  if (keys & MK_SHIFT) shift.Include(ShiftFlag::Shift);
  if (keys & MK_CONTROL) shift.Include(ShiftFlag::Ctrl);
  if (GetKeyState(VK_MENU) < 0) shift.Include(ShiftFlag::Alt);
  return shift;
}

TShiftState KeyboardShiftState() {
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0) shift.Include(ShiftFlag::Shift);
  if (GetKeyState(VK_CONTROL) < 0) shift.Include(ShiftFlag::Ctrl);
  if (GetKeyState(VK_MENU) < 0) shift.Include(ShiftFlag::Alt);
  return shift;
}

// ---------------------------------------------------------------- TControl

TControl::TControl(Component* owner) : Component(owner) {}

TControl::~TControl() { SetParent(nullptr); }

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) {
    Invalidate();
    parent_->RemoveControl(this);
  }
  parent_ = parent;
  if (parent_) {
    parent_->InsertControl(this);
    if (!parentFont_) return;
    font_.Assign(parent_->Font());
    Invalidate();
  }
}

void TControl::SetBounds(int left, int top, int width, int height) {
  RECT next{left, top, left + width, top + height};
  if (EqualRect(&next, &bounds_)) return;
  Invalidate();
  bounds_ = next;
  Invalidate();
  BoundsChanged();
}

void TControl::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Invalidate();
}

void TControl::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Invalidate();
}

void TControl::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  Invalidate();
  if (IsWindowed())
    for (TControl* child : static_cast<TWinControl*>(this)->Controls()) child->ParentColorChanged();
}

void TControl::SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

void TControl::Notification(Component* component, ComponentOperation operation) {
  if (operation == ComponentOperation::Remove && component == popupMenu_) popupMenu_ = nullptr;
}

void TControl::Invalidate() {
  if (parent_ && parent_->HandleAllocated()) InvalidateRect(parent_->Handle(), &bounds_, FALSE);
}

void TControl::Paint(Canvas&) {}

void TControl::MouseDown(MouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(MouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState, int, int) {}

void TControl::SetMouseCapture(bool value) {
  if (!parent_ || IsWindowed()) return;
  if (value) {
    parent_->captureControl_ = this;
    SetCapture(parent_->Handle());
  } else if (parent_->captureControl_ == this) {
    parent_->captureControl_ = nullptr;
    if (parent_->HandleAllocated() && GetCapture() == parent_->Handle()) ReleaseCapture();
  }
}

bool TControl::MouseCapture() const { return parent_ && parent_->captureControl_ == this; }

// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(Component* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  Destroying();
  for (TControl* child : controls_) child->parent_ = nullptr;
  controls_.clear();
  DestroyHandle();
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (visible_ ? WS_VISIBLE : 0);
  params.X = Left();
  params.Y = Top();
  params.Width = Width();
  params.Height = Height();
  params.WndParent = parent_ ? parent_->Handle() : nullptr;
}

HWND TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

void TWinControl::CreateHandle() {
  // A local static is made once, however many threads get here first.
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &TWinControl::StandardProcedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = ControlClass().c_str();
    RegisterClassA(&wc);
    return true;
  }();
  (void)registered;
  TCreateParams params;
  CreateParams(params);
  // Asking for the parent's window may have made this one already, with the parent's children.
  if (handle_) return;
  if ((params.Style & WS_CHILD) && !params.WndParent) throw Error("control has no parent window");
  const char* windowClass = params.WindowClass ? params.WindowClass : ControlClass().c_str();
  HWND window = CreateWindowExA(params.ExStyle, windowClass, params.Caption.c_str(), params.Style, params.X,
                                params.Y, params.Width, params.Height, params.WndParent, nullptr,
                                GetModuleHandleA(nullptr), this);
  if (!window) throw Error("cannot create window");
  // A window of the framework's class was bound at WM_NCCREATE; a system class's gets
  // its subclass now, once its own procedure has made it.
  handle_ = window;
  if (params.WindowClass) {
    systemSubclass_ =
        std::make_unique<WindowSubclass>([this, window](Message& message) { Dispatch(window, message); });
    if (!systemSubclass_->Install(window)) {
      systemSubclass_.reset();
      DestroyWindow(window);
      handle_ = nullptr;
      throw Error("cannot subclass window");
    }
  }
  RECT rect;
  GetWindowRect(window, &rect);
  if (params.WndParent && (params.Style & WS_CHILD))
    MapWindowPoints(nullptr, params.WndParent, reinterpret_cast<POINT*>(&rect), 2);
  bounds_ = rect;
  HandleCreated();
  // Windowed children placed before this window existed get theirs now.
  for (TControl* child : controls_)
    if (child->IsWindowed()) static_cast<TWinControl*>(child)->Handle();
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  // A child's window follows its parent's: made now when the parent's exists,
  // otherwise by the parent's CreateHandle.
  if (!parent || !parent->HandleAllocated()) DestroyHandle();
  TControl::SetParent(parent);
  if (!parent_ || !parent_->HandleAllocated()) return;
  if (handle_)
    ::SetParent(handle_, parent_->Handle());
  else
    Handle();
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  // The handle stays known while the window goes: a subclass that asks for it during
  // the last messages must get the dying window, not a new one.
  HWND window = handle_;
  // Unbound first: the window's last messages must not reach an object that is going.
  // A system class still gets them: it frees what it keeps for the window on them.
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  systemSubclass_.reset();
  DestroyWindow(window);
  handle_ = nullptr;
}

bool TWinControl::Showing() const { return handle_ && IsWindowVisible(handle_); }

LRESULT CALLBACK TWinControl::StandardProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* created = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    auto* self = static_cast<TWinControl*>(created->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self) self->handle_ = window;
  }
  auto* self = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, msg, wParam, lParam);
  Message message{msg, wParam, lParam, 0};
  self->Dispatch(window, message);
  return message.Result;
}

void TWinControl::Dispatch(HWND window, Message& message) {
  try {
    WndProc(message);
  } catch (...) {
    // An error escaping an event handler is shown and the message loop goes on.
    Application::Instance().HandleCurrentException(this);
  }
  if (message.Msg == WM_NCDESTROY && handle_ == window) {
    handle_ = nullptr;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  }
}

void TWinControl::DefaultHandler(Message& message) {
  if (systemSubclass_)
    systemSubclass_->PassOn(message);
  else
    message.Result = DefWindowProcA(handle_, message.Msg, message.WParam, message.LParam);
}

void TWinControl::WndProc(Message& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND:
      message.Result = 1;  // WM_PAINT covers the whole surface, double-buffered
      return;
    case WM_PAINT: {
      PaintDC paint(handle_);
      RECT client;
      GetClientRect(handle_, &client);
      MemoryDC buffer(paint.Get(), client.right, client.bottom);
      PaintTo(buffer.Get());
      const RECT& area = paint.Area();
      BitBlt(paint.Get(), area.left, area.top, area.right - area.left, area.bottom - area.top, buffer.Get(),
             area.left, area.top, SRCCOPY);
      return;
    }
    case WM_SIZE:
    case WM_MOVE: {
      RECT rect;
      GetWindowRect(handle_, &rect);
      if (HWND parent = GetParent(handle_); parent && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
      bounds_ = rect;
      DefaultHandler(message);
      if (message.Msg == WM_SIZE) Resize();
      return;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
      if (message.Msg == WM_LBUTTONDOWN && tabStop_) SetFocus();
      RouteMouse(message);
      DefaultHandler(message);
      return;
    case WM_SETCURSOR:
      if (!SetControlCursor(message)) DefaultHandler(message);
      return;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      TrackHover(nullptr);
      return;
    case WM_CAPTURECHANGED:
      if (captureControl_ && reinterpret_cast<HWND>(message.LParam) != handle_) {
        TControl* lost = captureControl_;
        captureControl_ = nullptr;
        lost->MouseLeave();
      }
      return;
    case WM_CONTEXTMENU: {
      POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
      if (!DoContextPopup(at)) DefaultHandler(message);
      return;
    }
    case WM_SYSCHAR: {
      // Accelerators belong to the whole window, whichever of its controls has the focus.
      TWinControl* root = this;
      while (root->Parent()) root = root->Parent();
      TShiftState shift = KeyboardShiftState();
      if (message.LParam & (1 << 29)) shift.Include(ShiftFlag::Alt);
      if (!root->DialogChar(static_cast<char>(message.WParam), shift)) DefaultHandler(message);
      return;
    }
    case WM_COMMAND:
      // A control's notification is its own business: it goes back to the control.
      for (TControl* child : controls_) {
        auto* windowed = child->IsWindowed() ? static_cast<TWinControl*>(child) : nullptr;
        if (message.LParam && windowed && windowed->handle_ == reinterpret_cast<HWND>(message.LParam)) {
          windowed->CommandNotify(HIWORD(message.WParam));
          return;
        }
      }
      DefaultHandler(message);
      return;
    case WM_GETFONT:
      // A window of the system's classes knows its own font; the others answer with theirs.
      if (systemSubclass_)
        DefaultHandler(message);
      else
        message.Result = reinterpret_cast<LRESULT>(font_.Handle());
      return;
    case WM_SYSCOLORCHANGE:
      // The system tells only top-level windows of new colours: each window passes it
      // down to its control windows, so what they made from the old ones is made again.
      DefaultHandler(message);
      for (TControl* child : controls_)
        if (child->IsWindowed())
          if (auto* windowed = static_cast<TWinControl*>(child); windowed->handle_)
            SendMessageA(windowed->handle_, WM_SYSCOLORCHANGE, message.WParam, message.LParam);
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      auto key = static_cast<std::uint16_t>(message.WParam);
      KeyDown(key, KeyboardShiftState());
      if (key != 0) DefaultHandler(message);
      return;
    }
    default:
      DefaultHandler(message);
  }
}

bool TWinControl::DialogChar(char key, TShiftState shift) {
  for (TControl* child : controls_)
    if (child->Visible() && child->DialogChar(key, shift)) return true;
  return false;
}

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

bool TWinControl::DoContextPopup(POINT screenPoint) {
  if (screenPoint.x == -1 && screenPoint.y == -1) GetCursorPos(&screenPoint);
  POINT client = screenPoint;
  ScreenToClient(handle_, &client);
  TPopupMenu* menu = nullptr;
  if (TControl* child = ControlAtPos(client)) menu = child->PopupMenu();
  if (!menu) menu = PopupMenu();
  if (!menu) return false;
  menu->SetPopupComponent(this);
  menu->Popup(screenPoint.x, screenPoint.y);
  return true;
}

void TWinControl::RouteMouse(Message& message) {
  const int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
  TShiftState shift = KeysToShiftState(message.WParam);
  TControl* under = ControlAtPos({x, y});
  if (message.Msg == WM_MOUSEMOVE) TrackHover(under);
  TControl* target = captureControl_ ? captureControl_ : under;
  const int cx = target ? x - target->Left() : x, cy = target ? y - target->Top() : y;
  TControl& receiver = target ? *target : static_cast<TControl&>(*this);
  switch (message.Msg) {
    case WM_MOUSEMOVE:
      receiver.MouseMove(shift, cx, cy);
      break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      shift.Include(ShiftFlag::Double);
      [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      MouseButton button =
          (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK)   ? MouseButton::Left
          : (message.Msg == WM_RBUTTONDOWN || message.Msg == WM_RBUTTONDBLCLK) ? MouseButton::Right
                                                                               : MouseButton::Middle;
      receiver.MouseDown(button, shift, cx, cy);
      break;
    }
    case WM_LBUTTONUP:
      receiver.MouseUp(MouseButton::Left, shift, cx, cy);
      break;
    case WM_RBUTTONUP:
      receiver.MouseUp(MouseButton::Right, shift, cx, cy);
      break;
    case WM_MBUTTONUP:
      receiver.MouseUp(MouseButton::Middle, shift, cx, cy);
      break;
  }
}

bool TWinControl::SetControlCursor(Message& message) {
  // Only for this window's own client area: a child window's request passes here too.
  if (reinterpret_cast<HWND>(message.WParam) != handle_ || LOWORD(message.LParam) != HTCLIENT) return false;
  POINT at{};
  GetCursorPos(&at);
  ScreenToClient(handle_, &at);
  TControl* control = captureControl_ ? captureControl_ : ControlAtPos(at);
  HCURSOR cursor = control ? control->CursorAt(at.x - control->Left(), at.y - control->Top()) : nullptr;
  if (!cursor) return false;
  SetCursor(cursor);
  message.Result = TRUE;
  return true;
}

void TWinControl::TrackHover(TControl* control) {
  if (control == hoverControl_) return;
  if (hoverControl_) hoverControl_->MouseLeave();
  hoverControl_ = control;
  if (hoverControl_) hoverControl_->MouseEnter();
  if (hoverControl_ && !trackingLeave_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
  }
}

TControl* TWinControl::ControlAtPos(POINT point) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* control = *it;
    if (!control->IsWindowed() && control->Visible() && PtInRect(&control->BoundsRect(), point))
      return control;
  }
  return nullptr;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (handle_) {
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    return;  // WM_SIZE / WM_MOVE store the bounds the system settled on
  }
  bounds_ = {left, top, left + width, top + height};
  Resize();
}

void TWinControl::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  if (handle_) ShowWindow(handle_, value ? SW_SHOW : SW_HIDE);
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, FALSE);
}

void TWinControl::SetFocus() {
  if (handle_) ::SetFocus(handle_);
}

bool TWinControl::CanFocus() const {
  if (!handle_) return false;
  // Up to the top-level window, which may still be on its way to the screen.
  for (const TControl* control = this; control->Parent(); control = control->Parent())
    if (!control->Visible() || !control->Enabled()) return false;
  return true;
}

void TWinControl::PaintTo(HDC dc) {
  Canvas canvas(dc);
  PaintWindow(canvas);
  PaintControls(canvas);
}

void TWinControl::PaintWindow(Canvas& canvas) {
  RECT client = ClientRect();
  if (handle_) GetClientRect(handle_, &client);
  canvas.FillRect(client, color_);
}

void TWinControl::PaintControls(Canvas& canvas) {
  HDC dc = canvas.Handle();
  for (TControl* control : controls_) {
    if (control->IsWindowed() || !control->Visible()) continue;
    const RECT& r = control->BoundsRect();
    if (r.right <= r.left || r.bottom <= r.top) continue;
    int saved = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    POINT origin;
    OffsetViewportOrgEx(dc, r.left, r.top, &origin);
    Canvas childCanvas(dc);
    control->Paint(childCanvas);
    RestoreDC(dc, saved);
  }
}

void TWinControl::InsertControl(TControl* control) { controls_.push_back(control); }

void TWinControl::RemoveControl(TControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  if (captureControl_ == control) captureControl_ = nullptr;
  if (hoverControl_ == control) hoverControl_ = nullptr;
}
