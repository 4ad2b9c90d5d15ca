#include "components/dialog/skin_button.h"

#include <algorithm>

#include "framework/bmp_file.h"
#include "framework/pixel_image_gdi.h"

namespace {
constexpr int kMinWidth = 48;
constexpr int kHeight = kSkinSlice;
constexpr int kCaptionHeight = kHeight - 2;
}  // namespace

TSkinButton::TSkinButton(Component* owner) : TControl(owner) {
  LoadStrip(TSkin::skSilver);
  bounds_ = {0, 0, kSkinFrameWidth, kHeight};
  font_.OnChange = [this] { Invalidate(); };
}

void TSkinButton::SetCaption(std::string value) {
  caption_ = std::move(value);
  Repaint();
}

void TSkinButton::SetMouseEnter(bool value) {
  if (value == hoverEnabled_) return;
  hoverEnabled_ = value;
  Repaint();
}

void TSkinButton::SetBounds(int left, int top, int width, int /*height*/) {
  TControl::SetBounds(left, top, std::max(width, kMinWidth), kHeight);
  if (!IsLoading()) BuildSkin();
}

void TSkinButton::LoadStrip(TSkin skin) {
  const char* name = SkinResourceName(skin);
  if (!name) return;
  // A module without the resource keeps the strip it had, as an unknown skin does.
  if (PixelImage strip = LoadBitmapPixels(GetModuleHandleA(nullptr), name); !strip.Empty())
    strip_ = std::move(strip);
}

void TSkinButton::BuildSkin() {
  if (Width() == 0 || Height() == 0) return;
  // While a layout is read, the strip held now is used; the stored face follows anyway.
  if (!IsLoading()) LoadStrip(options_.Skin());
  face_ = ArrangeSkinFace(strip_, Width(), GetSysColor(COLOR_BTNFACE));
  const COLORREF key = face_.Pixel(0, 0);
  color_ = key;
  FillSkinCorners(face_, key, ColorToRGB(GetParentColor()));
  Repaint();
}

TColor TSkinButton::GetParentColor() const { return parent_ ? parent_->Color() : clBtnFace; }

void TSkinButton::ParentColorChanged() {
  if (parent_ && parent_->IsLoading()) return;
  BuildSkin();
}

TSkinFrame TSkinButton::CurrentFrame() const {
  return SkinFrameFor(Enabled(), pointerInside_, pressed_, hoverEnabled_);
}

RegionHandle TSkinButton::CreateMaskRng() const {
  const SkinMask mask = SkinMaskFor(CurrentFrame(), BoundsRect());
  return RegionHandle(CreateRoundRectRgn(mask.rect.left, mask.rect.top, mask.rect.right, mask.rect.bottom,
                                         mask.ellipseWidth, mask.ellipseHeight));
}

bool TSkinButton::ReadSkin(std::span<const std::uint8_t> bmpFile) {
  std::optional<PixelImage> face = DecodeBmp24(bmpFile);
  if (!face) return false;
  face_ = std::move(*face);
  Invalidate();
  return true;
}

std::vector<std::uint8_t> TSkinButton::WriteSkin() const { return EncodeBmp24(face_); }

void TSkinButton::Repaint() {
  Invalidate();
  if (parent_ && parent_->HandleAllocated()) UpdateWindow(parent_->Handle());
}

void TSkinButton::Paint(Canvas& canvas) {
  HDC dc = canvas.Handle();
  const TSkinFrame frame = CurrentFrame();
  const int saved = SaveDC(dc);
  {
    // The mask is in the parent's coordinates; the canvas may have its origin anywhere
    // (the parent's surface moves it to the button's corner), so place it on the device.
    RegionHandle region = CreateMaskRng();
    POINT origin{0, 0};
    LPtoDP(dc, &origin, 1);
    OffsetRgn(region.Get(), origin.x - Left(), origin.y - Top());
    ExtSelectClipRgn(dc, region.Get(), RGN_AND);
  }
  const int firstRow = static_cast<int>(frame) * kSkinSlice;
  // A stored face may be smaller than the frames it should hold: draw what it has.
  if (frame != TSkinFrame::Disabled) {
    DrawPixelRows(dc, 0, 0, face_, firstRow, kSkinSlice);
  } else if (face_.Height() >= kSkinFaceHeight) {
    DrawPixelRowsTransparent(dc, 0, 0, face_, firstRow, kSkinSlice, face_.Pixel(0, kSkinFaceHeight - 1));
  }
  RestoreDC(dc, saved);
  DrawCaption(canvas);
}

void TSkinButton::DrawCaption(Canvas& canvas) const {
  constexpr UINT kFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
  RECT rect{0, 0, Width(), kCaptionHeight};
  if (Enabled()) {
    canvas.TextRect(caption_, rect, kFormat, font_);
    return;
  }
  // Engraved: a light copy one pixel down and right, the shadow-coloured one on top.
  TFont font = font_;
  font.SetColor(clBtnHighlight);
  RECT light = rect;
  OffsetRect(&light, 1, 1);
  canvas.TextRect(caption_, light, kFormat, font);
  font.SetColor(clBtnShadow);
  canvas.TextRect(caption_, rect, kFormat, font);
}

void TSkinButton::MouseDown(MouseButton button, TShiftState shift, int x, int y) {
  if (!Enabled()) return;
  if (button == MouseButton::Left) {
    pressed_ = true;
    SetMouseCapture(true);
    Repaint();
  }
  TControl::MouseDown(button, shift, x, y);
}

void TSkinButton::MouseUp(MouseButton button, TShiftState shift, int x, int y) {
  const bool wasPressed = pressed_ && button == MouseButton::Left;
  // Released even when the press disabled the button, or the parent would keep
  // sending it the mouse.
  if (wasPressed) {
    pressed_ = false;
    SetMouseCapture(false);
    Repaint();
  }
  if (!Enabled()) return;
  TControl::MouseUp(button, shift, x, y);
  const RECT client = ClientRect();
  if (wasPressed && PtInRect(&client, POINT{x, y}) && OnClick) OnClick(this);  // last: may destroy the button
}

void TSkinButton::MouseEnter() {
  pointerInside_ = true;
  Repaint();
}

void TSkinButton::MouseLeave() {
  pointerInside_ = false;
  // Capture taken away mid-press (a window popped up): the release will never come.
  if (pressed_ && !MouseCapture()) pressed_ = false;
  Repaint();
}
