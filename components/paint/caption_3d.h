#pragma once
// The 3D look of a caption (T3DCaption) and, for captions that can turn, its angle
// and text origin (TFxCaption). Values only; every change is reported through OnChange.
#include <cstdint>

#include "components/paint/change_notice.h"
#include "framework/color.h"
#include "framework/events.h"

enum class TThreeDStyle : std::uint8_t {
  tdNone,
  tdSunken,
  tdRaised,
  tdSunkenShadow,
  tdRaisedShadow,
  tdPColorSunken,
  tdPColorRaised,
  tdShadow,
  tdOutline,
  tdExtrude,
  tdExtrudeEnh,
};
enum class TThreeDOrientation : std::uint8_t { toBottomLeft, toBottomRight, toTopLeft, toTopRight };
enum class TDisabledStyle : std::uint8_t { dsAuto, dsStandard, ds3d, dsNone };

class T3DCaption {
 public:
  T3DCaption() = default;
  virtual ~T3DCaption() = default;
  T3DCaption(const T3DCaption&) = delete;
  T3DCaption& operator=(const T3DCaption&) = delete;

  TDisabledStyle DisabledStyle() const { return disabledStyle_; }
  void SetDisabledStyle(TDisabledStyle value) { Set(disabledStyle_, value); }
  int LightDepth() const { return lightDepth_; }
  void SetLightDepth(std::uint8_t value) { Set(lightDepth_, value); }
  int ShadowDepth() const { return shadowDepth_; }
  void SetShadowDepth(std::uint8_t value) { Set(shadowDepth_, value); }
  TColor LightColor() const { return lightColor_; }
  void SetLightColor(TColor value) { Set(lightColor_, value); }
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor value) { Set(shadowColor_, value); }
  TThreeDStyle Style() const { return style_; }
  void SetStyle(TThreeDStyle value) { Set(style_, value); }
  TThreeDOrientation Orientation() const { return orientation_; }
  void SetOrientation(TThreeDOrientation value) { Set(orientation_, value); }
  // Extra pixels between characters.
  int Tracing() const { return tracing_; }
  void SetTracing(int value) { Set(tracing_, value); }

  // Turning and its text origin belong to TFxCaption; a plain caption never turns.
  virtual int Angle() const { return 0; }
  virtual int PosX() const { return 0; }
  virtual int PosY() const { return 0; }

  Event<> OnChange;

 protected:
  template <class T>
  void Set(T& field, T value) {
    SetAndNotify(field, value, OnChange);
  }

 private:
  TDisabledStyle disabledStyle_ = TDisabledStyle::dsAuto;
  std::uint8_t lightDepth_ = 1;
  std::uint8_t shadowDepth_ = 1;
  TColor lightColor_ = clBtnHighlight;
  TColor shadowColor_ = clBtnShadow;
  TThreeDStyle style_ = TThreeDStyle::tdNone;
  TThreeDOrientation orientation_ = TThreeDOrientation::toTopLeft;
  int tracing_ = 0;
};

class TFxCaption : public T3DCaption {
 public:
  // Degrees, counter-clockwise.
  int Angle() const override { return angle_; }
  void SetAngle(std::int16_t value) { Set(angle_, value); }
  int PosX() const override { return posX_; }
  void SetPosX(std::int16_t value) { Set(posX_, value); }
  int PosY() const override { return posY_; }
  void SetPosY(std::int16_t value) { Set(posY_, value); }

 private:
  std::int16_t angle_ = 0;
  std::int16_t posX_ = 0;
  std::int16_t posY_ = 0;
};
