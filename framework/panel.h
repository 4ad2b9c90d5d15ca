#pragma once
// A windowed panel: a control with two bevels (outer and inner) of one width, a
// border between the frame and the contents, and an optional window border. It
// holds the settings; a panel that paints them is derived from it.
#include <cstdint>

#include "framework/control.h"

enum class TPanelBevel : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
enum class TBorderStyle : std::uint8_t { bsNone, bsSingle };

class TCustomPanel : public TWinControl {
 public:
  explicit TCustomPanel(Component* owner) : TWinControl(owner) {}

  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel value) { SetAndInvalidate(bevelOuter_, value); }
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel value) { SetAndInvalidate(bevelInner_, value); }
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value) { SetAndInvalidate(bevelWidth_, value < 1 ? 1 : value); }
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value) { SetAndInvalidate(borderWidth_, value < 0 ? 0 : value); }
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);

  // Pixels the bevels and the border take on each side of the client area.
  int FrameExtent() const;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  template <class T>
  void SetAndInvalidate(T& field, T value) {
    if (field == value) return;
    field = value;
    Invalidate();
  }

  TPanelBevel bevelOuter_ = TPanelBevel::bvRaised;
  TPanelBevel bevelInner_ = TPanelBevel::bvNone;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = TBorderStyle::bsNone;
};
