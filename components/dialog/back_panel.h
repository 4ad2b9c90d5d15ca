#pragma once
// A windowed panel that paints its own surface: a colour or a vertical gradient,
// a one-pixel border with an optional soft shadow, the panel bevels, a background
// picture placed in one of seven ways, mini-HTML text, an optional caption bar
// that can collapse the panel to itself, and a size grip. Fill, frame and picture
// make a layer kept between paints and made again only when something it is made
// from changes; with Buffered, the text and caption bar are drawn over a copy of it
// off-screen, so the screen never shows the panel half drawn.
#include <memory>
#include <string>

#include "components/dialog/anchor_action.h"
#include "components/dialog/back_panel_geometry.h"
#include "components/dialog/back_panel_layer.h"
#include "components/dialog/markup.h"
#include "components/dialog/panel_caption.h"
#include "components/dialog/panel_image.h"
#include "components/dialog/panel_settings.h"
#include "framework/panel.h"

enum class TTextVAlignment : std::uint8_t { tvaTop, tvaCenter, tvaBottom };

using TAnchorClickEvent = TAnchorClick;

class TCustomBackPanel : public TCustomPanel {
 public:
  explicit TCustomBackPanel(Component* owner);
  ~TCustomBackPanel() override;

  TPanelImage& Background() { return background_; }
  TBackGroundPosition BackgroundPosition() const { return backgroundPosition_; }
  void SetBackgroundPosition(TBackGroundPosition value) { SetAndRepaint(backgroundPosition_, value); }
  bool Buffered() const { return buffered_; }
  void SetBuffered(bool value) { SetAndRepaint(buffered_, value); }
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor value) { SetAndRepaint(borderColor_, value); }
  bool BorderShadow() const { return borderShadow_; }
  void SetBorderShadow(bool value) { SetAndRepaint(borderShadow_, value); }
  TColor ColorTo() const { return colorTo_; }
  void SetColorTo(TColor value) { SetAndRepaint(colorTo_, value); }
  TPanelCaption& Caption() { return caption_; }
  const std::string& Text() const { return text_; }
  void SetText(std::string value);
  TTextVAlignment TextVAlign() const { return textVAlign_; }
  void SetTextVAlign(TTextVAlignment value) { SetAndRepaint(textVAlign_, value); }
  int Indent() const { return indent_; }
  void SetIndent(int value) { SetAndRepaint(indent_, value); }
  int TopIndent() const { return topIndent_; }
  void SetTopIndent(int value) { SetAndRepaint(topIndent_, value); }
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor value) { SetAndRepaint(shadowColor_, value); }
  int ShadowOffset() const { return shadowOffset_; }
  void SetShadowOffset(int value) { SetAndRepaint(shadowOffset_, value); }
  TColor URLColor() const { return urlColor_; }
  void SetURLColor(TColor value) { SetAndRepaint(urlColor_, value); }
  bool Hover() const { return hover_; }
  void SetHover(bool value) { SetAndRepaint(hover_, value); }
  TColor HoverColor() const { return hoverColor_; }
  void SetHoverColor(TColor value) { SetAndRepaint(hoverColor_, value); }
  TColor HoverFontColor() const { return hoverFontColor_; }
  void SetHoverFontColor(TColor value) { SetAndRepaint(hoverFontColor_, value); }
  bool AnchorHint() const { return anchorHint_; }
  void SetAnchorHint(bool value) { anchorHint_ = value; }

  bool Collaps() const { return collaps_; }
  void SetCollaps(bool value);
  TColor CollapsColor() const { return collapsColor_; }
  void SetCollapsColor(TColor value) { collapsColor_ = value; }
  int CollapsDelay() const { return collapsDelay_; }
  void SetCollapsDelay(int value) { collapsDelay_ = value; }
  int CollapsSteps() const { return collapsSteps_; }
  void SetCollapsSteps(int value) { collapsSteps_ = value < 0 ? 0 : value; }
  bool AutoHideChildren() const { return autoHideChildren_; }
  void SetAutoHideChildren(bool value) { autoHideChildren_ = value; }
  // The expanded height, kept while collapsed; the layout's "FullHeight" item.
  int FullHeight() const { return fullHeight_; }
  void SetFullHeight(int value) { fullHeight_ = value; }

  bool CanMove() const { return canMove_; }
  void SetCanMove(bool value) { canMove_ = value; }
  bool CanSize() const { return canSize_; }
  void SetCanSize(bool value) { SetAndRepaint(canSize_, value); }
  bool ShowMoveCursor() const { return showMoveCursor_; }
  void SetShowMoveCursor(bool value) { showMoveCursor_ = value; }
  bool FixedTop() const { return fixedTop_; }
  void SetFixedTop(bool value) { fixedTop_ = value; }
  bool FixedLeft() const { return fixedLeft_; }
  void SetFixedLeft(bool value) { fixedLeft_ = value; }
  bool FixedHeight() const { return fixedHeight_; }
  void SetFixedHeight(bool value) { fixedHeight_ = value; }
  bool FixedWidth() const { return fixedWidth_; }
  void SetFixedWidth(bool value) { fixedWidth_ = value; }
  bool FreeOnClose() const { return freeOnClose_; }
  void SetFreeOnClose(bool value) { freeOnClose_ = value; }
  TAutoSize& AutoSize() { return autoSize_; }
  TPanelPosition& Position() { return position_; }
  HIMAGELIST Images() const { return images_; }
  void SetImages(HIMAGELIST value) { SetAndRepaint(images_, value); }
  TMarkupPictureContainer* PictureContainer() const { return pictureContainer_; }
  void SetPictureContainer(TMarkupPictureContainer* value) { SetAndRepaint(pictureContainer_, value); }

  // The whole surface, in the documented order, onto canvas (a window's or a test's DC).
  void Paint(Canvas& canvas) override;
  // The rectangle of the caption bar inside the frame; empty while the bar is hidden.
  RECT CaptionRect() const;
  // The caption buttons' rectangles; empty when the button is not shown.
  RECT CloseButtonRect() const;
  RECT MinMaxButtonRect() const;
  // What the panel answers to WM_NCHITTEST at a client point.
  LRESULT HitTest(POINT client);

  TNotifyEvent OnCaptionClick;
  TNotifyEvent OnCaptionDBlClick;
  TAnchorClickEvent OnAnchorClick;
  TAnchorClickEvent OnAnchorEnter;
  TAnchorClickEvent OnAnchorExit;
  TAnchorHintEvent OnAnchorHint;
  TNotifyEvent OnClose;
  TNotifyEvent OnEndMoveSize;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnMaximize;

 protected:
  void Loaded() override;
  void WndProc(Message& message) override;
  void PaintWindow(Canvas& canvas) override;
  void Resize() override;
  void MouseDown(MouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseLeave() override;
  virtual void StateChange();
  // The caption bar's shading; the plain colour fill for every shade type.
  virtual void ShadeHeader() { Invalidate(); }

 private:
  template <class T>
  void SetAndRepaint(T& field, T value) {
    if (field == value) return;
    field = value;
    Invalidate();
  }
  // Paint steps, in the order they are drawn. The first four make the layer kept
  // between paints; the rest are drawn over it at every paint.
  void PaintFill(Canvas& canvas, const RECT& rect);
  RECT PaintBorder(Canvas& canvas, RECT rect);
  void PaintBevels(Canvas& canvas, RECT& rect);
  RECT ContentArea() const;
  void PaintBackground(HDC dc, const RECT& area);
  void PaintText(HDC dc, RECT area);
  void PaintCaptionBar(HDC dc);
  void PaintSizeGrip(HDC dc);
  PanelLayerKey LayerKey(HDC target) const;
  // The layer for the current settings, made again when they differ from its own.
  HDC Layer(HDC target);
  void ComposeLayer(HDC dc);
  bool HasOverlay() const;
  void PaintOverlay(HDC dc);

  MarkupOptions TextOptions() const;
  // The text's anchor under the client point, empty when none.
  std::string AnchorAt(POINT client, int* index = nullptr);
  int CaptionBarHeight() const { return caption_.Height() - 2 * BevelWidth(); }
  void ResizeTo(int height);
  void ShowChildren(bool value);
  void AutoSizeToText();

  TPanelImage background_;
  TBackGroundPosition backgroundPosition_ = TBackGroundPosition::bpTopLeft;
  bool buffered_ = true;
  TColor borderColor_ = clBlack;
  bool borderShadow_ = false;
  TColor colorTo_ = clNone;
  TPanelCaption caption_;
  std::string text_;
  TTextVAlignment textVAlign_ = TTextVAlignment::tvaTop;
  int indent_ = 0, topIndent_ = 0;
  TColor shadowColor_ = clGray;
  int shadowOffset_ = 2;
  TColor urlColor_ = clBlue;
  bool hover_ = false;
  TColor hoverColor_ = clNone, hoverFontColor_ = clNone;
  bool anchorHint_ = false;
  bool collaps_ = false;
  TColor collapsColor_ = clGray;
  int collapsDelay_ = 20, collapsSteps_ = 0;
  bool autoHideChildren_ = true;
  int fullHeight_ = 0;
  bool canMove_ = false, canSize_ = false, showMoveCursor_ = false;
  bool fixedTop_ = false, fixedLeft_ = false, fixedHeight_ = false, fixedWidth_ = false;
  bool freeOnClose_ = false;
  TAutoSize autoSize_;
  TPanelPosition position_;
  HIMAGELIST images_ = nullptr;
  TMarkupPictureContainer* pictureContainer_ = nullptr;
  TMarkupPictureCache pictureCache_;
  PanelLayer layer_;
  TColor expandedColor_ = clBtnFace;
  int hoverAnchor_ = -1;
  // Cleared by the destructor; the collapse animation holds a copy while it pumps messages.
  std::shared_ptr<bool> alive_;
  std::string hoverHref_;
};

// The panel as form layouts set it up.
class TBackPanel : public TCustomBackPanel {
 public:
  explicit TBackPanel(Component* owner) : TCustomBackPanel(owner) {}
};
