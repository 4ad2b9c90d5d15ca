#pragma once
// A windowless push button whose face is cut from a skin strip: a glossy pill in one
// of nineteen colour schemes, with frames for normal, hot, pressed and disabled,
// clipped to a rounded rectangle, and a centred single-line caption. Always 24
// pixels high and at least 48 wide.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "components/dialog/skin_face.h"
#include "components/dialog/skin_options.h"
#include "framework/control.h"
#include "framework/gdi.h"
#include "framework/pixel_image.h"

class TSkinButton : public TControl {
 public:
  explicit TSkinButton(Component* owner);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value);
  // Whether the hot frame shows while the pointer is over the button.
  bool MouseEnterEnabled() const { return hoverEnabled_; }
  void SetMouseEnter(bool value);
  TSkinOptions& SkinOptions() { return options_; }
  const TSkinOptions& SkinOptions() const { return options_; }

  // Height is always 24, width at least 48; outside loading the face is rebuilt.
  void SetBounds(int left, int top, int width, int height) override;

  // Loads the chosen skin's strip (not while loading) and composes the face.
  void BuildSkin();
  // The clip of the current frame, in the parent's coordinates; the caller owns it.
  RegionHandle CreateMaskRng() const;
  // The parent's colour, or the button face without a parent.
  TColor GetParentColor() const;
  // The parent's colour changed: the corners around the shape follow it.
  void ParentColorChanged() override;

  // The composed face: Width x 96, the four frames one under another.
  const PixelImage& Face() const { return face_; }
  TSkinFrame CurrentFrame() const;
  // The layout's SkinImage: the face as a 24-bit BMP file. A stored face replaces the
  // composed one until the next rebuild; bytes that are no such file change nothing.
  // A layout that stores none shows the face composed while it was read, from the
  // strip held then (the constructor's silver), until something calls BuildSkin.
  bool ReadSkin(std::span<const std::uint8_t> bmpFile);
  std::vector<std::uint8_t> WriteSkin() const;

  void Paint(Canvas& canvas) override;
  void DrawCaption(Canvas& canvas) const;
  void MouseDown(MouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(MouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;

  // Sender is the button; raised by a left press and release both over the button.
  TNotifyEvent OnClick;

 private:
  void LoadStrip(TSkin skin);
  void Repaint();

  TSkinOptions options_{*this};
  PixelImage strip_;
  PixelImage face_;
  bool hoverEnabled_ = false;
  bool pointerInside_ = false;
  bool pressed_ = false;
  std::string caption_ = "SkinButton";
};
