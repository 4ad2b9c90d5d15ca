#include "components/buttonpanel/button_panel.h"

#include <algorithm>
#include <utility>

namespace {
// Keeps the collection's change handler off for a scope, and puts it back on every path.
class ChangeHandlerDetached {
 public:
  explicit ChangeHandlerDetached(TPanelButtons& buttons)
      : buttons_(buttons), saved_(std::exchange(buttons.OnChange, nullptr)) {}
  ~ChangeHandlerDetached() { buttons_.OnChange = std::move(saved_); }
  ChangeHandlerDetached(const ChangeHandlerDetached&) = delete;
  ChangeHandlerDetached& operator=(const ChangeHandlerDetached&) = delete;

 private:
  TPanelButtons& buttons_;
  Event<TPanelButtons*> saved_;
};

// Clears the layout guard however the pass ends.
class LayoutRunning {
 public:
  explicit LayoutRunning(bool& flag) : flag_(flag) { flag_ = true; }
  ~LayoutRunning() { flag_ = false; }
  LayoutRunning(const LayoutRunning&) = delete;
  LayoutRunning& operator=(const LayoutRunning&) = delete;

 private:
  bool& flag_;
};
}  // namespace

TButtonPanel::TButtonPanel(Component* owner)
    : TWinControl(owner), buttons_(std::make_unique<TPanelButtons>(*this, true)) {
  buttons_->OnChange = Bind(this, &TButtonPanel::GetBtnsChange);
}

TButtonPanel::~TButtonPanel() {
  buttons_->OnChange = nullptr;
  buttons_.reset();  // each item takes its button with it while the panel is still whole
}

int TButtonPanel::GetBtnSize(int index) const {
  switch (index) {
    case 0:
      return buttonHeight_;
    case 1:
      return buttonWidth_;
    default:
      return 0;
  }
}

void TButtonPanel::SetBtnSize(int index, int value) {
  int* size = index == 0 ? &buttonHeight_ : index == 1 ? &buttonWidth_ : nullptr;
  if (!size || *size == value) return;
  *size = value;
  GetChange();
}

void TButtonPanel::SetButtonStyle(TUserButtonStyle value) {
  if (value == buttonStyle_) return;
  buttonStyle_ = value;
  InitBtnStyle();
}

void TButtonPanel::SetButtonParentCtlXP(bool value) {
  if (value == buttonParentCtlXP_) return;
  buttonParentCtlXP_ = value;
  if (value) SetCustomButtonsXPMode(ctlXP_);
}

void TButtonPanel::SetCtlXP(bool value) {
  if (value == ctlXP_) return;
  ctlXP_ = value;
  DoThemeChanged();
}

void TButtonPanel::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Invalidate();
}

void TButtonPanel::InitBtnStyle() {
  for (int i = 0; i < buttons_->Count(); ++i) {
    TFlatButton& button = buttons_->GetItem(i).Button();
    button.SetButtonStyle(buttonStyle_);
    if (buttonParentCtlXP_) button.SetCtlXP(ctlXP_);
    button.SetHideHint(false);
  }
}

void TButtonPanel::SetCustomButtonsXPMode(bool value) {
  if (!Showing()) return;
  for (int i = 0; i < buttons_->Count(); ++i) buttons_->GetItem(i).Button().SetCtlXP(value);
}

void TButtonPanel::DoThemeChanged() {
  if (buttonParentCtlXP_) SetCustomButtonsXPMode(ctlXP_);
  Invalidate();
}

int TButtonPanel::AddButton() {
  ChangeHandlerDetached detached(*buttons_);
  TPanelButton& item = buttons_->Add();
  GetBtnsChange(buttons_.get());
  SetBorders();
  return item.Index();
}

void TButtonPanel::InsertButton(int index) {
  ChangeHandlerDetached detached(*buttons_);
  buttons_->Insert(index);
  GetBtnsChange(buttons_.get());
  SetBorders();
}

void TButtonPanel::GetBtnsChange(TPanelButtons*) {
  if (IsLoading() || IsDestroying()) return;
  if (buttonParentCtlXP_) SetCustomButtonsXPMode(ctlXP_);
}

void TButtonPanel::GetChange() {
  Invalidate();
  SetBorders();
}

void TButtonPanel::Loaded() {
  TWinControl::Loaded();
  if (buttonParentCtlXP_) SetCustomButtonsXPMode(ctlXP_);
  SetBorders();
}

void TButtonPanel::Resize() {
  if (!IsLoading() && !IsDestroying()) SetBorders();
}

void TButtonPanel::SetBorders() {
  if (layoutRunning_ || IsLoading()) return;
  LayoutRunning running(layoutRunning_);

  RECT area = ClientRect();
  if (HandleAllocated()) GetClientRect(Handle(), &area);
  const int extent = BevelExtent();
  InflateRect(&area, -extent, -extent);

  // A cell below one pixel would divide by zero; the stored sizes stay as they were set.
  const int cellWidth = std::max(1, buttonWidth_), cellHeight = std::max(1, buttonHeight_);
  const int count = buttons_->Count();
  int columns = std::min(static_cast<int>(area.right - area.left) / cellWidth, count);
  if (columns < 1) columns = 1;
  const int rows = count > columns ? (count + columns - 1) / columns : 1;

  // The grid plus one pixel row below it; the size notice this causes finds the guard set.
  SetBounds(Left(), Top(), cellWidth * columns + 2 * extent, cellHeight * rows + 2 * extent + 1);

  for (int i = 0; i < count; ++i) {
    TFlatButton& button = buttons_->GetItem(i).Button();
    button.SetBounds(area.left + (i % columns) * cellWidth, area.top + (i / columns) * cellHeight, cellWidth,
                     cellHeight);
    if (OnButtonClick) button.OnClick = Bind(this, &TButtonPanel::DoBtnClick);
  }
}

void TButtonPanel::DoBtnClick(Component* sender) {
  if (OnButtonClick) OnButtonClick(this, sender, sender->Tag());
}
