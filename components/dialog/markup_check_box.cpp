#include "components/dialog/markup_check_box.h"

#include <windowsx.h>

#include "components/dialog/label_options.h"
#include "components/paint/visual_styles.h"
#include "framework/flag_scope.h"
#include "framework/gdi.h"

namespace {
// Themes exist from version 5.1 on; asked once per control, as the answer never changes.
bool SystemIsVersion51OrLater() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return false;
  return info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion >= 1);
}
}  // namespace

TCustomMarkupCheckBox::TCustomMarkupCheckBox(Component* owner)
    : TWinControl(owner), version51_(SystemIsVersion51OrLater()) {
  bounds_ = {0, 0, 98, 20};
  font_.OnChange = [this] { Invalidate(); };
}

void TCustomMarkupCheckBox::SetCaption(std::string value) {
  if (value == caption_) return;
  caption_ = std::move(value);
  if (HandleAllocated()) SetWindowTextA(Handle(), caption_.c_str());
  Invalidate();
}

void TCustomMarkupCheckBox::SetCheckColor(TColor value) {
  if (value == checkColor_) return;
  checkColor_ = value;
  Invalidate();
  if (HandleAllocated()) UpdateWindow(Handle());
}

void TCustomMarkupCheckBox::SetState(TCheckBoxState value) {
  if (value == state_) return;
  state_ = value;
  // The whole control: the box sits on the right for taRightJustify.
  Invalidate();
  if (!mouseToggle_) Click();
}

void TCustomMarkupCheckBox::SetChecked(bool value) {
  SetState(value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
  Invalidate();
}

void TCustomMarkupCheckBox::Toggle() { SetChecked(!IsChecked()); }

void TCustomMarkupCheckBox::Click() {
  if (OnClick) OnClick(this);
}

CheckBoxLook TCustomMarkupCheckBox::Look() const {
  CheckBoxLook look;
  look.ButtonType = buttonType_;
  look.Alignment = alignment_;
  look.VertAlign = buttonVertAlign_;
  look.State = state_;
  look.Enabled = Enabled();
  look.Down = down_;
  look.Hot = hot_;
  look.Themed = version51_ && ThemesUsable();
  look.CheckColor = checkColor_;
  return look;
}

MarkupOptions TCustomMarkupCheckBox::CaptionOptions() {
  MarkupOptions options;
  options.Images = images_;
  options.ShadowOffset = shadowOffset_;
  options.BlinkShown = false;
  options.WrapWords = !ellipsis_;
  options.URLColor = urlColor_;
  options.ShadowColor = shadowColor_;
  options.PictureCache = &pictureCache_;
  options.PictureContainer = pictureContainer_;
  return options;
}

std::string TCustomMarkupCheckBox::IsAnchor(int x, int y) {
  WindowDC screen(nullptr);
  MarkupCanvas canvas(screen.Get(), MarkupFontFrom(font_));
  MarkupOptions options = CaptionOptions();
  options.HitTestOnly = true;
  options.HitX = x;
  options.HitY = y;
  MarkupResult result;
  if (!DrawMarkup(canvas, caption_, CheckBoxCaptionRect(ClientRect(), Look()), options, result)) return {};
  return result.HitHref;
}

void TCustomMarkupCheckBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Caption = caption_;
}

void TCustomMarkupCheckBox::PaintWindow(Canvas& canvas) {
  TWinControl::PaintWindow(canvas);
  HDC dc = canvas.Handle();
  const RECT client = ClientRect();
  const CheckBoxLook look = Look();
  DrawCheckBoxFace(dc, HandleAllocated() ? Handle() : nullptr, client, look);
  const RECT captionRect = CheckBoxCaptionRect(client, look);
  MarkupResult result;
  PaintCaption(dc, captionRect, result);
  if (!focused_) return;
  const RECT focus{captionRect.left, captionRect.top, captionRect.left + result.ExtentX + 3,
                   captionRect.top + result.ExtentY + 1};
  DrawFocusRect(dc, &focus);
}

void TCustomMarkupCheckBox::PaintCaption(HDC dc, const RECT& rect, MarkupResult& result) {
  MarkupCanvas canvas(dc, MarkupFontFrom(font_));
  MarkupOptions options = CaptionOptions();
  if (Enabled()) {
    DrawMarkup(canvas, caption_, rect, options, result);
    return;
  }
  // Engraved: a white copy one pixel down and right under a gray one.
  RECT light = rect;
  OffsetRect(&light, 1, 1);
  canvas.Font().Color = clWhite;
  options.URLColor = clWhite;
  DrawMarkup(canvas, caption_, light, options, result);
  canvas.Font().Color = clGray;
  options.URLColor = clGray;
  DrawMarkup(canvas, caption_, rect, options, result);
}

bool TCustomMarkupCheckBox::CanFocus() {
  return HandleAllocated() && Enabled() && IsWindowVisible(Handle()) && IsWindowEnabled(Handle());
}

bool TCustomMarkupCheckBox::DialogChar(char key, TShiftState /*shift*/) {
  if (!IsAccelerator(key, caption_) || !CanFocus()) return false;
  Toggle();
  if (TabStop()) SetFocus();
  return true;
}

void TCustomMarkupCheckBox::RepaintThemedBox() {
  if (version51_ && buttonType_ == TButtonType::btWinXP) Invalidate();
}

void TCustomMarkupCheckBox::SetHandCursor(bool value) {
  handCursor_ = value;
  // The pointer changes now, not at its next move.
  SetCursor(LoadCursorA(nullptr, value ? IDC_HAND : IDC_ARROW));
}

