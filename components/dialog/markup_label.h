#pragma once
// A windowless label that draws its markup lines through DrawMarkup and makes the
// anchors in them hyperlinks: the pointer turns into a hand over an anchor, and a
// click opens a web or mail address with the shell or hands any other target to
// OnAnchorClick.
#include <windows.h>
// The system headers below build on windows.h.
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "components/dialog/anchor_action.h"
#include "components/dialog/markup.h"
#include "framework/control.h"
#include "framework/panel.h"

enum class TAutoSizeType : std::uint8_t { asVertical, asHorizontal, asBoth };
enum class TVAlignment : std::uint8_t { tvaTop, tvaCenter, tvaBottom };
enum class TLabelCursorShape : std::uint8_t { crDefault, crHandPoint };

// What the label offers as its hint at a point: the text and where it shows.
struct TMarkupHint {
  bool Show = false;
  std::string Text;
  POINT Position{0, 0};  // client coordinates
};

class TMarkupLabel : public TControl {
 public:
  explicit TMarkupLabel(Component* owner);

  const std::vector<std::string>& MarkupText() const { return markupText_; }
  // The lines' text without line breaks becomes the one line of the markup.
  void SetMarkupText(const std::vector<std::string>& lines);
  void AddMarkupLine(std::string line);
  // All lines run together: a line break needs its tag.
  std::string GetDisplText() const;
  std::string GetText() const;

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { SetAndRepaint(transparent_, value); }
  bool AnchorHint() const { return anchorHint_; }
  void SetAnchorHint(bool value) { anchorHint_ = value; }
  bool AutoSizing() const { return autoSizing_; }
  void SetAutoSizing(bool value);
  TAutoSizeType AutoSizeType() const { return autoSizeType_; }
  void SetAutoSizeType(TAutoSizeType value) { SetAndRepaint(autoSizeType_, value); }
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel value) { SetAndRepaint(bevelInner_, value); }
  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel value) { SetAndRepaint(bevelOuter_, value); }
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value) { SetAndRepaint(bevelWidth_, value); }
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value) { SetAndRepaint(borderWidth_, value); }
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value) { SetAndRepaint(borderStyle_, value); }
  bool Ellipsis() const { return ellipsis_; }
  void SetEllipsis(bool value) { SetAndRepaint(ellipsis_, value); }
  bool HintShowFull() const { return hintShowFull_; }
  void SetHintShowFull(bool value) { hintShowFull_ = value; }
  bool Hover() const { return hover_; }
  void SetHover(bool value) { SetAndRepaint(hover_, value); }
  TColor HoverColor() const { return hoverColor_; }
  void SetHoverColor(TColor value) { SetAndRepaint(hoverColor_, value); }
  TColor HoverFontColor() const { return hoverFontColor_; }
  void SetHoverFontColor(TColor value) { SetAndRepaint(hoverFontColor_, value); }
  bool MarkupHint() const { return markupHint_; }
  void SetMarkupHint(bool value) { markupHint_ = value; }
  // Not owned; the image list and the container must outlive the label's use of them.
  HIMAGELIST Images() const { return images_; }
  void SetImages(HIMAGELIST value) { SetAndRepaint(images_, value); }
  TMarkupPictureContainer* PictureContainer() const { return pictureContainer_; }
  void SetPictureContainer(TMarkupPictureContainer* value) { SetAndRepaint(pictureContainer_, value); }
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor value) { SetAndRepaint(shadowColor_, value); }
  int ShadowOffset() const { return shadowOffset_; }
  void SetShadowOffset(int value) { SetAndRepaint(shadowOffset_, value); }
  TColor URLColor() const { return urlColor_; }
  void SetURLColor(TColor value) { SetAndRepaint(urlColor_, value); }
  TVAlignment VAlignment() const { return vAlignment_; }
  void SetVAlignment(TVAlignment value) { SetAndRepaint(vAlignment_, value); }

  // While updates are held back only the background is painted.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();

  // Every occurrence of text in the shown text, wrapped in <hi> (highlight) or <e>
  // (error underline); the Un- forms take all such tags out again.
  void HilightText(const std::string& text, bool caseSensitive);
  void MarkText(const std::string& text, bool caseSensitive);
  void UnHilightText();
  void UnMarkText();

  // The target of the anchor under a client point, or empty; rect gets the anchor's
  // hit rectangle, (-1, -1, -1, -1) when there is none.
  std::string IsAnchor(int x, int y, RECT& rect);
  // The 1-based anchor last found under the pointer, -1 for none.
  int HoverAnchor() const { return hoverAnchor_; }
  TLabelCursorShape Cursor() const { return cursor_; }
  // What the hint at a client point shows.
  TMarkupHint HintAt(int x, int y);

  // The display text drawn into a rectangle of another canvas, as for printing.
  void MarkupPrint(HDC dc, const RECT& rect);

  void Paint(Canvas& canvas) override;
  void MouseDown(MouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  // The hand while the last move found an anchor.
  HCURSOR CursorAt(int x, int y) const override;

  // Opens web and mail targets; the shell unless something else is put here.
  TShellOpener ShellOpener = ShellOpen;
  TAnchorClick OnAnchorClick;
  TAnchorClick OnAnchorEnter;
  TAnchorClick OnAnchorExit;
  TAnchorHintEvent OnAnchorHint;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

 protected:
  // One DrawMarkup call with the label's own cache, container and wrapping.
  virtual bool MarkupPaint(MarkupCanvas& canvas, const std::string& markup, const RECT& bounds,
                           MarkupOptions options, MarkupResult& result);

 private:
  template <class T>
  void SetAndRepaint(T& field, T value) {
    if (field == value) return;
    field = value;
    Invalidate();
  }
  void MarkupChanged();
  MarkupFont LabelFont() const;
  MarkupOptions BaseOptions() const;
  // The client rectangle inside the bevels and the border.
  RECT TextRect() const;
  // The rectangle moved down for centred or bottom text, measured on the DC.
  void PlaceVertically(MarkupCanvas& canvas, const std::string& markup, RECT& rect);
  void AutoSizeTo(const MarkupResult& result);
  void SetCursorShape(TLabelCursorShape value);
  // Invalidates a rectangle of the label on its parent, or the whole label when its left is -1.
  void RepaintHoverRect(const RECT& rect);

  std::vector<std::string> markupText_;
  bool transparent_ = false;
  bool anchorHint_ = false;
  bool autoSizing_ = false;
  TAutoSizeType autoSizeType_ = TAutoSizeType::asVertical;
  TPanelBevel bevelInner_ = TPanelBevel::bvNone;
  TPanelBevel bevelOuter_ = TPanelBevel::bvNone;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = TBorderStyle::bsNone;
  bool ellipsis_ = false;
  bool hintShowFull_ = false;
  bool hover_ = false;
  TColor hoverColor_ = clNone;
  TColor hoverFontColor_ = clNone;
  bool markupHint_ = false;
  HIMAGELIST images_ = nullptr;
  TMarkupPictureContainer* pictureContainer_ = nullptr;
  TColor shadowColor_ = clGray;
  int shadowOffset_ = 2;
  TColor urlColor_ = clBlue;
  TVAlignment vAlignment_ = TVAlignment::tvaTop;

  TMarkupPictureCache pictureCache_;
  int updateCount_ = 0;
  int hoverAnchor_ = -1;
  std::string lastAnchor_;
  int lastHoverAnchor_ = -1;
  RECT lastHoverRect_{-1, -1, -1, -1};
  TLabelCursorShape cursor_ = TLabelCursorShape::crDefault;
};
