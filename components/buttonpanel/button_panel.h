#pragma once
// A windowed panel that lays its flat buttons out in a grid of equal cells, sizes
// itself to the grid (plus one pixel row) and reports any button's click through
// OnButtonClick with the button's creation-time index. Under the buttons it paints
// its colour, its fill object's picture, or (transparent) its parent's background,
// and a bevel frame around the grid.
#include <memory>

#include "components/buttonpanel/flat_button.h"
#include "components/buttonpanel/panel_buttons.h"
#include "components/paint/bevel.h"
#include "components/paint/cached_fill.h"
#include "components/paint/fill_object.h"
#include "framework/control.h"

// Sender (the panel), SendBtn (the flat button clicked), Btn (its Tag).
using TBtnClickEvent = Event<Component*, Component*, int>;

class TButtonPanel : public TWinControl {
 public:
  explicit TButtonPanel(Component* owner);
  ~TButtonPanel() override;

  TPanelButtons& Buttons() { return *buttons_; }
  bool GetEmpty() const { return buttons_->Count() == 0; }

  // Size index 0 is ButtonHeight, 1 ButtonWidth; GetBtnSize answers 0 for others.
  int GetBtnSize(int index) const;
  void SetBtnSize(int index, int value);
  int ButtonHeight() const { return GetBtnSize(0); }
  void SetButtonHeight(int value) { SetBtnSize(0, value); }
  int ButtonWidth() const { return GetBtnSize(1); }
  void SetButtonWidth(int value) { SetBtnSize(1, value); }

  TUserButtonStyle ButtonStyle() const { return buttonStyle_; }
  void SetButtonStyle(TUserButtonStyle value);
  bool ButtonParentCtlXP() const { return buttonParentCtlXP_; }
  void SetButtonParentCtlXP(bool value);
  // Kept for the themed face and background, which give them effect.
  bool CtlXP() const { return ctlXP_; }
  void SetCtlXP(bool value);
  // A transparent panel shows its parent's background and never its fill object.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  TFillObject& FillObject() { return fillObject_; }
  TBevel& Bevel() { return bevel_; }
  // Rebuilds the background picture from the fill object; see TCachedFill.
  void CreateBack(bool force);
  // Whether the last background erase had the parent draw its themed background.
  bool ParentBackgroundDrawn() const { return parentBackgroundDrawn_; }

  int AddButton();  // the new item's index
  void InsertButton(int index);

  // The layout pass: columns that fit the client width, rows for the rest.
  void SetBorders();
  void DoBtnClick(Component* sender);
  void InitBtnStyle();
  // Gives every button the XP flag, but only while the panel is on screen.
  void SetCustomButtonsXPMode(bool value);
  void DoThemeChanged();

  TBtnClickEvent OnButtonClick;

 protected:
  void Loaded() override;
  void Resize() override;
  void CreateParams(TCreateParams& params) override;
  void WndProc(Message& message) override;
  void PaintWindow(Canvas& canvas) override;

 private:
  void GetBtnsChange(TPanelButtons* sender);
  void GetChange();
  void BevelChange();
  // The buttons are shown over the parent's themed background.
  bool ThemedTransparent();
  // The bevel's extent around the grid; a windows-mode frame lies outside the client area.
  int BevelExtent() const { return bevel_.Mode() == TBevelMode::bmWindows ? 0 : bevel_.GetBevelExtend(); }

  std::unique_ptr<TPanelButtons> buttons_;
  int buttonWidth_ = 20;
  int buttonHeight_ = 20;
  TUserButtonStyle buttonStyle_ = TUserButtonStyle::ubsWin40;
  bool layoutRunning_ = false;
  bool buttonParentCtlXP_ = true;
  bool ctlXP_ = true;
  bool transparent_ = false;
  bool parentBackgroundDrawn_ = false;
  bool transparentBorder_ = false;
  TFillObject fillObject_;
  TBevel bevel_;
  TCachedFill cachedFill_;
};