void TCustomMarkupCheckBox::MouseDown(MouseButton button, TShiftState shift, int x, int y) {
  if (!Enabled()) return;
  mousePressed_ = true;
  std::string anchor;
  if (focused_)
    anchor = IsAnchor(x, y);
  else
    SetFocus();  // the first click on an unfocused box never follows an anchor
  if (!anchor.empty()) {
    FollowAnchor(this, anchor, OnAnchorClick);
  } else {
    TWinControl::MouseDown(button, shift, x, y);
    SetCapture(Handle());
    down_ = true;
  }
  RepaintThemedBox();
}

void TCustomMarkupCheckBox::MouseUp(MouseButton button, TShiftState shift, int x, int y) {
  const bool pressed = mousePressed_;
  mousePressed_ = false;  // before the capture goes, so its loss is not taken for a cancel
  down_ = false;
  if (GetCapture() == Handle()) ReleaseCapture();
  if (!Enabled()) return;
  // One press, one toggle and one click, whichever button made it.
  const bool toggled = pressed && Inside(x, y);
  if (toggled) {
    FlagScope quiet(mouseToggle_);
    Toggle();
  }
  TWinControl::MouseUp(button, shift, x, y);
  RepaintThemedBox();
  if (toggled) Click();
}

void TCustomMarkupCheckBox::MouseMove(TShiftState shift, int x, int y) {
  if (GetCapture() == Handle()) down_ = Inside(x, y);
  if (focused_) {
    const std::string anchor = IsAnchor(x, y);
    if (!anchor.empty()) {
      if (!handCursor_ || anchor != lastAnchor_) {
        lastAnchor_ = anchor;
        SetHandCursor(true);
        if (OnAnchorEnter) OnAnchorEnter(this, anchor);
      }
    } else if (handCursor_) {
      SetHandCursor(false);
      if (OnAnchorExit) OnAnchorExit(this, std::string());
    }
  }
  TWinControl::MouseMove(shift, x, y);
}

void TCustomMarkupCheckBox::MouseEnter() {
  hot_ = true;
  if (buttonType_ == TButtonType::btWinXP) Invalidate();
}

void TCustomMarkupCheckBox::MouseLeave() {
  hot_ = false;
  if (buttonType_ == TButtonType::btWinXP) Invalidate();
}

void TCustomMarkupCheckBox::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (key == VK_RETURN && returnIsTab_) {
    key = VK_TAB;
    PostMessageA(Handle(), WM_KEYDOWN, VK_TAB, 0);
  }
  if (key == VK_SPACE && Enabled()) {
    down_ = true;
    spacePressed_ = true;
  }
  TWinControl::KeyDown(key, shift);
}

void TCustomMarkupCheckBox::KeyUp(std::uint16_t key) {
  if (OnKeyUp) OnKeyUp(this, key, KeyboardShiftState());
  // Only a Space that went down here toggles: one pressed on another control that
  // moved the focus here must not.
  if (key != VK_SPACE || !spacePressed_) return;
  spacePressed_ = false;
  down_ = false;
  Toggle();
}

void TCustomMarkupCheckBox::CancelPress() {
  spacePressed_ = false;
  down_ = false;
}

void TCustomMarkupCheckBox::WndProc(Message& message) {
  const int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
  TShiftState shift = KeysToShiftState(message.WParam);
  switch (message.Msg) {
    // The mouse is handled here, not by the base, which would take the focus before
    // the press could see whether the box had it.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      const bool left = message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK;
      const bool right = message.Msg == WM_RBUTTONDOWN || message.Msg == WM_RBUTTONDBLCLK;
      if (message.Msg == WM_LBUTTONDBLCLK || message.Msg == WM_RBUTTONDBLCLK ||
          message.Msg == WM_MBUTTONDBLCLK)
        shift.Include(ShiftFlag::Double);
      MouseDown(left ? MouseButton::Left : right ? MouseButton::Right : MouseButton::Middle, shift, x, y);
      break;
    }
    case WM_LBUTTONUP:
      MouseUp(MouseButton::Left, shift, x, y);
      break;
    case WM_RBUTTONUP:
      MouseUp(MouseButton::Right, shift, x, y);
      break;
    case WM_MBUTTONUP:
      MouseUp(MouseButton::Middle, shift, x, y);
      break;
    case WM_MOUSEMOVE:
      if (!hot_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&track);
        MouseEnter();
      }
      MouseMove(shift, x, y);
      break;
    case WM_MOUSELEAVE:
      MouseLeave();
      return;
    case WM_CAPTURECHANGED:
      // Another window took the mouse mid-press: the release will never come here.
      if (mousePressed_ && reinterpret_cast<HWND>(message.LParam) != Handle()) {
        mousePressed_ = false;
        down_ = false;
        RepaintThemedBox();
      }
      break;
    case WM_SETFOCUS:
      focused_ = true;
      Invalidate();
      break;
    case WM_KILLFOCUS:
      focused_ = false;
      CancelPress();
      // Without the focus anchors are not looked up, so the hand would stay over it all.
      if (handCursor_) {
        SetHandCursor(false);
        if (OnAnchorExit) OnAnchorExit(this, std::string());
      }
      Invalidate();
      break;
    case WM_KEYUP:
      KeyUp(static_cast<std::uint16_t>(message.WParam));
      break;
    case WM_SETCURSOR:
      if (handCursor_ && LOWORD(message.LParam) == HTCLIENT) {
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        message.Result = TRUE;
        return;
      }
      break;
    default:
      TWinControl::WndProc(message);
      return;
  }
  DefaultHandler(message);
}
