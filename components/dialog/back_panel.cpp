#include "components/dialog/back_panel.h"

#include <windowsx.h>

#include "framework/gdi.h"

TCustomBackPanel::TCustomBackPanel(Component* owner)
    : TCustomPanel(owner), alive_(std::make_shared<bool>(true)) {
  background_.OnChange = [this] { Invalidate(); };
  caption_.OnChange = [this] { Invalidate(); };
  caption_.OnStateChange = [this] { StateChange(); };
  caption_.OnShadeChange = [this] { ShadeHeader(); };
  autoSize_.OnChange = [this] { AutoSizeToText(); };
}

TCustomBackPanel::~TCustomBackPanel() {
  // A collapse animation pumping messages further up the stack stops at its next step.
  *alive_ = false;
}

void TCustomBackPanel::SetText(std::string value) {
  if (value == text_) return;
  text_ = std::move(value);
  AutoSizeToText();
  Invalidate();
}

void TCustomBackPanel::Loaded() {
  TCustomPanel::Loaded();
  expandedColor_ = Color();
  AutoSizeToText();
}

void TCustomBackPanel::StateChange() { Invalidate(); }

void TCustomBackPanel::Resize() {
  // The whole surface depends on the size (tiles run to the edges, the grip sits in the corner).
  Invalidate();
}

MarkupOptions TCustomBackPanel::TextOptions() const {
  MarkupOptions options;
  options.Revision = MarkupRevision::mrPanel;
  options.Images = images_;
  options.URLColor = urlColor_;
  options.ShadowColor = shadowColor_;
  options.ShadowOffset = shadowOffset_;
  options.HoverColor = hoverColor_;
  options.HoverFontColor = hoverFontColor_;
  options.HoverIndex = hover_ ? hoverAnchor_ : -1;
  options.PictureCache = const_cast<TMarkupPictureCache*>(&pictureCache_);
  options.PictureContainer = pictureContainer_;
  return options;
}

RECT TCustomBackPanel::CaptionRect() const {
  if (!caption_.Visible()) return {};
  const int inset = FrameExtent() - BorderWidth();
  return {inset, inset, Width() - inset, inset + CaptionBarHeight()};
}

RECT TCustomBackPanel::CloseButtonRect() const {
  if (!caption_.Visible() || !caption_.CloseButton()) return {};
  const RECT bar = CaptionRect();
  if (caption_.ButtonPosition() == TCaptionButtonPosition::cbpRight)
    return {bar.right - 20, bar.top, bar.right, bar.bottom};
  return {bar.left, bar.top, bar.left + 20, bar.bottom};
}

RECT TCustomBackPanel::MinMaxButtonRect() const {
  if (!caption_.Visible() || !caption_.MinMaxButton()) return {};
  const RECT bar = CaptionRect();
  const int outer = caption_.CloseButton() ? 20 : 0;
  if (caption_.ButtonPosition() == TCaptionButtonPosition::cbpRight)
    return {bar.right - outer - 20, bar.top, bar.right - outer, bar.bottom};
  return {bar.left + outer, bar.top, bar.left + outer + 20, bar.bottom};
}

std::string TCustomBackPanel::AnchorAt(POINT client, int* index) {
  if (index) *index = -1;
  if (text_.empty()) return {};
  WindowDC screen(nullptr);
  std::string href;
  {
    MemoryDC dc(screen.Get(), 1, 1);
    MarkupCanvas canvas(dc.Get(), MarkupFontFrom(Font()));
    MarkupOptions options = TextOptions();
    options.HitTestOnly = true;
    options.HitX = client.x;
    options.HitY = client.y;
    RECT area = ContentArea();
    InflateRect(&area, -BorderWidth(), -BorderWidth());
    area.left += indent_;
    area.top += topIndent_;
    MarkupResult result;
    if (DrawMarkup(canvas, text_, area, options, result)) {
      href = result.HitHref;
      if (index) *index = result.HitAnchor;
    }
  }
  return href;
}

