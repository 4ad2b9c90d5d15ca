#include "components/buttonpanel/button_panel.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>

#include "components/paint/visual_styles.h"
#include "framework/flag_scope.h"

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

// The largest cell, up to cell, of which count fit from origin to the end of the
// coordinate range with frame pixels besides: a grid of larger cells would have edges
// that wrap round to negative numbers.
int FitCell(int cell, int count, int origin, int frame) {
  const std::int64_t room = std::int64_t{INT_MAX} - std::max(0, origin) - frame;
  return static_cast<int>(std::clamp<std::int64_t>(room / count, 1, cell));
}
}  // namespace

TButtonPanel::TButtonPanel(Component* owner)
    : TWinControl(owner), buttons_(std::make_unique<TPanelButtons>(*this, true)) {
  buttons_->OnChange = Bind(this, &TButtonPanel::GetBtnsChange);
  fillObject_.OnChange = [this] { GetChange(); };
  bevel_.OnChange = [this] { BevelChange(); };
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
  CreateBack(true);
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
  CreateBack(true);
  Invalidate();
  SetBorders();
}

void TButtonPanel::BevelChange() {
  // The windows-mode frame is the system's client edge, a window style.
  if (HandleAllocated()) {
    HWND window = Handle();
    LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
    if (bevel_.Mode() == TBevelMode::bmWindows) exStyle |= WS_EX_CLIENTEDGE;
    SetWindowLongPtrA(window, GWL_EXSTYLE, exStyle);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  GetChange();
}

void TButtonPanel::Loaded() {
  TWinControl::Loaded();
  if (buttonParentCtlXP_) SetCustomButtonsXPMode(ctlXP_);
  CreateBack(true);
  SetBorders();
}

void TButtonPanel::Resize() {
  if (IsLoading() || IsDestroying()) return;
  CreateBack(false);
  Invalidate();
  SetBorders();
}

void TButtonPanel::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  if (bevel_.Mode() == TBevelMode::bmWindows) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TButtonPanel::CreateBack(bool force) {
  if (IsLoading() || IsDestroying()) return;
  if (transparent_ || fillObject_.Empty()) {
    cachedFill_.Drop();
    return;
  }
  RECT client = ClientRect();
  if (HandleAllocated()) GetClientRect(Handle(), &client);
  cachedFill_.Rebuild(fillObject_, color_, client.right, client.bottom, force);
}

bool TButtonPanel::ThemedTransparent() {
  return transparent_ && ctlXP_ && HandleAllocated() && ThemesUsable();
}

void TButtonPanel::WndProc(Message& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND:
      parentBackgroundDrawn_ = false;
      if (ThemedTransparent()) {
        parentBackgroundDrawn_ = ThemeDrawParentBackground(Handle(), reinterpret_cast<HDC>(message.WParam));
        message.Result = 1;
        return;
      }
      break;
    case WM_SYSCOLORCHANGE:
      if (!transparent_) {
        CreateBack(true);  // system colours may be in the fill
        Invalidate();
      }
      break;
  }
  TWinControl::WndProc(message);
}

void TButtonPanel::PaintWindow(Canvas& canvas) {
  if (IsLoading()) return;
  RECT client = ClientRect();
  if (HandleAllocated()) GetClientRect(Handle(), &client);
  if (cachedFill_.Exists()) {
    cachedFill_.CopyTo(canvas.Handle(), client);
  } else if (ThemedTransparent()) {
    // Painting goes to a fresh off-screen picture, so the parent's background is
    // needed here whatever the erase drew; a parent that draws none leaves its colour.
    canvas.FillRect(client, parent_ ? parent_->Color() : color_);
    ThemeDrawParentBackground(Handle(), canvas.Handle());
  } else {
    canvas.FillRect(client, color_);
  }
  if (!GetEmpty()) bevel_.PaintBevel(canvas, client, transparentBorder_);
}

void TButtonPanel::SetBorders() {
  if (layoutRunning_ || IsLoading()) return;
  FlagScope running(layoutRunning_);

  RECT area = ClientRect();
  if (HandleAllocated()) GetClientRect(Handle(), &area);
  const int extent = BevelExtent();
  InflateRect(&area, -extent, -extent);

  // A cell below one pixel would divide by zero, and one too large for the grid to fit
  // the coordinates is cut down; the stored sizes stay as they were set.
  int cellWidth = std::max(1, buttonWidth_), cellHeight = std::max(1, buttonHeight_);
  const int count = buttons_->Count();
  int columns = std::min(static_cast<int>(area.right - area.left) / cellWidth, count);
  if (columns < 1) columns = 1;
  const int rows = count > columns ? (count + columns - 1) / columns : 1;
  cellWidth = FitCell(cellWidth, columns, Left(), 2 * extent);
  cellHeight = FitCell(cellHeight, rows, Top(), 2 * extent + 1);

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
