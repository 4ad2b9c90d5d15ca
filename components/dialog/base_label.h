#pragma once
// What the windowless labels share: a caption drawn through a 3D effect, alignment,
// auto-size, text options, twinkling, font smoothing, the accelerator that focuses
// another control, and repainting that an update counter can hold back.
#include <memory>
#include <string>

#include "components/dialog/label_options.h"
#include "components/paint/box_alignment.h"
#include "components/paint/caption_3d.h"
#include "components/paint/text_fx.h"
#include "framework/control.h"
#include "framework/flag_scope.h"
#include "framework/timer.h"

class TBaseLabel : public TControl {
 public:
  explicit TBaseLabel(Component* owner);
  ~TBaseLabel() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value);
  // Opaque labels fill their area with Color first.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  TBoxAlignment Alignment() const { return alignment_; }
  void SetAlignment(TBoxAlignment value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool value);
  TLabelOptions Options() const { return options_; }
  void SetOptions(TLabelOptions value);

  // Twinkling shows the caption TwinkleVisible ms, then hides it (or shows it in
  // TwinkleColor) TwinkleInVisible ms, over and over.
  bool Twinkle() const { return twinkle_; }
  void SetTwinkle(bool value);
  unsigned TwinkleVisible() const { return twinkleVisible_; }
  void SetTwinkleVisible(unsigned value);
  unsigned TwinkleInVisible() const { return twinkleInVisible_; }
  void SetTwinkleInVisible(unsigned value);
  TColor TwinkleColor() const { return twinkleColor_; }
  void SetTwinkleColor(TColor value);
  bool TwinklePhaseVisible() const { return twinklePhaseVisible_; }
  // Kept for layouts that set it; every label has a timer of its own.
  bool UseGlobalTimer() const { return useGlobalTimer_; }
  void SetUseGlobalTimer(bool value) { useGlobalTimer_ = value; }

  // Antialiased text: the font is made again whenever it or this changes.
  bool FontSmoothing() const { return fontSmoothing_; }
  void SetFontSmoothing(bool value);

  // Gets the focus when the caption's accelerator is typed with Alt.
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* value);
  // A typed character with its modifiers; true when it moved the focus.
  bool DialogChar(char key, TShiftState shift) override;

  // Changes between BeginUpdate and the last EndUpdate are repainted once, at the end.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  // While updates are held back a new size or place is repainted at the end too.
  void SetBounds(int left, int top, int width, int height) override;

  // The caption's effect (Font3D or FontFX).
  virtual const T3DCaption& Effect() const = 0;

  // Nothing while loading; a transparent label without a caption draws nothing, an
  // opaque one fills with Color; then the caption in the label's own way.
  void Paint(Canvas& canvas) override;
  void MouseDown(MouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(MouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;

  TNotifyEvent OnClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;

 protected:
  void Loaded() override;
  void Notification(Component* component, ComponentOperation operation) override;
  virtual void Click();

  // A setting that changes the caption's size or look: sizes again and repaints.
  void FontChange();
  // Auto-size: the caption's measure becomes the label's size, its position kept.
  void CorrectBounds();
  // A turned caption's measure also says where its text starts; plain labels ignore it.
  virtual void TextOriginMeasured(POINT) {}
  virtual int BevelExtent() const { return 0; }
  void Repaint();
  virtual void PaintCaption(Canvas& canvas, RECT rect) = 0;

  // The flags of a caption drawn into rect: alignment, options, prefix handling.
  UINT CaptionFlags() const;
  // Draws the caption as the twinkle phase asks: normally, in TwinkleColor, or not at all.
  void DrawCaption(Canvas& canvas, const RECT* clip, TDrawTextStyles styles, UINT flags, const RECT& rect);
  TDrawTextStyles EnabledStyles() const;

 private:
  template <class T>
  void Set(T& field, T value) {
    if (field == value) return;
    field = value;
    FontChange();
  }
  void ApplyFontSmoothing();
  void TwinkleTick();

  std::string caption_;
  bool transparent_ = true;
  TBoxAlignment alignment_ = TBoxAlignment::agTopLeft;
  bool autoSize_ = true;
  bool showAccelChar_ = true;
  bool multiLine_ = false;
  TLabelOptions options_;
  bool twinkle_ = false;
  unsigned twinkleVisible_ = 700;
  unsigned twinkleInVisible_ = 700;
  TColor twinkleColor_ = clNone;
  bool twinklePhaseVisible_ = true;
  std::unique_ptr<Timer> twinkleTimer_;
  bool useGlobalTimer_ = false;
  bool fontSmoothing_ = false;
  TWinControl* focusControl_ = nullptr;
  int updateCount_ = 0;
  bool repaintPending_ = false;
  RECT heldArea_{0, 0, 0, 0};  // on the parent, to repaint when the updates end
  bool correcting_ = false;
  bool pressed_ = false;
  bool painting_ = false;
};