LRESULT TCustomBackPanel::HitTest(POINT client) {
  if (canSize_ && !collaps_) {
    const int grip = GetSystemMetrics(SM_CXVSCROLL);
    if (client.x >= Width() - grip && client.y >= Height() - grip) return HTBOTTOMRIGHT;
  }
  if (canMove_ && caption_.Visible()) {
    const RECT bar = CaptionRect(), close = CloseButtonRect(), minMax = MinMaxButtonRect();
    if (PtInRect(&bar, client) && !PtInRect(&close, client) && !PtInRect(&minMax, client)) return HTCAPTION;
  }
  return HTCLIENT;
}

void TCustomBackPanel::WndProc(Message& message) {
  switch (message.Msg) {
    case WM_NCHITTEST: {
      DefaultHandler(message);
      if (message.Result != HTCLIENT) return;
      POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
      ScreenToClient(Handle(), &at);
      message.Result = HitTest(at);
      return;
    }
    case WM_EXITSIZEMOVE:
      TCustomPanel::WndProc(message);
      if (OnEndMoveSize) OnEndMoveSize(this);
      return;
    case WM_NCLBUTTONDBLCLK:
      if (message.WParam == HTCAPTION && OnCaptionDBlClick) OnCaptionDBlClick(this);
      TCustomPanel::WndProc(message);
      return;
    default:
      TCustomPanel::WndProc(message);
  }
}

void TCustomBackPanel::MouseDown(MouseButton button, TShiftState shift, int x, int y) {
  TCustomPanel::MouseDown(button, shift, x, y);
  if (button != MouseButton::Left) return;
  const POINT at{x, y};
  const RECT bar = CaptionRect(), close = CloseButtonRect(), minMax = MinMaxButtonRect();
  if (PtInRect(&close, at)) {
    if (OnClose) OnClose(this);
    SetVisible(false);
    return;
  }
  if (PtInRect(&minMax, at)) {
    SetCollaps(!collaps_);
    return;
  }
  if (PtInRect(&bar, at)) {
    const bool twice = shift.Contains(ShiftFlag::Double);
    if (twice && OnCaptionDBlClick) OnCaptionDBlClick(this);
    if (!twice && OnCaptionClick) OnCaptionClick(this);
    return;
  }
  if (const std::string href = AnchorAt(at); !href.empty() && OnAnchorClick) OnAnchorClick(this, href);
}

void TCustomBackPanel::MouseMove(TShiftState shift, int x, int y) {
  TCustomPanel::MouseMove(shift, x, y);
  int index = -1;
  std::string href = AnchorAt({x, y}, &index);
  if (index == hoverAnchor_) return;
  if (hoverAnchor_ > 0 && OnAnchorExit) OnAnchorExit(this, hoverHref_);
  hoverAnchor_ = index;
  hoverHref_ = href;
  if (hoverAnchor_ > 0) {
    if (OnAnchorEnter) OnAnchorEnter(this, hoverHref_);
    if (anchorHint_) {
      std::string hint = hoverHref_;
      if (OnAnchorHint) OnAnchorHint(this, hint);
      SetHint(std::move(hint));
    }
  }
  if (hover_) Invalidate();
}

void TCustomBackPanel::MouseLeave() {
  TCustomPanel::MouseLeave();
  if (hoverAnchor_ <= 0) return;
  if (OnAnchorExit) OnAnchorExit(this, hoverHref_);
  hoverAnchor_ = -1;
  hoverHref_.clear();
  if (hover_) Invalidate();
}

void TCustomBackPanel::AutoSizeToText() {
  if (!autoSize_.Enabled() || IsLoading() || text_.empty()) return;
  WindowDC screen(nullptr);
  MarkupResult result;
  {
    MemoryDC dc(screen.Get(), 1, 1);
    MarkupCanvas canvas(dc.Get(), MarkupFontFrom(Font()));
    MarkupOptions options = TextOptions();
    options.MeasureOnly = true;
    DrawMarkup(canvas, text_, {0, 0, 4096, 4096}, options, result);
  }
  const int frame = 2 * FrameExtent();
  const int width = autoSize_.Width() ? result.ExtentX + frame + indent_ : Width();
  const int height = autoSize_.Height() ? result.ExtentY + frame + topIndent_ : Height();
  SetBounds(Left(), Top(), width, height);
}
